// The three browser engines the browser build is played in, behind one small interface: Debian's
// Chromium through playwright-core, Firefox ESR through puppeteer-core over WebDriver BiDi, and
// WebKitGTK's MiniBrowser through selenium-webdriver and WebKitWebDriver. None downloads a browser.
//
// A session offers: goto(url), reload(), run(fn, arg) (fn runs in the page), down/move/up(finger,
// x, y) for fingers (WebKit's driver makes no touch events: there a finger is the mouse, so one
// finger at a time), key(name, down), canvasShot() (PNG, base64), troubles() (errors and warnings
// our page caused) and close(). Opening a session again with the same profile is a browser restart.
import fs from 'node:fs';
import net from 'node:net';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const modules = path.resolve(path.dirname(new URL(import.meta.url).pathname), 'node_modules');
const need = (name) => require(path.join(modules, name));

export const kEngines = ['chromium', 'firefox', 'webkit'];
export const kBinaries = {
  chromium: () => '/usr/bin/chromium',
  firefox: () => '/usr/bin/firefox-esr',
  webkit: () => {
    const lib = '/usr/lib/x86_64-linux-gnu';
    const found = fs.readdirSync(lib).filter((name) => name.startsWith('webkit2gtk-4.'))
      .map((name) => path.join(lib, name, 'MiniBrowser')).find((file) => fs.existsSync(file));
    return found && fs.existsSync('/usr/bin/WebKitWebDriver') ? found : null;
  },
};
export function missingBrowser(engine) {
  const binary = kBinaries[engine]();
  return binary && fs.existsSync(binary) ? null : `${engine}: no browser installed (${binary || 'MiniBrowser / WebKitWebDriver'})`;
}

// Messages a browser prints about itself, not about our page.
const kNotOurs = [/GPU stall due to ReadPixels/i, /WebGL: CONTEXT_LOST/i, /Automatic fallback to software WebGL/i,
  /swiftshader/i];
const ours = (text) => !kNotOurs.some((pattern) => pattern.test(text));

const kKeys = { ArrowRight: '\uE014', ArrowLeft: '\uE012', Space: '\uE00D', KeyP: 'p' };

class Chromium {
  static async open(profile, viewport, extraArgs = []) {
    const { chromium } = need('playwright-core');
    const session = new Chromium();
    session.context = await chromium.launchPersistentContext(profile, {
      executablePath: kBinaries.chromium(), headless: true, viewport, hasTouch: true,
      args: ['--headless=new', '--use-gl=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox', ...extraArgs],
    });
    session.page = session.context.pages()[0] || await session.context.newPage();
    session.seen = [];
    session.page.on('console', (message) => {
      if ((message.type() === 'error' || message.type() === 'warning') && ours(message.text())) {
        session.seen.push(`${message.type()}: ${message.text()}`);
      }
    });
    session.page.on('pageerror', (error) => session.seen.push(`script error: ${error.message}`));
    session.page.on('response', (response) => {
      if (response.status() >= 400) session.seen.push(`${response.status()} ${response.url()}`);
    });
    session.fingers = new Map();
    return session;
  }
  async goto(url) { await this.page.goto(url); this.cdp = await this.context.newCDPSession(this.page); }
  async reload() { await this.page.reload(); this.cdp = await this.context.newCDPSession(this.page); }
  run(fn, arg) { return this.page.evaluate(fn, arg); }
  async touch(type, changed) {
    const points = [...this.fingers.entries()].map(([id, [x, y]]) => ({ x, y, id }));
    await this.cdp.send('Input.dispatchTouchEvent', { type, touchPoints: type === 'touchEnd' ? changed : points });
  }
  async down(finger, x, y) { this.fingers.set(finger, [x, y]); await this.touch('touchStart'); }
  async move(finger, x, y) { this.fingers.set(finger, [x, y]); await this.touch('touchMove'); }
  async up(finger) {
    const [x, y] = this.fingers.get(finger);
    this.fingers.delete(finger);
    // An end lists the finger that lifts.
    await this.touch('touchEnd', [{ x, y, id: finger }]);
  }
  async key(name, down) { await (down ? this.page.keyboard.down(name) : this.page.keyboard.up(name)); }
  async canvasShot() { return (await this.page.locator('#canvas').screenshot()).toString('base64'); }
  async troubles() { return this.seen; }
  async close() { await this.context.close(); }
}

