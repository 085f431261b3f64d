// The page's window: the input list, the three tables, the status line and the commands. The
// core runs in a worker; this thread only draws and answers the user. This module wires the
// page's parts together.
import { AskBeforeUnload, KeepOffline, TakeLaunches } from "./AppShell.js";
import { CopyText, TCommands } from "./Commands.js";
import { ShowWholeOnHover } from "./CutText.js";
import { TCore } from "./Core.js";
import { TFileList } from "./FileList.js";
import { BindKeys } from "./Keys.js";
import { ShowMessage } from "./MessageBox.js";
import { CanPickFolder } from "./Output.js";
import {
  CanPickHandles,
  DroppedEntries,
  FileEntries,
  HandleEntries,
  PickEntries,
  RefusedText,
  SetInputExtension,
} from "./Picking.js";
import { BindSeparator, DecimalSeparator } from "./Separator.js";
import { CanKeep, KeepList, KeptList } from "./StoredList.js";
import { TTableView } from "./TableView.js";
import { FailureText, LoadTexts, T } from "./Texts.js";

const BodyFont = "11px Tahoma, Verdana, sans-serif";

const byId = (id) => document.getElementById(id);
const Told = (e) => ShowMessage(FailureText(e));

// The drawn width of every code page 1252 character in the font.
function FontWidths(font) {
  const context = document.createElement("canvas").getContext("2d");
  context.font = font;
  const decoder = new TextDecoder("windows-1252");
  return Array.from({ length: 256 }, (_, c) =>
    Math.round(context.measureText(decoder.decode(new Uint8Array([c]))).width),
  );
}

// What a fresh core took: its caption, the decimal separator it uses, and the files it takes.
function ShowStart({ Caption, Separator, Extension }) {
  document.title = Caption;
  byId("Caption").textContent = Caption;
  byId("DecimalSeparator").value = Separator;
  SetInputExtension(Extension);
  byId("FilePicker").accept = `${Extension},${Extension.toUpperCase()},text/csv`;
}

async function Main() {
  let commands = null;
  const core = new TCore(
    byId("CoreWorkerScript").textContent,
    [DecimalSeparator(), FontWidths(BodyFont), FontWidths(`bold ${BodyFont}`)],
    (text) => commands?.ShowProgress(text),
  );
  ShowStart(await core.Start());
  await LoadTexts(core);

  const tabs = [...byId("PageControl").children];
  const views = ["InputGrid", "ToernooiGrid", "ErrorGrid"].map(
    (id, which) =>
      new TTableView(byId(id), core, which, {
        onCopy: (text) => CopyText(text).catch(Told),
        onActivate: which === 2 ? (row) => commands.ShowRow(row) : null,
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

  const doAllButtons = [byId("DoAllBitBtn"), byId("DoAllFolderBtn")];
  byId("DoAllFolderBtn").hidden = !CanPickFolder;
  let kept = [];
  const fileList = new TFileList(byId("InFileListBox"), core, {
    onOpen: (entry) => commands.OpenWhenFree(entry),
    onChange: (entries) => {
      for (const b of doAllButtons) b.disabled = entries.length === 0;
      byId("ClearListButton").disabled = entries.length === 0;
      byId("RemoveButton").disabled = fileList.Chosen.length === 0;
      // Only a change of the list itself is kept, not one of the choice in it.
      const same = entries.length === kept.length && entries.every((e, i) => e === kept[i]);
      if (!CanPickHandles || same) return;
      kept = [...entries];
      KeepList(entries).catch(Told);
    },
  });
  commands = new TCommands({
    core,
    views,
    showPage: ShowPage,
    files: () => fileList.Files,
    shown: (entry) => fileList.Shown(entry),
  });
  byId("RemoveButton").addEventListener("click", () => fileList.Remove());
  byId("ClearListButton").addEventListener("click", () => fileList.Clear());

  // Files that come in are listed; the refused are named; the first taken opens, when the
  // command running has ended. During "Alle" they only join the list: the run's outcome stays
  // on screen until the user opens a file.
  async function Take({ taken, refused }, open) {
    const running = commands.RunningAll;
    if (!running) await ShowPage(0);
    await fileList.Add(taken);
    if (refused.length > 0) await ShowMessage(RefusedText(refused));
    if (open && !running && taken.length > 0) await commands.OpenWhenFree(taken[0]);
  }

  byId("PickButton").addEventListener("click", async () => {
    if (!CanPickHandles) {
      byId("FilePicker").click();
      return;
    }
    await Take(await PickEntries(), false).catch(Told);
    byId("InFileListBox").focus();
  });
  byId("FilePicker").addEventListener("change", async (e) => {
    await Take(await FileEntries([...e.target.files]), false).catch(Told);
    e.target.value = "";
    byId("InFileListBox").focus();
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
    DroppedEntries(e.dataTransfer)
      .then((entries) => Take(entries, true))
      .catch(Told);
  });
  BindKeys({ tabs, showPage: ShowPage, saveButton: byId("SaveDataBitBtn"), save: commands.Save });
  byId("DoAllBitBtn").addEventListener("click", commands.ConvertAll(false));
  byId("DoAllFolderBtn").addEventListener("click", commands.ConvertAll(true));
  byId("SaveDataBitBtn").addEventListener("click", commands.Save);
  byId("ClipBoardBitBtn").addEventListener("click", commands.CopyErrors);
  // A new separator holds from the next conversion on; the core starts anew, and the file on
  // view is converted anew, so that its tables and report follow it.
  BindSeparator(byId("DecimalSeparator"), async (separator) => {
    const opened = commands.Opened;
    ShowStart(await core.SetSeparator(separator));
    await commands.Cleared();
    if (opened) await commands.OpenWhenFree(opened);
  });
  await commands.RefreshViews();
  ShowWholeOnHover(byId("StatusBar"), "span");

  if (CanPickHandles) await fileList.Add(
      await KeptList().catch((e) => {
        Told(e);
        return [];
      }),
    );
  AskBeforeUnload(() => !CanKeep(fileList.Files));
  TakeLaunches((handles) =>
    HandleEntries(handles)
      .then((entries) => Take(entries, true))
      .catch(Told),
  );
  KeepOffline();
  document.body.dataset.ready = "true";
}

window.addEventListener("unhandledrejection", (e) => ShowMessage(FailureText(e.reason)));
// A page whose core cannot start has no catalogue: the browser's words are all there is.
Main().catch((e) => ShowMessage(FailureText(e)));
