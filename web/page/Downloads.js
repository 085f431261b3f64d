// Reports leave the page as downloads, as one zip, or into a folder the user picks.
import { zipSync } from "fflate";

export function DownloadBytes(name, bytes, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  // The browser has taken the file by the time the next tasks run.
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// reports: a Map from file name to { report: bytes }.
export function DownloadZip(name, reports) {
  const stored = Object.fromEntries(
    [...reports].map(([file, { report }]) => [file, [report, { mtime: new Date() }]]),
  );
  DownloadBytes(name, zipSync(stored, { level: 6 }), "application/zip");
}

export const CanPickFolder = typeof window.showDirectoryPicker === "function";

// Asks for a folder to write reports into; null when the user cancels.
export async function PickFolder() {
  try {
    return await window.showDirectoryPicker({ id: "morvelander-reports", mode: "readwrite" });
  } catch (e) {
    if (e.name === "AbortError") return null;
    throw e;
  }
}

// The browser writes the new content aside and puts it in place when the stream closes, so a
// failed write leaves the old report.
export async function WriteToFolder(folder, name, bytes) {
  const handle = await folder.getFileHandle(name, { create: true });
  const stream = await handle.createWritable();
  try {
    await stream.write(bytes);
    await stream.close();
  } catch (e) {
    await stream.abort();
    throw e;
  }
}
