// The browser build played in Debian's Chromium, headless: the loading bar and the menu (against
// the native menu's pixels), a free-play round started and played with two fingers at once until
// the game-over box, an option kept across a reload, and a won mission kept across a browser
// restart.
//   node web_test.mjs <address> <native menu.png> <screenshot folder>
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const { chromium } = require(path.resolve(path.dirname(new URL(import.meta.url).pathname),
  '../../tools/web/node_modules/playwright-core'));

const [address, nativeMenu, shots] = process.argv.slice(2);
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-browser-'));
const kScene = { menu: 1, playing: 3, options: 5, interLevel: 10, messageBox: 11, loading: 999 };
let failures = 0;

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

async function launch(viewport = { width: 1024, height: 768 }) {
  return chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, viewport, hasTouch: true,
    args: ['--headless=new', '--use-gl=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox'],
  });
}

const probe = (page, what) => page.evaluate((w) => (window.Module && Module.calledRun ? Module._WebProbe(w) : -1), what);

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

// Fingers through the browser's own touch input: a start or a move lists the fingers on the glass,
// an end the fingers that lift (none listed: all of them).
async function touch(cdp, type, points) {
  await cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(([x, y, id]) => ({ x, y, id })) });
}
async function tap(page, cdp, x, y) {
  await touch(cdp, 'touchStart', [[x, y, 9]]);
  await page.waitForTimeout(60);
  await touch(cdp, 'touchEnd', []);
  await page.waitForTimeout(60);
}

// Holds an input (start(), then stop()) until the ship's x passes the test or 5 s go by: a
// loaded machine may run few passes. Returns the ship's x at the end.
async function holdUntil(page, start, stop, test) {
  await start();
  const until = Date.now() + 5000;
  let x = await probe(page, 1);
  while (!test(x) && Date.now() < until) {
    await page.waitForTimeout(50);
    x = await probe(page, 1);
  }
  await stop();
  return x;
}

async function menuReady(page, label) {
  await waitFor(page, 0, (scene) => scene === kScene.menu, 60, `${label}: the menu appears`);
  await page.waitForTimeout(300);
}

// Share of pixels of the canvas that differ from the picture by more than a few levels.
async function differenceFrom(page, png) {
  await page.evaluate(() => { document.getElementById('fullscreen').style.visibility = 'hidden'; });
  const shot = await page.locator('#canvas').screenshot();
  await page.evaluate(() => { document.getElementById('fullscreen').style.visibility = ''; });
  return page.evaluate(async ([a, b]) => {
    const pixels = async (base64) => {
      const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
      const canvas = new OffscreenCanvas(1024, 768);
      const context = canvas.getContext('2d');
      context.drawImage(bitmap, 0, 0, 1024, 768);
      return context.getImageData(0, 0, 1024, 768).data;
    };
    const [x, y] = [await pixels(a), await pixels(b)];
    let differing = 0;
    for (let i = 0; i < x.length; i += 4) {
      if (Math.abs(x[i] - y[i]) > 8 || Math.abs(x[i + 1] - y[i + 1]) > 8 || Math.abs(x[i + 2] - y[i + 2]) > 8) differing += 1;
    }
    return differing / (1024 * 768);
  }, [shot.toString('base64'), fs.readFileSync(png).toString('base64')]);
}

// ---- First visit: the page, its download, the loading bar and the menu. ----
let context = await launch();
let page = context.pages()[0] || await context.newPage();
page.on('pageerror', (error) => check(false, `no script error (${error.message})`));
let downloaded = 0;
page.on('requestfinished', async (request) => {
  const sizes = await request.sizes().catch(() => null);
  if (sizes) downloaded += sizes.responseBodySize + sizes.responseHeadersSize;
});
const started = Date.now();
await page.goto(address);
await waitFor(page, 9, (progress) => progress > 0, 60, 'the loading bar grows');
await page.screenshot({ path: path.join(shots, 'web-loading.png') });
const barSeen = await probe(page, 0);
check(barSeen === kScene.loading, 'the loading screen shows while the pictures load');
await menuReady(page, 'first visit');
const toMenu = (Date.now() - started) / 1000;
console.log(`time to the menu: ${toMenu.toFixed(2)} s; downloaded: ${(downloaded / 1e6).toFixed(2)} MB`);
check(downloaded > 1e6 && downloaded <= 8e6, `the first visit downloads at most 8 MB (${(downloaded / 1e6).toFixed(2)} MB)`);
check(await probe(page, 6) === 1 && await probe(page, 7) === 1, 'a first visit starts with the default options');
await page.waitForTimeout(1500);  // the menu's fade is over
const difference = await differenceFrom(page, nativeMenu);
check(difference < 0.01, `the menu matches the native one (${(100 * difference).toFixed(3)} % of pixels differ)`);
await page.screenshot({ path: path.join(shots, 'web-menu.png') });

