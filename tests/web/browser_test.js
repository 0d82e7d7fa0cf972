// The web page in the system's Chromium on a clock the test drives: it plays
// the runner's script (see reference.mls) and at every `shot` its canvas must
// be the runner's picture. Then, served, it plays offline. No page errors.
// Usage: node browser_test.js PAGE_DIR SCRIPT (the runner's shots in the current folder)
"use strict";
const assert = require("node:assert/strict");
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const { PNG } = require("pngjs");
const { chromium } = require("playwright-core");

const [pageDir, scriptFile] = process.argv.slice(2);
const browserArgs = ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run"];

// The canvas's 240x320 pixels, red, green and blue; how many of them differ.
const readScreen = page => page.evaluate(() => Array.from(document.getElementById("screen")
  .getContext("2d").getImageData(0, 0, 240, 320).data).filter((_, i) => i % 4 !== 3));
const differing = (a, b) => a.filter((_, i) => i % 3 === 0 && [0, 1, 2].some(c => a[i + c] !== b[i + c])).length;

// Before the page's scripts: the clock stops, and messages, which the page
// starts its waits from and the driven clock knows nothing of, arrive at once,
// so that each wait starts at the millisecond the program asks for it.
function messagesAtOnce() {
  performance.now();  // the stopped clock takes hold
  globalThis.MessageChannel = class {
    constructor() {
      this.port1 = { onmessage: null };
      this.port2 = { postMessage: data => queueMicrotask(() => this.port1.onmessage({ data })) };
    }
  };
}

// `paint N` one millisecond apart: the clock runs until the program has
// waited N more milliseconds; the time it sleeps meanwhile (a panel sliding)
// passes on top, as on the runner.
async function paint(page, count) {
  const waited = () => page.evaluate(() => Module.mirelinkPage.waited());
  const target = await waited() + count;
  for (let now = target - count; now < target; now = await waited()) await page.clock.runFor(Math.ceil(target - now));
}

async function tap(page, x, y, how) {
  const box = await page.locator("#screen").boundingBox();
  const at = [box.x + (x + 0.5) * box.width / 240, box.y + (y + 0.5) * box.height / 320];
  if (how === "touch") await page.touchscreen.tap(...at);
  else await page.mouse.click(...at);
}

// Taps by touch and by mouse in turn; a `focus-lost` hides the tab (the cover
// shows), a `relaunch` shows the tab again (the game comes back by itself).
async function playScript(browser) {
  const page = await browser.newPage({ viewport: { width: 360, height: 640 }, deviceScaleFactor: 3, hasTouch: true });
  const errors = [];
  page.on("pageerror", error => errors.push(error.message));
  await page.clock.pauseAt(new Date("2026-12-07T12:00:00Z"));  // ahead of the blank page's running clock
  await page.addInitScript(messagesAtOnce);
  await page.addInitScript({ path: path.join(__dirname, "page_probe.js") });
  await page.goto(`file://${path.resolve(pageDir)}/index.html?clock=5000`);
  await page.waitForFunction(() => Module.calledRun);
  let taps = 0;
  for (const line of fs.readFileSync(scriptFile, "utf8").split("\n")) {
    const [command, ...words] = line.replace(/#.*/, "").trim().split(/\s+/);
    if (command === "step") assert.equal(words[0], "1", "a paint is a millisecond of the page's waiting");
    else if (command === "paint") await paint(page, Number(words[0] ?? 1));
    else if (command === "tap") await tap(page, Number(words[0]), Number(words[1]), taps++ % 2 ? "mouse" : "touch");
    else if (command === "shot") {
      const reference = PNG.sync.read(fs.readFileSync(words[0])).data.filter((_, i) => i % 4 !== 3);
      assert.equal(differing(await readScreen(page), reference), 0, `the page shows the runner's ${words[0]}`);
    } else if (command === "focus-lost") {
      await page.evaluate(() => {
        Object.defineProperty(document, "hidden", { value: true, configurable: true });
        document.dispatchEvent(new Event("visibilitychange"));
      });
      await page.locator("#hidden").waitFor({ state: "visible" });
    } else if (command === "relaunch") {
      await page.evaluate(() => {
        delete document.hidden;
        document.dispatchEvent(new Event("visibilitychange"));
      });
      await page.locator("#hidden").waitFor({ state: "hidden" });
    } else assert.ok(command === "", `the browser test cannot play '${line}'`);
  }
  assert.deepEqual(errors, []);
  await page.close();
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
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await context.setOffline(true);
  await page.reload();
  // Offline, the game still draws.
  await page.waitForFunction(() => document.getElementById("screen").getContext("2d")
    .getImageData(0, 0, 240, 320).data.some((value, i) => i % 4 !== 3 && value !== 0));
  await context.close();
  server.close();
}

// A phone's screen is filled where whole device pixels would leave too much
// of it empty; a desktop window keeps whole ones.
async function fitting(browser) {
  for (const [width, height, density, size] of [[390, 844, 3, [390, 520]], [844, 390, 3, [292.5, 390]],
                                                [1280, 800, 1, [480, 640]]]) {
    const page = await browser.newPage({ viewport: { width, height }, deviceScaleFactor: density });
    await page.goto(`file://${path.resolve(pageDir)}/index.html`);
    const box = await page.locator("#screen").boundingBox();
    assert.deepEqual([box.width, box.height], size, `the screen in a ${width}x${height} window`);
    await page.close();
  }
}

(async () => {
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium", args: browserArgs });
  try {
    await playScript(browser);
    await fitting(browser);
    await offline(browser);
    console.log("browser test passed");
  } finally {
    await browser.close();
  }
})().catch(error => { console.error(error.message); process.exit(1); });
