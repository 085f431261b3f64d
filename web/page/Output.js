// Reports leave the page as downloads: one report, or the zip of "Alle" that the worker made;
// or the worker writes them into a folder the user picks.
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

// The zip of a run on the given day, so that the runs of different days keep apart.
export function ZipName(date) {
  const two = (n) => String(n).padStart(2, "0");
  return `Fide2006-${date.getFullYear()}-${two(date.getMonth() + 1)}-${two(date.getDate())}.zip`;
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
