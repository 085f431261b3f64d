// The page as an installed app: kept for use offline, the system's "Open with" program for
// *.csv files, and a list that is not lost by a reload without the user being asked.

// Served from a web address, the page keeps itself for use offline; a failure to do so
// leaves the page working and is told like any other.
export function KeepOffline() {
  if (document.querySelector('link[rel="manifest"]') && "serviceWorker" in navigator)
    navigator.serviceWorker.register("sw.js");
}

// The files the system opens with the installed page come as if they were dropped:
// onFiles(handles) for each launch, the first at start-up.
export function TakeLaunches(onFiles) {
  if (!("launchQueue" in window)) return;
  window.launchQueue.setConsumer((params) => {
    if (params.files?.length > 0) onFiles([...params.files]);
  });
}

// Before the page unloads, the browser asks the user whether to leave while mustAsk() holds.
export function AskBeforeUnload(mustAsk) {
  window.addEventListener("beforeunload", (e) => {
    if (!mustAsk()) return;
    e.preventDefault();
    e.returnValue = "";
  });
}
