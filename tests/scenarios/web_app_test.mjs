// The browser build as an installable app, in Debian's Chromium, headless:
// - first visits with an empty cache on throttled links: the page shows the loading picture and a
//   growing bar from its first second, the bytes fetched up to the menu, the time to the menu;
// - the manifest (every member, every icon at its size), Chromium's installability check, no
//   answer of 400 or above on any visit;
// - after one visit the worker holds the build: a repeat visit and a start with the network off
//   take little more than the game's own delays; offline, a round plays and an option is kept;
// - a rebuilt site with one file changed: the next start still runs the old build whole, the one
//   after takes the new build whole; the saves stay.
//   node web_app_test.mjs <address> <site folder> <repository root>
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const { chromium } = require(path.resolve(path.dirname(new URL(import.meta.url).pathname),
  '../../tools/web/node_modules/playwright-core'));

const [address, site, root] = process.argv.slice(2);
const kMenu = new Set([1, 8]);  // the menu, or its fade-in: on screen either way
let failures = 0;
const errors = [];

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

// Times are judged only on a machine not crowded by other work (at most two runnable tasks per
// core over the last minute, as on CI's two cores running two tests): elsewhere they are printed.
function checkTime(ok, what) {
  const [load] = os.loadavg();
  const cores = os.cpus().length;
  if (load > 2 * cores) console.log(`---- ${what}: not judged, the machine is crowded (load ${load.toFixed(1)} on ${cores} cores)`);
  else check(ok, what);
}

const args = ['--headless=new', '--use-gl=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox'];
const options = { viewport: { width: 1024, height: 768 }, hasTouch: true };
const probe = (page, what) => page.evaluate((w) => (window.Module && Module.calledRun ? Module._WebProbe(w) : -1), what)
  .catch(() => -1);

async function waitFor(page, what, test, seconds, label) {
  const until = Date.now() + seconds * 1000;
  for (;;) {
    const value = await probe(page, what);
    if (test(value)) return true;
    if (Date.now() > until) {
      check(false, `${label} (last value ${value})`);
      return false;
    }
    await page.waitForTimeout(20);
  }
}

async function tap(cdp, x, y) {
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y, id: 9 }] });
  await new Promise((r) => setTimeout(r, 60));
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await new Promise((r) => setTimeout(r, 60));
}

// Every answer the page gets, worker's or network's, checked for errors.
function watch(page, label) {
  page.on('response', (response) => {
    if (response.status() >= 400) errors.push(`${label}: ${response.status()} ${response.url()}`);
  });
  page.on('pageerror', (error) => errors.push(`${label}: script error ${error.message}`));
}

// Seconds from the start of a navigation to the menu on screen, and the game's own delays by
// then (the waits it asked for: the start-up floor the native bench reports).
async function timeToMenu(page, go, label) {
  const started = Date.now();
  await go();
  const shown = await waitFor(page, 0, (scene) => kMenu.has(scene), 120, `${label}: the menu appears`);
  const seconds = (Date.now() - started) / 1000;
  const floor = (await probe(page, 11)) / 1000;
  return { shown, seconds, floor };
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, args });

