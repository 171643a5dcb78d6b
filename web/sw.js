// The page's service worker: at the first visit it keeps a copy of every
// file the page needs, and from then on serves them from that copy, so the
// game plays with the network off.  The build writes its version and file
// list below; a new build's worker fills a new copy and drops the old ones.
"use strict";

const VERSION = "@BODGER_VERSION@";
const FILES = /*@BODGER_FILE_LIST@*/[];
const CACHE = "bodger2010-" + VERSION;

// The copy fills from the network, never from the browser's HTTP cache,
// which could still hold another build's files.
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE)
                      .then((cache) => cache.addAll(FILES.map((f) => new Request(f, {cache: "no-cache"}))))
                      .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
                      .then((names) => Promise.all(names.filter((n) => n.startsWith("bodger2010-") && n !== CACHE)
                                                       .map((n) => caches.delete(n))))
                      .then(() => self.clients.claim()));
});

// The page's own files come from the copy; a file missing there (the copy
// was cleared after a damaged file) comes from the network and is kept again.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET") return;
  const url = new URL(request.url);
  if (url.origin !== self.location.origin) return;
  const scope = new URL(self.registration.scope);
  let name = url.pathname.slice(scope.pathname.length);
  if (name === "") name = "index.html";
  if (!FILES.includes(name)) return;
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(name).then((hit) => {
    if (hit) return hit;
    return fetch(request).then((response) => {
      if (response.ok) cache.put(name, response.clone()).catch(() => {});
      return response;
    });
  })));
});
