// The window's commands over the core: open a file, save its report, convert all files, copy
// the error list, and go from a row of the error list to its line or its file. Every command
// runs to its end before the next is taken, as in the window; an open asked for meanwhile
// waits its turn. "Stop" ends the one running. The status line shows how far it is.
import { TStopped } from "./Core.js";
import { DownloadBytes, PickFolder, ZipName } from "./Output.js";
import { ShowMessage } from "./MessageBox.js";
import { CorePath, Label } from "./FileList.js";
import { MayRead } from "./StoredList.js";
import { FailureText, FillIn, T, TTold } from "./Texts.js";

const FoutenPage = 3;
const byId = (id) => document.getElementById(id);

// Lets the browser draw before going on; a hidden page draws no frames, so it waits no longer
// than a tenth of a second.
const Repaint = () =>
  new Promise((resolve) => {
    requestAnimationFrame(() => setTimeout(resolve));
    setTimeout(resolve, 100);
  });

export async function CopyText(text) {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const area = document.body.appendChild(document.createElement("textarea"));
    area.value = text;
    area.select();
    const copied = document.execCommand("copy");
    area.remove();
    if (!copied) throw new TTold(T.GeenKlembord);
  }
}

// The source of an entry for the worker, the browser's leave to read it asked first.
async function Source(entry) {
  await MayRead(entry.handle);
  return { name: CorePath(entry), handle: entry.handle, file: entry.file };
}

export class TCommands {
  // views: the three table views; showPage(index) shows a tab; files(): the list's entries;
  // shown(entry): the entry whose tables now show.
  constructor({ core, views, showPage, files, shown }) {
    this.core = core;
    this.views = views;
    this.showPage = showPage;
    this.files = files;
    this.shown = shown;
    this.runningAll = false;
    // The entry of each summary row of the last run, by the row.
    this.runRows = new Map();
    this.status = [byId("StatusPanel0"), byId("StatusPanel1")];
    this.saveButton = byId("SaveDataBitBtn");
    this.stopButton = byId("StopBitBtn");
    this.busy = false;
    this.stopping = null;
    this.waiting = null;
    this.reading = false;
    this.opened = null;
    // "Alle" stops after the file it is on; a second click, or a stop of any other command,
    // ends the core's work at once.
    this.stopButton.addEventListener("click", () => {
      if (this.stopping) this.stopping();
      else core.Stop(new TStopped(T.Gestopt));
      this.stopping = null;
    });
    this.Open = this.Command((entry) => this.OpenEntry(entry));
    this.Save = this.Command(() => this.SaveReport());
    this.ConvertAll = (toFolder) => this.Command(() => this.RunAll(toFolder));
    this.CopyErrors = this.Command(() => this.Copy());
    this.ShowRow = this.Command((row) => this.FromRow(row));
  }

  // How far the core is with the file it opens, as it says it.
  ShowProgress(text) {
    if (this.reading) this.status[1].textContent = text;
  }

  // Whether "Alle" is running: what comes in meanwhile waits in the list.
  get RunningAll() {
    return this.runningAll;
  }

  // The file whose tables show, if any: a new choice of the decimal separator opens it anew.
  get Opened() {
    return this.opened;
  }

  // Opens the entry as soon as the command running has ended.
  OpenWhenFree(entry) {
    if (!this.busy) return this.Open(entry);
    this.waiting = entry;
    return Promise.resolve();
  }

  Command(run) {
    return async (...args) => {
      if (this.busy) return;
      this.busy = true;
      this.stopping = null;
      document.body.dataset.busy = "true";
      this.stopButton.disabled = false;
      // A setting that changes what the core makes waits until the command has made it.
      const settings = document.querySelectorAll("[data-idle]");
      for (const control of settings) control.disabled = true;
      try {
        await run(...args);
      } catch (e) {
        // A core that stopped, by a trap or by the user, has left empty tables behind.
        if (e instanceof WebAssembly.RuntimeError || e instanceof TStopped) await this.Cleared();
        await ShowMessage(FailureText(e));
      } finally {
        this.busy = false;
        this.stopping = null;
        this.stopButton.disabled = true;
        for (const control of settings) control.disabled = false;
        delete document.body.dataset.busy;
      }
      const next = this.waiting;
      this.waiting = null;
      if (next && this.files().includes(next)) await this.Open(next);
    };
  }

  // After a fresh core: empty tables, an empty status line and nothing to save.
  Cleared() {
    for (const panel of this.status) panel.textContent = "";
    this.saveButton.disabled = true;
    this.opened = null;
    this.runRows.clear();
    return this.RefreshViews();
  }