// ---- First visits with an empty cache on slow links. ----
for (const link of [{ name: '9 Mbit/s, 40 ms', bits: 9e6, latency: 40, limit: 6 },
  { name: '1.6 Mbit/s, 150 ms', bits: 1.6e6, latency: 150, limit: 20 }]) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  watch(page, link.name);
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: link.latency,
    downloadThroughput: link.bits / 8, uploadThroughput: link.bits / 8 });
  let bytes = 0, menuUp = false;
  const fetched = [];
  const names = new Map();
  cdp.on('Network.requestWillBeSent', (e) => names.set(e.requestId, e.request.url));
  cdp.on('Network.loadingFinished', (e) => {
    if (menuUp) return;
    bytes += e.encodedDataLength;
    fetched.push(`${path.basename(new URL(names.get(e.requestId) || address).pathname) || '/'} ${e.encodedDataLength}`);
  });
  // The look of the first second, and the bar growing while the data comes.
  const bars = [];
  let firstLook = null;
  const started = Date.now();
  const navigation = page.goto(address, { waitUntil: 'commit' });
  await navigation;
  const sampler = (async () => {
    while (!menuUp) {
      const look = await page.evaluate(() => {
        const status = document.getElementById('status');
        const bar = status && status.querySelector('.bar');
        const picture = performance.getEntriesByType('resource').find((r) => r.name.endsWith('/loading.jpg'));
        return status && bar ? { shown: getComputedStyle(status).display !== 'none', width: parseFloat(bar.style.width) || 0,
          picture: Boolean(picture && picture.responseEnd > 0), at: performance.now() } : null;
      }).catch(() => null);
      if (look && look.shown) bars.push(look.width);
      if (look && look.shown && look.picture && firstLook === null) firstLook = look.at / 1000;
      await page.waitForTimeout(100);
    }
  })();
  const shown = await waitFor(page, 0, (scene) => kMenu.has(scene), 120, `${link.name}: the menu appears`);
  const seconds = (Date.now() - started) / 1000;
  menuUp = true;
  await sampler;
  console.log(`first visit at ${link.name}: menu after ${seconds.toFixed(2)} s, ${(bytes / 1e6).toFixed(3)} MB fetched ` +
    `(${fetched.join(', ')}); loading picture shown after ${firstLook === null ? '-' : firstLook.toFixed(2)} s`);
  check(shown, `${link.name}: the menu shows`);
  checkTime(seconds <= link.limit, `${link.name}: the menu shows within ${link.limit} s (${seconds.toFixed(2)} s)`);
  check(bytes > 1e6 && bytes <= 3e6, `${link.name}: at most 3 MB fetched before the menu (${(bytes / 1e6).toFixed(3)} MB)`);
  check(firstLook !== null && firstLook <= 1.5, `${link.name}: the loading picture shows in the first second or so`);
  const between = bars.filter((w) => w > 0 && w < 100);
  check(between.length > 0 && bars.indexOf(between[0]) <= bars.indexOf(Math.max(...bars)),
    `${link.name}: the bar grows through the download (${between.length} readings in between)`);
  if (link.bits < 2e6) await page.screenshot({ path: path.join(os.tmpdir(), 'velmora-web-app-loading.png') });
  await context.close();
}
await browser.close();

// ---- One visit with a lasting profile: manifest, installability, the worker's copy. ----
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-app-'));
let context = await chromium.launchPersistentContext(profile, { executablePath: '/usr/bin/chromium', headless: true,
  args, ...options });
let page = context.pages()[0] || await context.newPage();
watch(page, 'lasting profile');
await page.goto(address);
await waitFor(page, 0, (scene) => kMenu.has(scene), 120, 'first visit: the menu appears');
const firstBuild = await page.evaluate(() => window.velmoraBuild);
const cached = await page.evaluate(async () => {
  const registration = await navigator.serviceWorker.ready;
  const name = `velmora-${window.velmoraBuild}`;
  for (let i = 0; i < 600 && !(registration.active && registration.active.state === 'activated' &&
    (await caches.keys()).includes(name)); ++i) await new Promise((r) => setTimeout(r, 100));
  const cache = await caches.open(name);
  return { keys: await caches.keys(), files: (await cache.keys()).map((r) => new URL(r.url).pathname.slice(1)).sort() };
});
check(cached.keys.length === 1 && cached.keys[0] === `velmora-${firstBuild}` && cached.files.includes('Velmora.data') &&
  cached.files.includes('index.html') && cached.files.includes('Velmora.wasm'),
  `after one visit the worker holds the build in its own cache (${cached.keys}: ${cached.files.length} files)`);

