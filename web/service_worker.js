// The page's service worker: keeps every file of one build in a cache named by that build, so
// that later visits load from it, with or without a network. site_list.cmake writes this file
// into the web build with the build's name and its files filled in. The page puts what it
// fetched on the first visit into the same cache; installing adds whatever is missing. A new
// build brings a new worker and a new cache; once that is complete, the caches of other builds
// are deleted.
const CACHE = 'gaiablade-@BUILD@';
const FILES = ['./', 'site.json', @FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    for (const file of FILES) {
      if (!(await cache.match(file))) await cache.add(file);
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('gaiablade-') && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// From the cache when it has the file, else from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    return (await cache.match(event.request, { ignoreSearch: true })) || fetch(event.request);
  })());
});
