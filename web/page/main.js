// The page's window: the input list, the three tables, the status line and the commands.
import {
  CanPickFolder,
  DownloadBytes,
  DownloadZip,
  PickFolder,
  WriteToFolder,
} from "./Downloads.js";
import { TFileList } from "./FileList.js";
import { ShowMessage } from "./MessageBox.js";
import { TTableView } from "./TableView.js";

const FoutenPage = 3;
const BodyFont = "11px Tahoma, Verdana, sans-serif";
const ZipName = "Fide2006.zip";

const byId = (id) => document.getElementById(id);

function DecimalSeparator() {
  const part = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === "decimal");
  return part ? part.value : ".";
}

// The drawn width of every code page 1252 character in the font.
function FontWidths(font) {
  const context = document.createElement("canvas").getContext("2d");
  context.font = font;
  const decoder = new TextDecoder("windows-1252");
  return Array.from({ length: 256 }, (_, c) =>
    Math.round(context.measureText(decoder.decode(new Uint8Array([c]))).width),
  );
}

async function ReadBytes(file) {
  try {
    return new Uint8Array(await file.arrayBuffer());
  } catch {
    throw new Error(`Cannot open file ${file.name}.`);
  }
}

// Lets the browser draw before going on; a hidden page draws no frames, so it waits no longer
// than a tenth of a second.
const Repaint = () =>
  new Promise((resolve) => {
    requestAnimationFrame(() => setTimeout(resolve));
    setTimeout(resolve, 100);
  });

async function Main() {
  const StartCore = async () => {
    const started = await globalThis.MorvelanderCore();
    document.title = started.Start(DecimalSeparator());
    started.SetFontWidths(FontWidths(BodyFont), FontWidths(`bold ${BodyFont}`));
    return started;
  };
  let core = await StartCore();
  byId("Caption").textContent = document.title;

  const views = ["InputGrid", "ToernooiGrid", "ErrorGrid"].map(
    (id, which) => new TTableView(byId(id), core, which),
  );
  // Shows a tab; its table draws the rows now in view.
  function ShowPage(index) {
    for (const tab of byId("PageControl").children)
      tab.setAttribute("aria-selected", String(Number(tab.dataset.page) === index));
    for (const page of document.querySelectorAll("main > .page"))
      page.hidden = Number(page.dataset.page) !== index;
    for (const view of views) view.Draw();
  }

  const saveButton = byId("SaveDataBitBtn");
  const doAllButtons = [byId("DoAllBitBtn"), byId("DoAllFolderBtn")];
  byId("DoAllFolderBtn").hidden = !CanPickFolder;

  // Every command runs to its end before the next is taken, as in the window.
  let busy = false;
  const Command = (run) => async (...args) => {
    if (busy) return;
    busy = true;
    document.body.dataset.busy = "true";
    try {
      await run(...args);
    } catch (e) {
      // A core that ran out of memory has stopped for good; a fresh one takes its place.
      if (e instanceof WebAssembly.RuntimeError) {
        core = await StartCore();
        for (const view of views) view.core = core;
        fileList.core = core;
        for (const view of views) view.Refresh();
      }
      await ShowMessage(e.message || String(e));
    } finally {
      busy = false;
      delete document.body.dataset.busy;
    }
  };

  // Shows what the core's command left: tables, status line and its messages.
  async function ShowResult(result) {
    byId("StatusPanel0").textContent = result.Naam;
    byId("StatusPanel1").textContent = result.Status;
    for (const view of views) view.Refresh();
    for (const message of result.Messages) await ShowMessage(message);
    if (result.Failure) await ShowMessage(result.Failure);
    return !result.Failure;
  }

  // The browser's performance timeline keeps how long the core took and when the tables showed.
  const Open = Command(async (file) => {
    const start = performance.now();
    const bytes = await ReadBytes(file);
    const converting = performance.now();
    const result = core.OpenFile(file.name, bytes);
    performance.measure("Morvelander: conversion", { start: converting });
    ShowPage(FoutenPage);
    const shown = ShowResult(result);
    await Repaint();
    performance.measure("Morvelander: tables shown", { start });
    // A file whose report could not be made leaves nothing to save.
    saveButton.disabled = !(await shown) || !result.Report;
  });

  const Save = Command(async () => {
    DownloadBytes(core.ReportName(), core.ReportBytes(), "text/plain");
  });

  const ConvertAll = (toFolder) =>
    Command(async () => {
      const folder = toFolder ? await PickFolder() : null;
      if (toFolder && !folder) return;
      const files = fileList.Files.slice();
      ShowPage(FoutenPage);
      await ShowResult(core.StartBatch());
      const reports = new Map();
      try {
        for (const [i, file] of files.entries()) {
          // A file that can no longer be read is passed over, like one gone from the folder.
          const bytes = await ReadBytes(file).catch(() => null);
          if (bytes) {
            // The core tells why a file gives no report; the run goes on with the next.
            const result = core.ConvertFile(file.name, bytes);
            if (!(await ShowResult(result))) return;
            if (result.Report) {
              saveButton.disabled = false;
              const name = core.ReportName();
              const report = core.ReportBytes();
              if (folder) await WriteReport(folder, name, report);
              reports.set(name, { report });
            }
          }
          byId("StatusPanel1").textContent = `${i + 1} van ${files.length} bestanden`;
          await Repaint();
        }
        await ShowResult(core.FinishBatch());
        byId("StatusPanel1").textContent = "";
      } finally {
        if (!folder && reports.size > 0) DownloadZip(ZipName, reports);
      }
    });

  async function WriteReport(folder, name, report) {
    try {
      await WriteToFolder(folder, name, report);
    } catch {
      throw new Error(`Cannot create file ${folder.name}/${name}.`);
    }
  }

  const CopyErrors = Command(async () => {
    const text = core.ErrorText();
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      const area = document.body.appendChild(document.createElement("textarea"));
      area.value = text;
      area.select();
      const copied = document.execCommand("copy");
      area.remove();
      if (!copied) throw new Error("Het klembord is niet beschikbaar.");
    }
  });

  const fileList = new TFileList(byId("InFileListBox"), core, Open);
  const AddFiles = (files) => {
    fileList.Add(files);
    for (const b of doAllButtons) b.disabled = fileList.Files.length === 0;
  };

  for (const tab of byId("PageControl").children)
    tab.addEventListener("click", () => ShowPage(Number(tab.dataset.page)));
  byId("FilePicker").addEventListener("change", (e) => {
    AddFiles([...e.target.files]);
    e.target.value = "";
  });
  const dropZone = byId("DropZone");
  document.addEventListener("dragover", (e) => {
    e.preventDefault();
    dropZone.classList.add("dragging");
  });
  document.addEventListener("dragleave", () => dropZone.classList.remove("dragging"));
  document.addEventListener("drop", (e) => {
    e.preventDefault();
    dropZone.classList.remove("dragging");
    AddFiles([...e.dataTransfer.files]);
    ShowPage(0);
  });
  byId("DoAllBitBtn").addEventListener("click", ConvertAll(false));
  byId("DoAllFolderBtn").addEventListener("click", ConvertAll(true));
  saveButton.addEventListener("click", Save);
  byId("ClipBoardBitBtn").addEventListener("click", CopyErrors);
  for (const view of views) view.Refresh();
  document.body.dataset.ready = "true";
}

window.addEventListener("unhandledrejection", (e) =>
  ShowMessage(String(e.reason?.message ?? e.reason)),
);
Main().catch((e) => ShowMessage(`Morvelander kan niet starten: ${e.message || e}`));