  RefreshViews() {
    return Promise.all(this.views.map((view) => view.Refresh()));
  }

  // Shows what the core's command left: tables, status line and what it tells; a failure in
  // the error box.
  async ShowResult(result) {
    this.status[0].textContent = result.Naam;
    this.status[1].textContent = result.Status;
    await this.RefreshViews();
    for (const message of result.Messages) await ShowMessage(message);
    if (result.Failure) await ShowMessage(result.Failure);
    return !result.Failure;
  }

  // The browser's performance timeline keeps how long the core took and when the tables
  // showed.
  async OpenEntry(entry) {
    const source = await Source(entry);
    const start = performance.now();
    this.reading = true;
    this.status[1].textContent = "";
    let result;
    try {
      result = await this.core.Call("OpenFile", source);
    } catch (e) {
      // The progress of a read that failed is no status.
      this.status[1].textContent = "";
      throw e;
    } finally {
      this.reading = false;
    }
    performance.measure("Morvelander: conversion", { start });
    this.runRows.clear();
    await this.showPage(FoutenPage);
    const shown = await this.ShowResult(result);
    // The memory the file took, for the benchmark.
    const { Heap, Buffers } = await this.core.Call("Memory");
    document.body.dataset.heap = String(Heap);
    document.body.dataset.buffers = String(Buffers);
    this.shown(entry);
    await Repaint();
    performance.measure("Morvelander: tables shown", { start });
    this.opened = result.Report ? entry : null;
    // A file whose report could not be made leaves nothing to save.
    this.saveButton.disabled = !shown || !result.Report;
    byId("ErrorGrid").focus();
  }

  async SaveReport() {
    const { name, report, refusal } = await this.core.Call("Report");
    if (refusal) await ShowMessage(refusal);
    else DownloadBytes(name, report, "text/plain");
  }

  // Shows a file of the run as the core tells it: its tables, its row and how far the run is.
  async ShowRunFile(files, result) {
    if (result.SummaryRow >= 0) this.runRows.set(result.SummaryRow, files[result.File]);
    if (result.Report) this.saveButton.disabled = false;
    this.status[0].textContent = result.Naam;
    this.status[1].textContent = result.Status;
    await this.RefreshViews();
  }

  // "Alle": one run of the core, which says what each file ended in, when the run ends and how.
  async RunAll(toFolder) {
    const folder = toFolder ? await PickFolder() : null;
    if (toFolder && !folder) return;
    // The browser asks for leave to read while the click is fresh; each file is read as it
    // is when its turn comes.
    const files = [...this.files()];
    const sources = [];
    for (const entry of files) sources.push(await Source(entry));
    await this.showPage(FoutenPage);
    this.opened = null;
    this.runRows.clear();
    this.saveButton.disabled = true;
    // The core goes on to the next file once this one is drawn.
    this.core.onRunFile = (result) =>
      this.ShowRunFile(files, result).finally(() => this.core.Tell("RunShown"));
    this.stopping = () => this.core.Tell("StopRun");
    this.runningAll = true;
    const zipName = ZipName(new Date());
    try {
      const { result, zip } = await this.core.Call("RunAll", sources, folder, zipName);
      if (zip) DownloadBytes(zipName, zip, "application/zip");
      await this.ShowResult(result);
    } finally {
      this.core.onRunFile = null;
      this.runningAll = false;
    }
    byId("ErrorGrid").focus();
  }

  async Copy() {
    const text = await this.core.Call("ErrorText");
    await CopyText(text);
    // The header row is no finding.
    const rows = text.split("\r\n").filter((line) => line.trim().length > 0).length - 1;
    this.status[1].textContent = FillIn(T.Gekopieerd, rows);
  }

  // From a finding to its line: the input table's row of the line, selected and in view. From
  // a file's summary row to the file: it opens, as a double-click in the list opens it.
  async FromRow(row) {
    const inputRow = await this.core.Call("FindingRow", row);
    const entry = this.runRows.get(row);
    if (inputRow < 0 && entry) {
      if (this.files().includes(entry)) this.waiting = entry;
      return;
    }
    if (inputRow < 0) {
      const text = await this.core.Call("SummaryText", row);
      const named = this.files()
        .filter((f) => text === Label(f) || text.startsWith(`${Label(f)} `))
        .sort((a, b) => Label(b).length - Label(a).length);
      if (named.length > 0) this.waiting = named[0];
      return;
    }
    await this.showPage(1);
    const view = this.views[0];
    view.element.focus({ preventScroll: true });
    view.anchor = { c: view.shape.ColCount - 1, r: inputRow };
    await view.MoveTo({ c: 0, r: inputRow }, true);
  }
}