let cdp = await context.newCDPSession(page);
const { errors: manifestErrors, data } = await cdp.send('Page.getAppManifest');
const manifest = JSON.parse(data || '{}');
check(manifestErrors.length === 0, `the manifest parses with no error (${JSON.stringify(manifestErrors)})`);
check(manifest.name === 'Vel Mora' && manifest.short_name === 'Vel Mora' && manifest.description.length > 20 &&
  manifest.start_url === './' && manifest.scope === './' && manifest.display === 'fullscreen' &&
  manifest.display_override[0] === 'fullscreen' && manifest.display_override.includes('standalone') &&
  manifest.orientation === 'landscape' && /^#[0-9a-f]{6}$/.test(manifest.theme_color) &&
  /^#[0-9a-f]{6}$/.test(manifest.background_color), 'the manifest names, places, shows and colours the app');
const icons = await page.evaluate(async (list) => Promise.all(list.map(async (icon) => {
  const bitmap = await createImageBitmap(await (await fetch(icon.src)).blob());
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const context2d = canvas.getContext('2d');
  context2d.drawImage(bitmap, 0, 0);
  return { ...icon, width: bitmap.width, height: bitmap.height, corner: context2d.getImageData(0, 0, 1, 1).data[3] };
})), manifest.icons || []);
for (const size of [192, 512]) {
  check(icons.some((i) => i.sizes === `${size}x${size}` && i.width === size && i.height === size && i.purpose === 'any'),
    `an icon of ${size} x ${size} pixels is listed at its real size`);
}
check(icons.some((i) => i.purpose === 'maskable' && i.width === 512 && i.height === 512 && i.corner === 255),
  'a maskable icon fills its whole square');
const installability = await cdp.send('Page.getInstallabilityErrors');
check(installability.installabilityErrors.length === 0,
  `Chromium finds the page installable (${JSON.stringify(installability.installabilityErrors)})`);
const head = await page.evaluate(() => ({
  touch: document.querySelector('link[rel="apple-touch-icon"]')?.href,
  capable: document.querySelector('meta[name="apple-mobile-web-app-capable"]')?.content,
  bar: document.querySelector('meta[name="apple-mobile-web-app-status-bar-style"]')?.content,
  favicon: document.querySelector('link[rel="icon"]')?.href,
}));
const touchIcon = await page.evaluate(async (src) => {
  const bitmap = await createImageBitmap(await (await fetch(src)).blob());
  return bitmap.width;
}, head.touch);
check(touchIcon === 180 && head.capable === 'yes' && head.bar && head.favicon,
  'the page has the home-screen icon and tags iOS reads, and a favicon');

// The browser is asked to keep the storage on the first touch.
await page.evaluate(() => {
  window.persistAsked = 0;
  const original = navigator.storage.persist.bind(navigator.storage);
  navigator.storage.persist = () => { window.persistAsked += 1; return original(); };
  navigator.storage.persisted = async () => false;
});
await tap(cdp, 900, 100);
await page.waitForTimeout(300);
check(await page.evaluate(() => window.persistAsked) === 1, 'the page asks the browser to keep its storage');

// ---- A repeat visit, then starts with the network off. ----
const repeat = await timeToMenu(page, () => page.reload(), 'repeat visit');
await context.setOffline(true);
const offline = await timeToMenu(page, () => page.reload(), 'offline start');
for (const [label, run] of [['a repeat visit', repeat], ['a start with no network', offline]]) {
  console.log(`${label}: menu after ${run.seconds.toFixed(2)} s; the game's own delays ${run.floor.toFixed(2)} s; ` +
    `ratio ${(run.seconds / run.floor).toFixed(2)}`);
  check(run.shown && run.floor > 1, `${label}: the menu shows after the game's own delays`);
  checkTime(run.seconds <= 1.5 * run.floor,
    `${label} reaches the menu within 1.5 x the start-up floor (${run.seconds.toFixed(2)} s against ${run.floor.toFixed(2)} s)`);
}
check(await page.evaluate(() => window.velmoraBuild) === firstBuild, 'offline, the page is the cached build');

// Offline: a round plays, and an option change is kept across a reload.
await page.goto(`${address}?fast`);
await waitFor(page, 0, (scene) => scene === 1, 60, 'offline with fast frames: the menu appears');
cdp = await context.newCDPSession(page);
await tap(cdp, 500, 370);
await waitFor(page, 0, (scene) => scene === 3, 20, 'offline, FREE PLAY starts a round');
const fired = [];
for (let i = 0; i < 10; ++i) {
  await tap(cdp, 82, 710);
  fired.push(await probe(page, 3));
}
const stillPlaying = await probe(page, 0);
check([3, 4, 11].includes(stillPlaying) && Math.max(...fired) > 0,
  `offline, the round plays: the fire button fires (up to ${Math.max(...fired)} bolts in flight)`);
await page.reload();
await waitFor(page, 0, (scene) => scene === 1, 60, 'offline reload: the menu appears');
cdp = await context.newCDPSession(page);
const soundBefore = await probe(page, 6);
await tap(cdp, 500, 430);
await waitFor(page, 0, (scene) => scene === 5, 20, 'offline, OPTIONS opens the options');
await tap(cdp, 420, 420);
await waitFor(page, 6, (sound) => sound === 1 - soundBefore, 10, 'offline, the sound toggle changes the option');
await tap(cdp, 450, 700);
await page.waitForTimeout(800);  // written through to the browser's storage
await page.reload();
await waitFor(page, 0, (scene) => scene === 1, 60, 'offline reload after the change: the menu appears');
check(await probe(page, 6) === 1 - soundBefore, 'offline, the option change is kept across a reload');
const option = await probe(page, 6);
await context.setOffline(false);

// ---- A rebuilt site with one changed file. ----
fs.appendFileSync(path.join(site, 'Velmora.js'), '\n// rebuilt\n');
execFileSync('python3', ['-B', path.join(root, 'tools/web/make_site.py'), site, root, path.join(root, 'build/Data')],
  { stdio: 'ignore' });
const hasMarker = () => page.evaluate(async () => (await (await fetch('Velmora.js')).text()).includes('// rebuilt'));
await page.reload();
await waitFor(page, 0, (scene) => scene === 1, 60, 'the start after the rebuild: the menu appears');
check(await page.evaluate(() => window.velmoraBuild) === firstBuild && !(await hasMarker()),
  'the first start after the rebuild runs the old build whole');
const waiting = await page.evaluate(async () => {
  const registration = await navigator.serviceWorker.getRegistration();
  for (let i = 0; i < 600 && !registration.waiting; ++i) {
    await registration.update().catch(() => {});
    await new Promise((r) => setTimeout(r, 100));
  }
  return Boolean(registration.waiting);
});
check(waiting, 'the new build is copied whole and waits');
// A round started now is not cut off by the new build.
cdp = await context.newCDPSession(page);
await tap(cdp, 500, 370);
await waitFor(page, 0, (scene) => scene === 3, 20, 'a round starts while the new build waits');
await page.waitForTimeout(2000);
check([3, 4, 11].includes(await probe(page, 0)) && await page.evaluate(() => window.velmoraBuild) === firstBuild,
  'the waiting build never replaces the page in the middle of a round');
await page.reload();
await waitFor(page, 0, (scene) => kMenu.has(scene), 60, 'the next start: the menu appears');
const secondBuild = await page.evaluate(() => window.velmoraBuild);
const keys = await page.evaluate(() => caches.keys());
check(secondBuild !== firstBuild && await hasMarker() && keys.length === 1 && keys[0] === `velmora-${secondBuild}`,
  `the next start takes the new build whole and drops the old one (${firstBuild} -> ${secondBuild}; ${keys})`);
check(await probe(page, 6) === option, 'the saves are untouched by the update');
await context.close();
fs.rmSync(profile, { recursive: true, force: true });

check(errors.length === 0, `no error answer and no script error on any visit (${errors.join('; ')})`);
console.log(failures ? `${failures} check(s) failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
