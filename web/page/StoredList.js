// The input list kept across a reload: where the browser gives file handles, they are stored
// in the page's IndexedDB and read back at the next start; a stored handle may be read again
// only after the browser has asked the user anew.
const Database = "morvelander";
const Store = "invoer";
const Key = "lijst";

function Request(request) {
  return new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function Transaction(mode, work) {
  const open = indexedDB.open(Database, 1);
  open.onupgradeneeded = () => open.result.createObjectStore(Store);
  const db = await Request(open);
  try {
    return await Request(work(db.transaction(Store, mode).objectStore(Store)));
  } finally {
    db.close();
  }
}

// Whether the entries can be kept: all of them have handles.
export const CanKeep = (entries) => entries.every((e) => e.handle);

// Keeps the entries that have handles, in place of the ones kept before.
export async function KeepList(entries) {
  const handles = entries.filter((e) => e.handle).map((e) => e.handle);
  await Transaction("readwrite", (store) => store.put(handles, Key));
}

// The entries kept at the last change of the list; none where nothing was kept.
export async function KeptList() {
  const handles = (await Transaction("readonly", (store) => store.get(Key))) ?? [];
  return handles.map((handle) => ({ name: handle.name, handle, file: null }));
}

// Asks the browser for leave to read the handle's file, as it requires after a reload. A
// browser that will not ask (no click to answer) refuses the read that follows, which tells.
export async function MayRead(handle) {
  if (!handle?.queryPermission) return;
  if ((await handle.queryPermission({ mode: "read" })) === "granted") return;
  await handle.requestPermission({ mode: "read" }).catch(() => "denied");
}
