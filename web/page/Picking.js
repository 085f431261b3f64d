// How files come to the list: picked, dropped or handed over by the system. Only plain files of
// the core's extension are taken, as the window takes them; a folder is refused whatever its
// name. Where the browser gives file handles, the list keeps them, so that every read gets the
// file as it is now; elsewhere it keeps the File the browser gave.
import { T } from "./Texts.js";

// The extension of the files the core converts, as it says it when it starts.
let extension = null;
export function SetInputExtension(ext) {
  extension = ext;
}
const IsInput = (name) => name.toLowerCase().endsWith(extension);

export const CanPickHandles = typeof window.showOpenFilePicker === "function";

// What came in, split: the entries taken and the names refused.
async function Sorted(candidates) {
  const taken = [];
  const refused = [];
  for (const { name, folder, handle, file } of await Promise.all(candidates)) {
    if (folder || !IsInput(name)) refused.push(name);
    else taken.push({ name, handle: handle ?? null, file: file ?? null });
  }
  return { taken, refused };
}

const FromHandle = (handle) => ({
  name: handle.name,
  folder: handle.kind !== "file",
  handle: handle.kind === "file" ? handle : null,
});

export const HandleEntries = (handles) => Sorted(handles.map(FromHandle));

export const FileEntries = (files) => Sorted(files.map((file) => ({ name: file.name, file })));

// Asks for files through the browser's picker that gives handles; none when the user cancels.
export async function PickEntries() {
  try {
    const handles = await window.showOpenFilePicker({
      id: "morvelander-input",
      multiple: true,
      types: [{ description: T.InvoerBestanden, accept: { "text/csv": [extension] } }],
    });
    return HandleEntries(handles);
  } catch (e) {
    if (e.name === "AbortError") return { taken: [], refused: [] };
    throw e;
  }
}

// The entries of a drop. The items are asked at once: after the drop event they are empty.
export function DroppedEntries(transfer) {
  const candidates = [...transfer.items]
    .filter((item) => item.kind === "file")
    .map((item) => {
      const file = item.getAsFile();
      const entry = item.webkitGetAsEntry?.();
      const handle = item.getAsFileSystemHandle?.();
      return (async () => {
        const got = await handle?.catch(() => null);
        if (got) return FromHandle(got);
        return { name: file?.name ?? entry?.name ?? "", folder: entry?.isDirectory, file };
      })();
    });
  return Sorted(candidates);
}

// The drop filter's message for what it did not take.
export const RefusedText = (names) =>
  `${T.NietOvergenomen}\r${names.join("\r")}\r\r${T.AlleenCsv}`;
