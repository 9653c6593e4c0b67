// The browser's storage kept when it cannot be read, missing or full, in Debian's Chromium,
// headless: a seeded campaign survives a visit whose first storage read fails (which says so); a
// browser without IndexedDB shows the menu with its notice; a copy the storage refuses is
// reported and the last good one loads next time.
//   node web_storage_test.mjs <address>
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { openEngine, probe, tap } from '../../tools/web/engines.mjs';

const [address] = process.argv.slice(2);
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-storage-'));
let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`); failures += ok ? 0 : 1; };

// One visit: a fresh browser on the same profile (the last visit's closed first), the init script
// run before the page's own.
let v = null;
async function visit(what, init = () => {}, argument = null) {
  await v?.context.close();
  const s = await openEngine('chromium', profile);
  await s.page.addInitScript(init, argument);
  await s.goto(`${address}?fast`);
  const until = async (n, test, label) => {
    for (const end = Date.now() + 60000; Date.now() < end; await s.page.waitForTimeout(50)) if (test(await probe(s, n))) return true;
    check(false, `${what}: ${label} (last value ${await probe(s, n)})`);
    return false;
  };
  await until(0, (scene) => scene === 1 || scene === 11, 'the menu appears');  // with or without a box
  return { context: s.context, page: s.page, probe: (n) => probe(s, n), until, click: (x, y) => tap(s, [x, y]) };
}

const seeded = 'Vel mora >>3;3;3;3;6;42424<<'.padEnd(50, '\0');
v = await visit('first visit', (save) => {
  window.velmoraBeforeStart = (FS) => FS.writeFile('/Data/User/VelMoraSaveGame.sav', save);
}, seeded);
await v.until(5, (level) => level === 6, 'the seeded campaign is loaded');
await v.page.evaluate(() => new Promise((stored) => { Module.onUserFolderSaved = stored; Module.syncUserFolder(); }));

v = await visit('a first read that fails', () => {
  const open = IDBFactory.prototype.open;
  IDBFactory.prototype.open = function (...args) {
    IDBFactory.prototype.open = open;
    throw new DOMException('the storage is busy', 'UnknownError');
  };
});
await v.until(15, (notice) => notice === 4, 'the notice says the storage could not be read');
check(await v.probe(0) === 11 && await v.probe(5) === 1, 'the box is open over a campaign from the start');
v = await visit('the next normal visit');
check(await v.probe(5) === 6 && await v.probe(4) === 42424, 'the seeded campaign is intact');
const tab = await v.context.newPage();  // the game open twice: the second tab keeps nothing
await tab.goto(`${address}?fast`);
await tab.waitForFunction(() => window.Module && Module.calledRun && Module._WebProbe(15) === 1, null, { timeout: 60000 })
  .then(() => check(true, 'a second tab says the game is open elsewhere'), () => check(false, 'a second tab says so'));

v = await visit('no IndexedDB', () => Object.defineProperty(window, 'indexedDB', { value: undefined }));
await v.until(15, (notice) => notice === 5, 'the menu comes with the notice that progress is not kept');

v = await visit('a full storage', () => {
  const put = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = function (...args) {
    const request = put.apply(this, args);
    this.transaction.abort();  // as a commit over the quota is refused
    return request;
  };
});
await v.click(512, 435);
await v.until(0, (scene) => scene === 5, 'OPTIONS opens the options');
await v.click(500, 425);
await v.until(15, (notice) => notice === 6, 'turning sound off is refused with the notice');
v = await visit('after the refused copy');
check(await v.probe(6) === 1 && await v.probe(4) === 42424, 'the last good copy loads: sound on, the campaign kept');
await v.context.close();

fs.rmSync(profile, { recursive: true, force: true });
console.log(failures === 0 ? 'all storage checks passed' : `${failures} storage check(s) failed`);
process.exit(failures === 0 ? 0 : 1);
