// Keeps the page's files so that the game plays offline once it has loaded:
// answers from the cache first, and refreshes the cache when the network can.
const CACHE = "mirelink-2";
const FILES = ["./", "index.html", "page.js", "mirelink.js", "manifest.webmanifest",
               "icons/mirelink-192.png", "icons/mirelink-512.png", "icons/mirelink-maskable.png"];

self.addEventListener("install", event => {
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", event => {
  event.waitUntil(caches.keys()
    .then(keys => Promise.all(keys.filter(key => key !== CACHE).map(key => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", event => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE).then(async cache => {
    const kept = await cache.match(event.request, { ignoreSearch: true });
    const fresh = fetch(event.request).then(response => {
      if (response.ok) cache.put(event.request, response.clone());
      return response;
    }).catch(() => kept);
    return kept ?? fresh;
  }));
});