class Firefox {
  static async open(profile) {
    const puppeteer = need('puppeteer-core');
    const session = new Firefox();
    // Headless, but on the X display the test runs under: without one Firefox has no WebGL.
    session.browser = await puppeteer.launch({
      browser: 'firefox', executablePath: kBinaries.firefox(), headless: true, userDataDir: profile,
      defaultViewport: { width: 1024, height: 768 },
      extraPrefsFirefox: { 'dom.w3c_touch_events.enabled': 1, 'media.autoplay.default': 0 },
    });
    session.page = (await session.browser.pages())[0] || await session.browser.newPage();
    await session.page.setViewport({ width: 1024, height: 768 });
    session.seen = [];
    session.page.on('console', (message) => {
      if ((message.type() === 'error' || message.type() === 'warn') && ours(message.text())) {
        session.seen.push(`${message.type()}: ${message.text()}`);
      }
    });
    session.page.on('pageerror', (error) => session.seen.push(`script error: ${error.message}`));
    session.page.on('response', (response) => {
      if (response.status() >= 400) session.seen.push(`${response.status()} ${response.url()}`);
    });
    session.fingers = new Map();
    return session;
  }
  async goto(url) { this.fingers.clear(); await this.page.goto(url); }
  async reload() { this.fingers.clear(); await this.page.reload(); }
  run(fn, arg) { return this.page.evaluate(fn, arg); }
  // One touch handle per finger gives real multi-touch.
  async down(finger, x, y) { this.fingers.set(finger, await this.page.touchscreen.touchStart(x, y)); }
  async move(finger, x, y) { await this.fingers.get(finger).move(x, y); }
  async up(finger) { const handle = this.fingers.get(finger); this.fingers.delete(finger); await handle.end(); }
  // WebDriver BiDi knows the keys by what they type.
  async key(name, down) {
    const typed = { Space: ' ', KeyP: 'p' }[name] || name;
    await (down ? this.page.keyboard.down(typed) : this.page.keyboard.up(typed));
  }
  async canvasShot() { return (await this.page.$('#canvas')).screenshot({ encoding: 'base64' }); }
  async troubles() { return this.seen; }
  async close() { await this.browser.close(); }
}

async function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => { const { port } = server.address(); server.close(() => resolve(port)); });
  });
}

class WebKit {
  static async open() {
    const { Builder } = need('selenium-webdriver');
    const remote = need('selenium-webdriver/remote');
    const session = new WebKit();
    const port = await freePort();
    session.service = new remote.DriverService('/usr/bin/WebKitWebDriver',
      { port, hostname: '127.0.0.1', loopback: true, args: [`--port=${port}`, '--host=127.0.0.1'] });
    const server = await session.service.start();
    session.driver = await new Builder().usingServer(server).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: kBinaries.webkit(), args: ['--automation'] },
    }).build();
    await session.driver.manage().window().setRect({ width: 1024, height: 768, x: 0, y: 0 }).catch(() => {});
    session.held = null;
    return session;
  }
  async goto(url) { this.held = null; await this.driver.get(url); await this.fitWindow(); }
  async reload() { this.held = null; await this.driver.navigate().refresh(); }
  // The window's outside is larger than the page: grown until the page is 1024 x 768.
  async fitWindow() {
    const inner = await this.run(() => [window.innerWidth, window.innerHeight]);
    const rect = await this.driver.manage().window().getRect();
    if (inner[0] === 1024 && inner[1] === 768) return;
    await this.driver.manage().window().setRect({ width: rect.width + 1024 - inner[0], height: rect.height + 768 - inner[1] })
      .catch(() => {});
  }
  run(fn, arg) {
    return this.driver.executeAsyncScript(`const done = arguments[arguments.length - 1];
      Promise.resolve((${fn.toString()})(arguments[0])).then(done, (error) => done({ thrown: String(error) }));`, arg);
  }
  async pointer(build) {
    const actions = this.driver.actions({ async: true });
    await build(actions).perform();
  }
  async at(x, y) {
    const canvas = await this.driver.findElement({ css: '#canvas' });
    const box = await canvas.getRect();
    const scale = box.width / 1024;
    return { x: Math.round(box.x + x * scale), y: Math.round(box.y + y * scale) };
  }
  async down(finger, x, y) {
    this.held = finger;
    const point = await this.at(x, y);
    await this.pointer((a) => a.move({ x: point.x, y: point.y, origin: 'viewport' }).press());
  }
  async move(finger, x, y) {
    if (this.held !== finger) return;
    const point = await this.at(x, y);
    await this.pointer((a) => a.move({ x: point.x, y: point.y, origin: 'viewport' }));
  }
  async up(finger) {
    if (this.held !== finger) return;
    this.held = null;
    await this.pointer((a) => a.release());
  }
  async key(name, down) {
    await this.pointer((a) => (down ? a.keyDown(kKeys[name]) : a.keyUp(kKeys[name])));
  }
  async canvasShot() { return (await this.driver.findElement({ css: '#canvas' })).takeScreenshot(); }
  // No console to listen to: the page's own error hooks keep what went wrong.
  async troubles() {
    const kept = await this.run(() => (window.pageTroubles || []).slice()).catch(() => []);
    return kept.filter(ours);
  }
  async close() {
    await this.driver.quit().catch(() => {});
    await this.service.kill();
  }
}

