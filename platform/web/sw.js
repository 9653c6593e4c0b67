'use strict';
// The game's files for play with no network. Each build has a cache of its own, named after the
// build (build.json: its name and its files with their SHA-256), filled whole and checked file by
// file before it may serve. Every page is served the build it started with, from its first file to
// its last: a newer build, copied whole in the background while a page plays, is what the next
// start gets, and the older build's cache goes once no page runs it. This script stays the same
// from build to build, so no worker ever has to hand over to another for a build to change (a
// hand-over waits until the browser lets the old worker go, which can take minutes). The user
// folder lives in IndexedDB, which the worker never touches.
const STATE = 'velmora-state';  // which build starts next, and which build each page runs
const NETWORK = 'network';  // a page that runs a build the worker has no copy of
const YOUNG_MS = 60000;  // a start just answered may not have made its page yet

const cacheOf = (build) => `velmora-${build}`;

async function sha256(buffer) {
  const bytes = new Uint8Array(await crypto.subtle.digest('SHA-256', buffer));
  return Array.from(bytes, (b) => b.toString(16).padStart(2, '0')).join('');
}

// The state, read once per run of the worker and written back after each change, one write at a
// time: { current: the build a start gets, pages: { client id: [its build, when its start was
// answered, or 0 once the page itself has been heard from] } }.
let state = null;
let writing = Promise.resolve();
function loaded() {
  state ||= caches.open(STATE).then((cache) => cache.match('state')).then((answer) => answer && answer.json())
    .catch(() => null).then((read) => (read && typeof read.pages === 'object' ? read : { current: null, pages: {} }));
  return state;
}
function save() {
  writing = writing.then(async () => {
    const now = await loaded();
    await (await caches.open(STATE)).put('state', new Response(JSON.stringify(now), { headers: { 'Content-Type': 'application/json' } }));
  }).catch((error) => console.warn('The game cannot note which build it runs:', error.message));
  return writing;
}
async function runs(id, build, started = false) {
  if (!id || !build) return;
  (await loaded()).pages[id] = [build, started ? Date.now() : 0];
  await save();
}

// The build the site serves now, copied whole into its own cache (unless it is there already).
// A copy broken off, or one whose files are not the list's, is deleted: it never serves.
async function copyTheSitesBuild() {
  const answer = await fetch('build.json', { cache: 'no-cache' });
  const list = answer.ok ? await answer.json() : null;
  if (!list || typeof list.build !== 'string' || !Array.isArray(list.files)) throw new Error(`build.json: HTTP ${answer.status}, no build list`);
  const now = await loaded();
  if (list.build === now.current) return list.build;
  if (Object.values(now.pages).some(([build]) => build === list.build)) {  // a page runs it: its copy is whole
    now.current = list.build;
    await save();
    return list.build;
  }
  await caches.delete(cacheOf(list.build));
  const cache = await caches.open(cacheOf(list.build));
  try {
    for (const [name, digest] of list.files) {
      // Revalidated, so an unchanged file comes from the browser's HTTP cache at no cost.
      const response = await fetch(name, { cache: 'no-cache' });
      if (!response.ok) throw new Error(`${name}: HTTP ${response.status}`);
      if (await sha256(await response.clone().arrayBuffer()) !== digest) {
        throw new Error(`${name} is not the file of build ${list.build} (the site changed meanwhile)`);
      }
      await cache.put(name, response);
    }
  } catch (error) {
    await caches.delete(cacheOf(list.build));
    throw error;
  }
  now.current = list.build;
  await save();
  return list.build;
}

// Drops what no page can be served any more: the builds no page runs and that no start gets.
async function tidy() {
  const now = await loaded();
  const live = new Set((await self.clients.matchAll({ includeUncontrolled: true })).map((client) => client.id));
  const gone = Object.entries(now.pages).filter(([id, [, since]]) => !live.has(id) && !(since && Date.now() - since < YOUNG_MS));
  for (const [id] of gone) delete now.pages[id];
  if (gone.length > 0) await save();
  const kept = new Set([now.current, ...Object.values(now.pages).map(([build]) => build)].map(cacheOf));
  for (const name of await caches.keys()) {
    if (name.startsWith('velmora-') && name !== STATE && !kept.has(name)) await caches.delete(name);
  }
}

let installed = null;
self.addEventListener('install', (event) => {
  self.skipWaiting();  // a newer worker serves every page the build the older one gave it
  event.waitUntil(copyTheSitesBuild().then((build) => { installed = build; }));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    state = null;  // read again: an older worker may have noted pages meanwhile
    const now = await loaded();
    if (installed && now.current !== installed) {
      now.current = installed;
      await save();
    }
    await self.clients.claim();
  })());
});

// A page whose menu is up says which build it runs and asks for the site's news: a newer build is
// copied whole for the next start. The answer names the build the next start gets.
let looking = Promise.resolve();
self.addEventListener('message', (event) => {
  if (!event.data || typeof event.data.runs !== 'string' || !event.source) return;
  const page = event.source.id, build = event.data.runs, port = event.ports[0];
  looking = looking.catch(() => {}).then(async () => {
    const now = await loaded();
    const held = build === now.current || Object.values(now.pages).some(([kept]) => kept === build);
    await runs(page, held ? build : NETWORK);
    let error = null;
    await copyTheSitesBuild().catch((failure) => { error = failure.message; });
    await tidy().catch((failure) => { error ||= failure.message; });
    if (port) port.postMessage({ next: now.current, error });
  });
  event.waitUntil(looking);
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  const name = url.pathname.slice(scope.pathname.length);
  if (name === 'sw.js' || name === 'build.json') return;
  const start = request.mode === 'navigate';
  let noted = null;
  const answer = (async () => {
    const now = await loaded();
    // A start gets the newest whole build, and the page it makes is noted as running it. A
    // page's own files come from the build it started with; a page never seen starting (a
    // browser that does not say which page a start makes) gets the build starts get now, which
    // is the one it started with.
    const page = now.pages[event.clientId];
    let build = start ? now.current : page && page[0];
    if (start) noted = runs(event.resultingClientId, build, true);
    else if (!build && now.current) noted = runs(event.clientId, build = now.current);
    else if (page && page[1]) noted = runs(event.clientId, build);  // the page it made is heard from
    if (!build || build === NETWORK) return fetch(request);
    const cache = await caches.open(cacheOf(build));
    // The page answers every address in the scope that names no file of the build (?fast, ?bench).
    const cached = (name && await cache.match(name)) || ((start || name === '') && await cache.match('index.html'));
    return cached || fetch(request);
  })();
  event.respondWith(answer);
  event.waitUntil(answer.catch(() => {}).then(() => noted));
});