// ---- Free play with two fingers: one steers with the knob, the other fires. ----
await page.goto(`${address}?fast`);
await menuReady(page, 'fast frames');
let cdp = await context.newCDPSession(page);
const audioStates = () => page.evaluate(() => audioContexts.map((c) => c.state).join(','));
await tap(page, cdp, 500, 370);
await page.waitForTimeout(200);
// (Headless Chromium lets sound start before any gesture; the page resumes it on the first one.)
const audioAfter = await audioStates();
check(audioAfter.length > 0 && !audioAfter.includes('suspended'), `the game's sound runs after a touch (${audioAfter})`);
await waitFor(page, 0, (scene) => scene === kScene.playing, 20, 'tapping FREE PLAY starts a round');
const knob = [946, 693], fire = [82, 710];
await page.evaluate(() => { Module.fastFrames = false; });  // a real second of play
const shipBefore = await probe(page, 1);
const pulled = [knob[0] - 20, knob[1], 1];
await touch(cdp, 'touchStart', [[...knob, 1]]);
await touch(cdp, 'touchMove', [pulled]);
// The fire button fires as its finger lifts: the other thumb taps it while the knob is held.
let boltsSeen = 0, lifts = 0;
const second = Date.now() + 1000;
while (Date.now() < second) {
  await touch(cdp, 'touchStart', [pulled, [...fire, 2]]);
  await page.waitForTimeout(40);
  await touch(cdp, 'touchEnd', [[...fire, 2]]);
  lifts += 1;
  for (let i = 0; i < 3; ++i) {
    boltsSeen = Math.max(boltsSeen, await probe(page, 3));
    await page.waitForTimeout(30);
  }
}
const shipMoved = await probe(page, 1);
check(shipMoved !== shipBefore && boltsSeen > 0,
  `two fingers steer and fire in the same second (ship x ${shipBefore} -> ${shipMoved}, up to ${boltsSeen} bolts in flight)`);
await waitFor(page, 1, (x) => x !== shipMoved, 5, `the steering thumb keeps the knob through ${lifts} lifts of the other finger`);
await page.screenshot({ path: path.join(shots, 'web-free-play.png') });
await touch(cdp, 'touchEnd', []);

// The keyboard steers as on the desktop.
const beforeKeys = await probe(page, 1);
const afterKeys = await holdUntil(page, () => page.keyboard.down('ArrowRight'), () => page.keyboard.up('ArrowRight'),
  (x) => x > beforeKeys + 20);
check(afterKeys > beforeKeys + 20, `the right arrow steers right (ship x ${beforeKeys} -> ${afterKeys})`);
await page.evaluate(() => { Module.fastFrames = true; });
await waitFor(page, 10, (open) => open === 1, 180, 'the round ends in the game-over box');
check(await probe(page, 0) === kScene.messageBox || await probe(page, 10) === 1, 'the game-over box is open');

// ---- An option toggled, then a reload: it is kept. ----
await page.goto(`${address}?fast`);
await menuReady(page, 'after the round');
cdp = await context.newCDPSession(page);
await tap(page, cdp, 500, 430);
await waitFor(page, 0, (scene) => scene === kScene.options, 20, 'OPTIONS opens the options');
await tap(page, cdp, 420, 420);
await waitFor(page, 6, (sound) => sound === 0, 10, 'tapping the sound toggle turns sound off');
await tap(page, cdp, 450, 700);
await page.waitForTimeout(500);  // written through to the browser's storage
await page.reload();
await menuReady(page, 'after a reload');
check(await probe(page, 6) === 0 && await probe(page, 7) === 1, 'a reload keeps the option');

// ---- A mission won, then a browser restart: the next mission is briefed with the credits. ----
await context.close();
context = await launch();
page = context.pages()[0] || await context.newPage();
await page.addInitScript(() => {
  window.velmoraBeforeStart = (FS) => FS.writeFile('/Data/Levels/level1.dat', '100000;-1;-1;S;0;250;2');
});
await page.goto(`${address}?fast`);
await menuReady(page, 'after a browser restart');
check(await probe(page, 6) === 0, 'a browser restart keeps the option');
cdp = await context.newCDPSession(page);
const creditsBefore = await probe(page, 4);
await tap(page, cdp, 500, 310);
await waitFor(page, 0, (scene) => scene === kScene.interLevel, 20, 'START briefs the first mission');
await tap(page, cdp, 540, 700);
await waitFor(page, 10, (open) => open === 1, 30, 'the survive-0 mission is won at once');
// The box that closes a round takes no input for its first third of a second (of frames' waits).
const waitedAtWin = await probe(page, 11);
await waitFor(page, 11, (waited) => waited > waitedAtWin + 500, 20, 'the box takes input');
await tap(page, cdp, 500, 420);
await waitFor(page, 5, (level) => level === 2, 20, 'the campaign moves on to mission 2');
const creditsWon = await probe(page, 4);
check(creditsWon === creditsBefore + 250, `the mission pays its credits (${creditsBefore} -> ${creditsWon})`);
await page.waitForTimeout(500);
await context.close();
context = await launch();
page = context.pages()[0] || await context.newPage();
await page.goto(`${address}?fast`);
await menuReady(page, 'after another restart');
cdp = await context.newCDPSession(page);
check(await probe(page, 5) === 2 && await probe(page, 4) === creditsWon, 'a restart keeps the campaign and credits');
await tap(page, cdp, 500, 310);
check(await waitFor(page, 0, (scene) => scene === kScene.interLevel, 20, 'START briefs mission 2'), 'mission 2 is briefed');
await context.close();

