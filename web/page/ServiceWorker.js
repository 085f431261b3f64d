// Keeps the page (its core and WebAssembly inlined) and its app files for use without a
// network. The builder fills in the cache's name, which changes with the page, and the files.
const CacheName = "/* cache */";
const Files = [
  "./",
  "index.html",
  "manifest.webmanifest",
  "icon.svg",
  "icon-192.png",
  "icon-512.png",
];

self.addEventListener("install", (e) => {
  e.waitUntil(
    caches
      .open(CacheName)
      .then((cache) => cache.addAll(Files))
      .then(() => self.skipWaiting()),
  );
});

// A new page's worker lets go of the older pages' caches and serves the open pages at once.
self.addEventListener("activate", (e) => {
  e.waitUntil(
    caches
      .keys()
      .then((names) => names.filter((n) => n !== CacheName))
      .then((old) => Promise.all(old.map((n) => caches.delete(n))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener("fetch", (e) => {
  if (e.request.method !== "GET") return;
  e.respondWith(
    caches
      .open(CacheName)
      .then((cache) => cache.match(e.request, { ignoreSearch: true }))
      .then((hit) => hit ?? fetch(e.request)),
  );
});
