'use strict';
// The game's files for play with no network. Each build has a cache of its own, named after the
// build, filled whole and checked file by file against the build's list before it may serve: a
// page is always served one build, never a mix of two. A new build's worker waits until the page
// hands over to it at its next start (app.js); then the older builds' caches are dropped. The
// user folder lives in IndexedDB, which the worker never touches.
const BUILD = '@VELMORA_BUILD@';
const FILES = @VELMORA_FILES@;  // [name, SHA-256 of its bytes]
const CACHE = `velmora-${BUILD}`;
const NAMES = new Set(FILES.map(([name]) => name));

async function sha256(buffer) {
  const bytes = new Uint8Array(await crypto.subtle.digest('SHA-256', buffer));
  return Array.from(bytes, (b) => b.toString(16).padStart(2, '0')).join('');
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    await caches.delete(CACHE);  // what an earlier, broken-off install left
    const cache = await caches.open(CACHE);
    try {
      for (const [name, digest] of FILES) {
        // Revalidated, so an unchanged file comes from the browser's HTTP cache at no cost.
        const response = await fetch(name, { cache: 'no-cache' });
        if (!response.ok) throw new Error(`${name}: HTTP ${response.status}`);
        if (await sha256(await response.clone().arrayBuffer()) !== digest) {
          throw new Error(`${name} is not the file of build ${BUILD} (the site changed meanwhile)`);
        }
        await cache.put(name, response);
      }
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
  })());
});

self.addEventListener('message', (event) => {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    await self.clients.claim();
    for (const name of await caches.keys()) {
      if (name.startsWith('velmora-') && name !== CACHE) await caches.delete(name);
    }
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  // The page answers every address in the scope that names no file of the build (?fast, ?bench).
  let name = url.pathname.slice(scope.pathname.length);
  if (name === '' || (request.mode === 'navigate' && !NAMES.has(name))) name = 'index.html';
  if (!NAMES.has(name)) return;
  event.respondWith((async () => {
    const cached = await (await caches.open(CACHE)).match(name);
    return cached || fetch(request);
  })());
});