// ---- Tilt: the orientation sensor steers in the accelerometer layout. ----
context = await launch();
page = context.pages()[0] || await context.newPage();
await page.addInitScript(() => {
  window.velmoraBeforeStart = (FS) => FS.writeFile('/Data/User/VelmoraConfig.cfg', '004');
  // A pad in the browser's standard layout.
  window.testPad = { id: 'Test pad', index: 0, connected: true, mapping: 'standard', timestamp: 1,
    axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
  navigator.getGamepads = () => [window.testPad, null, null, null];
});
const padButton = (index, pressed) => page.evaluate(([i, p]) => {
  window.testPad.buttons[i] = { pressed: p, value: p ? 1 : 0 };
  window.testPad.timestamp += 1;
}, [index, pressed]);
await page.goto(address);
await menuReady(page, 'in tilt mode');
check(await probe(page, 8) === 4, 'the accelerometer layout is chosen');
cdp = await context.newCDPSession(page);
await tap(page, cdp, 500, 370);
await waitFor(page, 0, (scene) => scene === kScene.playing, 20, 'a tilt round starts');
const tilt = (gamma) => page.evaluate((g) => window.dispatchEvent(
  new DeviceOrientationEvent('deviceorientation', { alpha: 0, beta: 0, gamma: g })), gamma);
const tiltStart = await probe(page, 1);
const tiltedRight = await holdUntil(page, () => tilt(25), () => tilt(25), (x) => x > tiltStart + 20);
const tiltedLeft = await holdUntil(page, () => tilt(-25), () => tilt(0), (x) => x < tiltedRight - 20);
check(tiltedRight > tiltStart + 20 && tiltedLeft < tiltedRight - 20,
  `tipping the device right, then left, steers right, then left (ship x ${tiltStart} -> ${tiltedRight} -> ${tiltedLeft})`);
const padStart = await probe(page, 1);
const padMoved = await holdUntil(page, () => padButton(15, true), () => padButton(15, false),  // the D-pad's right
  (x) => x > padStart + 20);
check(padMoved > padStart + 20, `the pad's D-pad steers right (ship x ${padStart} -> ${padMoved})`);
// A button is held until the game has seen it: a loaded machine may run no pass for a while.
await padButton(9, true);  // Start
await waitFor(page, 0, (scene) => scene === 7, 10, "the pad's Start pauses the round");
await padButton(9, false);
await page.waitForTimeout(200);
// The page hidden (another tab, the screen off) pauses as losing focus did.
await padButton(9, true);
await waitFor(page, 0, (scene) => scene === kScene.playing, 10, "the pad's Start resumes the round");
await padButton(9, false);
await page.evaluate(() => {
  Object.defineProperty(document, 'hidden', { value: true, configurable: true });
  document.dispatchEvent(new Event('visibilitychange'));
});
await waitFor(page, 0, (scene) => scene === 7, 5, 'a hidden page pauses the round');
await context.close();

// ---- The page on a phone and on a tablet. ----
for (const [name, viewport] of [['phone', { width: 844, height: 390 }], ['tablet', { width: 1180, height: 820 }]]) {
  context = await launch(viewport);
  page = context.pages()[0] || await context.newPage();
  await page.goto(`${address}?fast`);
  await menuReady(page, `on a ${name}`);
  await page.waitForTimeout(1500);
  const box = await page.locator('#canvas').boundingBox();
  const ratio = box.width / box.height;
  check(Math.abs(ratio - 4 / 3) < 0.01 && (Math.abs(box.width - viewport.width) < 2 || Math.abs(box.height - viewport.height) < 2),
    `on a ${name} the frame fills the window with its aspect kept (${box.width} x ${box.height})`);
  await page.screenshot({ path: path.join(shots, `web-${name}.png`) });
  await context.close();
}

fs.rmSync(profile, { recursive: true, force: true });
console.log(failures === 0 ? 'all browser checks passed' : `${failures} browser check(s) failed`);
process.exit(failures === 0 ? 0 : 1);
