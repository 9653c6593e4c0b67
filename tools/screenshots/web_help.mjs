// The browser build's help screen on a touch screen, taken in Debian's Chromium, headless, with a
// touch screen: it must explain touch and tilt (the native help, taken on the desktop, explains
// the keys, mouse and gamepad, so the two pictures differ where the panel is).
//   node web_help.mjs <address> <native help.png> <output png>
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const { chromium } = require(path.resolve(path.dirname(new URL(import.meta.url).pathname),
  '../web/node_modules/playwright-core'));

const [address, nativeHelp, output] = process.argv.slice(2);
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-help-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium', headless: true, viewport: { width: 1024, height: 768 }, hasTouch: true,
  args: ['--headless=new', '--use-gl=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox'],
});
const page = context.pages()[0] || await context.newPage();
const scene = () => page.evaluate(() => (window.Module && Module.calledRun ? Module._WebProbe(0) : -1));

// Waits until the scene is reached, tapping at (x, y) every second while it is not.
async function reach(wanted, x, y, seconds) {
  const until = Date.now() + seconds * 1000;
  let tapped = 0;
  while (await scene() !== wanted) {
    if (Date.now() > until) throw new Error(`scene ${wanted} never came (at ${await scene()})`);
    if (x !== undefined && Date.now() - tapped > 1000) {
      await page.touchscreen.tap(x, y);
      tapped = Date.now();
    }
    await page.waitForTimeout(50);
  }
}

await page.goto(`${address}?fast`);
await reach(1, undefined, undefined, 90);
await page.waitForTimeout(1000);
await reach(6, 512, 495, 30);
await page.waitForTimeout(500);
await page.evaluate(() => { document.getElementById('fullscreen').style.visibility = 'hidden'; });
fs.writeFileSync(output, await page.locator('#canvas').screenshot());
// The share of the panel's pixels (212..812, 250..670) that differ from the desktop's help.
const differing = await page.evaluate(async ([a, b]) => {
  const pixels = async (base64) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${base64}`)).blob());
    const canvas = new OffscreenCanvas(1024, 768);
    canvas.getContext('2d').drawImage(bitmap, 0, 0, 1024, 768);
    return canvas.getContext('2d').getImageData(212, 250, 600, 420).data;
  };
  const [x, y] = [await pixels(a), await pixels(b)];
  let count = 0;
  for (let i = 0; i < x.length; i += 4) count += Math.abs(x[i] - y[i]) + Math.abs(x[i + 1] - y[i + 1]) > 48;
  return count / (600 * 420);
}, [fs.readFileSync(output).toString('base64'), fs.readFileSync(nativeHelp).toString('base64')]);
await context.close();
fs.rmSync(profile, { recursive: true, force: true });
console.log(`wrote ${output}: ${(100 * differing).toFixed(1)} % of the help panel differs from the desktop's`);
process.exit(differing > 0.05 ? 0 : 1);