// ---- Playing the game in any engine. ----

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// One of the game's figures (see WebProbe in platform/web.cpp), -1 before it runs.
export const probe = (s, what) => s.run((w) => (window.Module && Module.calledRun ? Module._WebProbe(w) : -1), what);

export async function tap(s, [x, y]) {
  await s.down(9, x, y);
  await sleep(70);
  await s.up(9);
  await sleep(70);
}


// The orientation sensor reporting gamma (the right edge tipped down for > 0) at about 33 Hz for
// the given time, as a phone's does.
export function tilt(s, gamma, ms) {
  return s.run(([g, time]) => new Promise((resolve) => {
    const send = () => {
      let event;
      try {
        event = new DeviceOrientationEvent('deviceorientation', { alpha: 0, beta: 0, gamma: g });
      } catch (error) {
        event = null;
      }
      // An engine with no sensor of its own may not take the readings in its constructor.
      if (!event || event.gamma !== g) {
        event = new Event('deviceorientation');
        for (const [name, value] of Object.entries({ alpha: 0, beta: 0, gamma: g })) {
          Object.defineProperty(event, name, { value });
        }
      }
      window.dispatchEvent(event);
    };
    send();
    const timer = setInterval(send, 30);
    setTimeout(() => { clearInterval(timer); resolve(true); }, time);
  }), [gamma, ms]);
}

// Stand-ins for what only a phone has: the sensor's permission prompt and the screen's wake lock,
// counted. Put in after the page loads, before its first gesture.
export function phoneStandIns(s) {
  return s.run(() => {
    window.standIns = { sensorAsks: 0, locksHeld: 0, locksAsked: 0 };
    if (!window.DeviceOrientationEvent) window.DeviceOrientationEvent = function DeviceOrientationEvent() {};
    DeviceOrientationEvent.requestPermission = () => { standIns.sensorAsks += 1; return Promise.resolve('granted'); };
    Object.defineProperty(navigator, 'wakeLock', { configurable: true, value: { request: () => {
      standIns.locksAsked += 1;
      standIns.locksHeld += 1;
      const lock = new EventTarget();
      lock.release = () => { standIns.locksHeld -= 1; lock.dispatchEvent(new Event('release')); return Promise.resolve(); };
      return Promise.resolve(lock);
    } } });
    return true;
  });
}
export const standIn = (s, what) => s.run((w) => (window.standIns ? window.standIns[w] : -1), what);


// Writes a user file into the game's folder and through to the browser's storage.
export function writeUserFile(s, name, text) {
  return s.run(([file, body]) => new Promise((resolve) => {
    Module.FS.writeFile(`/Data/User/${file}`, body);
    // Written through to the browser's storage by the page's own script (storage.js).
    Module.onUserFolderSaved = () => resolve(Module.userStorage !== 3);
    Module.syncUserFolder();
  }), [name, text]);
}

// Share of pixels of the canvas that differ from the picture by more than a few levels.
export async function differenceFrom(s, png, saveAs) {
  await s.run(() => { document.getElementById('fullscreen').style.visibility = 'hidden'; });
  const shot = await s.canvasShot();
  await s.run(() => { document.getElementById('fullscreen').style.visibility = ''; });
  fs.writeFileSync(saveAs, Buffer.from(shot, 'base64'));
  return s.run(async ([a, b]) => {
    const pixels = async (base64) => {
      const image = new Image();
      image.src = `data:image/png;base64,${base64}`;
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = 1024;
      canvas.height = 768;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0, 1024, 768);
      return context.getImageData(0, 0, 1024, 768).data;
    };
    const [x, y] = [await pixels(a), await pixels(b)];
    let differing = 0;
    for (let i = 0; i < x.length; i += 4) {
      if (Math.abs(x[i] - y[i]) > 8 || Math.abs(x[i + 1] - y[i + 1]) > 8 || Math.abs(x[i + 2] - y[i + 2]) > 8) differing += 1;
    }
    return differing / (1024 * 768);
  }, [shot, fs.readFileSync(png).toString('base64')]);
}


export async function openEngine(engine, profile, viewport = { width: 1024, height: 768 }, extraArgs = []) {
  if (engine === 'chromium') return Chromium.open(profile, viewport, extraArgs);
  if (engine === 'firefox') return Firefox.open(profile);
  return WebKit.open(profile);
}
