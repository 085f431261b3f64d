// The page's window: the input list, the three tables, the status line and the commands. The
// core runs in a worker; this thread only draws and answers the user.
import { TCore, TStopped } from "./Core.js";
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

// Lets the browser draw before going on; a hidden page draws no frames, so it waits no longer
// than a tenth of a second.
const Repaint = () =>
  new Promise((resolve) => {
    requestAnimationFrame(() => setTimeout(resolve));
    setTimeout(resolve, 100);
  });

// The drop takes only *.csv files, as the window does.
const IsCsv = (file) => /\.csv$/i.test(file.name);

// The core's texts, once it has started; %1 and %2 take numbers or names.
let T = {};
const FillIn = (text, first, second) => text.replace("%1", first).replace("%2", second);

async function CopyText(text) {
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    const area = document.body.appendChild(document.createElement("textarea"));
    area.value = text;
    area.select();
    const copied = document.execCommand("copy");
    area.remove();
    if (!copied) throw new Error(T.GeenKlembord);
  }
}

async function Main() {
  const status = [byId("StatusPanel0"), byId("StatusPanel1")];
  // The file the core is reading for "Open", whose progress the status line shows.
  let reading = null;
  const ShowProgress = (read, size) => {
    if (!reading) return;
    status[1].textContent =
      read < size
        ? `${reading} inlezen … ${Math.floor((100 * read) / size)} %`
        : `${reading} verwerken …`;
  };
  const core = new TCore(
    byId("CoreWorkerScript").textContent,
    [DecimalSeparator(), FontWidths(BodyFont), FontWidths(`bold ${BodyFont}`)],
    ShowProgress,
  );
  document.title = await core.Start();
  byId("Caption").textContent = document.title;
  T = await core.Call("Texts");

  const tabs = [...byId("PageControl").children];
  const grids = ["InputGrid", "ToernooiGrid", "ErrorGrid"];
  const views = grids.map(
    (id, which) =>
      new TTableView(byId(id), core, which, {
        onCopy: (text) => CopyText(text).catch((e) => ShowMessage(e.message)),
        onActivate: which === 2 ? (row) => ShowFinding(row) : null,
      }),
  );
  // Shows a tab; its table draws what is now in view.
  function ShowPage(index) {
    for (const tab of tabs) {
      const shown = Number(tab.dataset.page) === index;
      tab.setAttribute("aria-selected", String(shown));
      tab.tabIndex = shown ? 0 : -1;
    }
    for (const page of document.querySelectorAll("main > .page"))
      page.hidden = Number(page.dataset.page) !== index;
    return Promise.all(views.map((view) => view.Draw()));
  }
  const RefreshViews = () => Promise.all(views.map((view) => view.Refresh()));

  const saveButton = byId("SaveDataBitBtn");
  const stopButton = byId("StopBitBtn");
  const doAllButtons = [byId("DoAllBitBtn"), byId("DoAllFolderBtn")];
  byId("DoAllFolderBtn").hidden = !CanPickFolder;

  // Every command runs to its end before the next is taken, as in the window; "Stop" ends the
  // one running.
  let busy = false;
  let stopping = null;
  const Command = (run) => async (...args) => {
    if (busy) return;
    busy = true;
    stopping = null;
    document.body.dataset.busy = "true";
    stopButton.disabled = false;
    try {
      await run(...args);
    } catch (e) {
      // A core that stopped, by a trap or by the user, has left empty tables behind.
      if (e instanceof WebAssembly.RuntimeError || e instanceof TStopped) {
        for (const panel of status) panel.textContent = "";
        saveButton.disabled = true;
        await RefreshViews();
      }
      await ShowMessage(e.message || String(e));
    } finally {
      busy = false;
      stopping = null;
      stopButton.disabled = true;
      delete document.body.dataset.busy;
    }
  };
  // "Alle" stops after the file it is on; a second click, or a stop of any other command, ends
  // the core's work at once.
  stopButton.addEventListener("click", () => {
    if (stopping) stopping();
    else core.Stop(new TStopped(T.Gestopt));
    stopping = null;
  });

  // Shows what the core's command left: tables, status line and its messages.
  async function ShowResult(result) {
    status[0].textContent = result.Naam;
    status[1].textContent = result.Status;
    await RefreshViews();
    for (const message of result.Messages) await ShowMessage(message);
    if (result.Failure) await ShowMessage(result.Failure);
    return !result.Failure;
  }

  // The browser's performance timeline keeps how long the core took and when the tables
  // showed.
  const Open = Command(async (file) => {
    const start = performance.now();
    reading = file.name;
    ShowProgress(0, 1);
    let result;
    try {
      result = await core.Call("OpenFile", file);
    } finally {
      reading = null;
    }
    performance.measure("Morvelander: conversion", { start });
    // The core's memory after the file, for the benchmark.
    document.body.dataset.heap = String(result.Heap);
    await ShowPage(FoutenPage);
    const shown = await ShowResult(result);
    await Repaint();
    performance.measure("Morvelander: tables shown", { start });
    // A file whose report could not be made leaves nothing to save.
    saveButton.disabled = !shown || !result.Report;
    byId("ErrorGrid").focus();
  });

  const Save = Command(async () => {
    const { name, report, refusal } = await core.Call("Report");
    if (refusal) await ShowMessage(refusal);
    else DownloadBytes(name, report, "text/plain");
  });

  const ConvertAll = (toFolder) =>
    Command(async () => {
      const folder = toFolder ? await PickFolder() : null;
      if (toFolder && !folder) return;
      const files = fileList.Files.slice();
      let stopped = false;
      let stoppedAfter = 0;
      stopping = () => (stopped = true);
      await ShowPage(FoutenPage);
      await ShowResult(await core.Call("StartBatch"));
      const reports = new Map();
      try {
        for (const [i, file] of files.entries()) {
          // The core tells why a file gives no report; the run goes on with the next.
          const converted = await core.Call("ConvertFile", file);
          if (converted) {
            const { result, name, report } = converted;
            if (!(await ShowResult(result))) return;
            if (report) {
              saveButton.disabled = false;
              if (folder) await WriteReport(folder, file, name, report);
              reports.set(name, { report });
            }
          }
          status[1].textContent = FillIn(T.VanBestanden, i + 1, files.length);
          await Repaint();
          if (stopped && i + 1 < files.length) {
            stoppedAfter = i + 1;
            break;
          }
        }
        await ShowResult(await core.Call("FinishBatch"));
        status[1].textContent = stoppedAfter
          ? FillIn(T.GestoptNa, stoppedAfter, files.length)
          : "";
      } finally {
        if (!folder && reports.size > 0) DownloadZip(ZipName, reports);
        byId("ErrorGrid").focus();
      }
    });

  // A report the browser cannot write is that file's outcome, told by the core; the run goes on.
  async function WriteReport(folder, file, name, report) {
    try {
      await WriteToFolder(folder, name, report);
    } catch (e) {
      const target = `${folder.name}/${name}`;
      await ShowResult(await core.Call("NotWritten", file.name, target, e?.name ?? ""));
    }
  }

  const CopyErrors = Command(async () => CopyText(await core.Call("ErrorText")));

  // From a finding to its line: the input table's row of the line, selected and in view.
  const ShowFinding = Command(async (row) => {
    const inputRow = await core.Call("FindingRow", row);
    if (inputRow < 0) return;
    await ShowPage(1);
    const view = views[0];
    view.element.focus({ preventScroll: true });
    view.anchor = { c: view.shape.ColCount - 1, r: inputRow };
    await view.MoveTo({ c: 0, r: inputRow }, true);
  });

  const fileList = new TFileList(byId("InFileListBox"), core, Open);
  const AddFiles = async (files) => {
    await fileList.Add(files);
    for (const b of doAllButtons) b.disabled = fileList.Files.length === 0;
  };

  for (const tab of tabs) {
    tab.addEventListener("click", () => ShowPage(Number(tab.dataset.page)));
    // Arrows go from tab to tab, as in the window's page control.
    tab.addEventListener("keydown", (e) => {
      const step = { ArrowLeft: -1, ArrowRight: 1 }[e.key];
      if (!step) return;
      e.preventDefault();
      const next = tabs[(tabs.indexOf(tab) + step + tabs.length) % tabs.length];
      next.focus();
      ShowPage(Number(next.dataset.page));
    });
  }
  byId("PickButton").addEventListener("click", () => byId("FilePicker").click());
  byId("FilePicker").addEventListener("change", async (e) => {
    await AddFiles([...e.target.files]);
    e.target.value = "";
    byId("InFileListBox").focus();
  });
  const dropZone = byId("DropZone");
  document.addEventListener("dragover", (e) => {
    e.preventDefault();
    dropZone.classList.add("dragging");
  });
  document.addEventListener("dragleave", () => dropZone.classList.remove("dragging"));
  document.addEventListener("drop", async (e) => {
    e.preventDefault();
    dropZone.classList.remove("dragging");
    const dropped = [...e.dataTransfer.files];
    const taken = dropped.filter(IsCsv);
    const refused = dropped.filter((f) => !IsCsv(f)).map((f) => f.name);
    await ShowPage(0);
    await AddFiles(taken);
    if (refused.length > 0)
      await ShowMessage(`${T.NietOvergenomen}\r${refused.join("\r")}\r\r${T.AlleenCsv}`);
    if (taken.length > 0) fileList.Open(fileList.Files.find((f) => f.name === taken[0].name));
  });
  document.addEventListener("keydown", (e) => {
    if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === "s") {
      e.preventDefault();
      if (!saveButton.disabled) Save();
    }
  });
  byId("DoAllBitBtn").addEventListener("click", ConvertAll(false));
  byId("DoAllFolderBtn").addEventListener("click", ConvertAll(true));
  saveButton.addEventListener("click", Save);
  byId("ClipBoardBitBtn").addEventListener("click", CopyErrors);
  await RefreshViews();
  // Served from a web address, the page keeps itself for use offline; a failure to do so
  // leaves the page working and is told like any other.
  if (document.querySelector('link[rel="manifest"]') && "serviceWorker" in navigator)
    navigator.serviceWorker.register("sw.js");
  document.body.dataset.ready = "true";
}

window.addEventListener("unhandledrejection", (e) =>
  ShowMessage(String(e.reason?.message ?? e.reason)),
);
Main().catch((e) => ShowMessage(`Morvelander kan niet starten: ${e.message || e}`));
