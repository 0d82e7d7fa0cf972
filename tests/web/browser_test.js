// The game's web page in the system's Chromium: taps by touch and by mouse,
// a block that turns, the help pages, the picture against the headless
// runner's for the same script and start clock, the pace of its ticks, the
// hidden game and its return, and the page playing offline once served.
// Usage: node browser_test.js PAGE_DIR REFERENCE_PNG
"use strict";
const assert = require("node:assert/strict");
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const { PNG } = require("pngjs");
const { chromium } = require("playwright-core");

const [pageDir, referencePng] = process.argv.slice(2);
const browserArgs = ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run"];

// The canvas's 240x320 RGBA pixels.
const readScreen = page => page.evaluate(() =>
  Array.from(document.getElementById("screen").getContext("2d").getImageData(0, 0, 240, 320).data));
const differing = (a, b) => a.reduce((count, value, i) => count + (value !== b[i] ? 1 : 0), 0);

// Taps screen pixel (x, y) at the canvas's scale, by touch or by mouse, then waits `ms`.
async function tap(page, x, y, how, ms = 150) {
  const box = await page.locator("#screen").boundingBox();
  const at = [box.x + (x + 0.5) * box.width / 240, box.y + (y + 0.5) * box.height / 320];
  if (how === "touch") await page.touchscreen.tap(...at);
  else await page.mouse.click(...at);
  await page.waitForTimeout(ms);
}

async function playThrough(browser) {
  const page = await browser.newPage({ viewport: { width: 360, height: 640 }, deviceScaleFactor: 3, hasTouch: true });
  const errors = [];
  page.on("pageerror", error => errors.push(error.message));
  await page.goto(`file://${path.resolve(pageDir)}/index.html?clock=5000`);
  await page.waitForTimeout(2500);  // the about page slides in
  await tap(page, 200, 230, "touch");  // its X
  await tap(page, 100, 260, "mouse", 4150);  // Start, then the intro

  const before = await readScreen(page);
  await tap(page, 5 * 20 + 10, 10, "touch", 1150);  // the block at (5, 0)
  const after = await readScreen(page);
  const cell = screen => Array.from({ length: 20 }, (_, r) => screen.slice((r * 240 + 100) * 4, (r * 240 + 120) * 4)).flat();
  assert.ok(differing(cell(before), cell(after)) > 20, "the tapped block turned");

  await tap(page, 30, 253, "mouse", 2150);  // Help
  await tap(page, 60, 230, "touch", 650);   // ">"
  const screen = await readScreen(page);
  const reference = PNG.sync.read(fs.readFileSync(referencePng));
  let wrong = 0;
  for (let i = 0; i < 240 * 320; ++i) {
    for (let c = 0; c < 3; ++c) if (screen[4 * i + c] !== reference.data[4 * i + c]) { ++wrong; break; }
  }
  assert.equal(wrong, 0, "the page shows what the runner shows for the same script");

  // A hidden tab hides the game; the page's button brings it back as it was.
  // (All of this well before the faces first pop out, about twelve seconds
  // after Start, and change the picture.)
  await tap(page, 200, 230, "mouse", 1350);  // close the help page
  await tap(page, 30, 253, "mouse", 2150);   // and open it again: nothing moves under it
  const shown = await readScreen(page);
  await page.evaluate(() => {
    Object.defineProperty(document, "hidden", { value: true, configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
  });
  await page.waitForTimeout(300);
  assert.ok(await page.locator("#hidden").isVisible(), "the hidden game shows its cover");
  await page.evaluate(() => { delete document.hidden; });
  await page.locator("#back").click();
  await page.waitForTimeout(300);
  assert.ok(!(await page.locator("#hidden").isVisible()), "the cover goes");
  assert.equal(differing(shown, await readScreen(page)), 0, "the game comes back exactly as it was");

  // The pace, with the page closed over the game again: the game's own clock
  // at each tick, over two seconds of play.
  await tap(page, 200, 230, "mouse", 1350);
  const gaps = await page.evaluate(() => new Promise(done => {
    const seen = [];
    const end = performance.now() + 2000;
    (function look() {
      const t = Module._mirelink_last_tick_time();
      if (seen[seen.length - 1] !== t) seen.push(t);
      if (performance.now() < end) setTimeout(look, 2); else done(seen.slice(1).map((v, i) => v - seen[i]));
    })();
  }));
  const mean = gaps.reduce((a, b) => a + b, 0) / gaps.length;
  assert.ok(Math.min(...gaps) >= 31 && mean <= 33, `ticks ${Math.min(...gaps)}-${Math.max(...gaps)} ms apart, ${mean.toFixed(1)} on average`);
  assert.deepEqual(errors, []);
  await page.close();
  return { gaps: gaps.length, mean };
}

// Served, the page keeps its files and plays offline.
async function offline(browser) {
  const types = { ".html": "text/html", ".js": "text/javascript", ".png": "image/png", ".webmanifest": "application/manifest+json" };
  const server = http.createServer((request, response) => {
    const file = path.join(pageDir, decodeURIComponent(new URL(request.url, "http://x").pathname).replace(/\/$/, "/index.html"));
    fs.readFile(file, (error, data) => {
      response.writeHead(error ? 404 : 200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" });
      response.end(error ? undefined : data);
    });
  });
  await new Promise(done => server.listen(0, "127.0.0.1", done));
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForTimeout(500);
  await context.setOffline(true);
  await page.reload();
  await page.waitForTimeout(2500);
  const screen = await readScreen(page);
  assert.ok(screen.some((value, i) => i % 4 !== 3 && value !== 0), "offline, the game still draws");
  await context.close();
  server.close();
}

(async () => {
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium", args: browserArgs });
  try {
    const pace = await playThrough(browser);
    await offline(browser);
    console.log(`browser test passed: ${pace.gaps} tick gaps, ${pace.mean.toFixed(1)} ms on average`);
  } finally {
    await browser.close();
  }
})().catch(error => { console.error(error.message); process.exit(1); });
