// The web page's real pace: the page in headless Chromium on the real clock,
// measured for the title (the about page closed), play (after Start, the
// intro included) and the hidden game. For each stretch: the game's ticks a
// second, the gaps between them on the game's own clock (shortest-longest,
// and how many of each length), the page's CPU share (its main thread's busy
// time) and the program's wake-ups (waits that ended with no input).
// Usage: node pace-web.js PAGE_DIR [--seconds N]
"use strict";
const path = require("node:path");
const { chromium } = require("playwright-core");

const [pageDir, ...options] = process.argv.slice(2);
const at = options.indexOf("--seconds");
const seconds = at >= 0 ? Number(options[at + 1]) : 10;
if (!pageDir || !(seconds >= 1 && seconds <= 600)) {
  console.error("usage: node pace-web.js PAGE_DIR [--seconds N] (N from 1 to 600)");
  process.exit(2);
}

// One stretch: the game's clock at every tick (read every 10 ms, three times
// as often as it ticks), the paints asked for, the main thread's busy time.
async function measure(page, cdp, name) {
  const busy = async () => (await cdp.send("Performance.getMetrics")).metrics.find(m => m.name === "TaskDuration").value;
  const busyBefore = await busy();
  const { ticks, paints, ms } = await page.evaluate(length => new Promise(done => {
    const ticks = [];
    const paintsBefore = Module.mirelinkPage.paints;
    const start = performance.now();
    const look = setInterval(() => {
      const t = Module._mirelink_last_tick_time();
      if (t !== 0 && ticks[ticks.length - 1] !== t) ticks.push(t);
      if (performance.now() - start < length) return;
      clearInterval(look);
      done({ ticks, paints: Module.mirelinkPage.paints - paintsBefore, ms: performance.now() - start });
    }, 10);
  }), seconds * 1000);
  // The first value seen may be a tick from before the stretch.
  const gaps = ticks.slice(1).map((t, i) => (t - ticks[i]) >>> 0);
  const counts = new Map();
  for (const gap of gaps) counts.set(gap, (counts.get(gap) ?? 0) + 1);
  return { name, seconds: ms / 1000, ticks: gaps.length, gaps, counts, cpu: (await busy() - busyBefore) / (ms / 1000), wakeups: paints };
}

async function tap(page, x, y) {
  const box = await page.locator("#screen").boundingBox();
  await page.mouse.click(box.x + (x + 0.5) * box.width / 240, box.y + (y + 0.5) * box.height / 320);
}

(async () => {
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium", args: ["--no-sandbox"] });
  const page = await browser.newPage({ viewport: { width: 360, height: 640 } });
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("Performance.enable");
  await page.goto(`file://${path.resolve(pageDir)}/index.html`);
  await page.waitForFunction(() => Module.mirelinkPage.paints > 0);  // the about page is in
  await tap(page, 200, 230);  // its X
  const reports = [await measure(page, cdp, "title")];
  await tap(page, 100, 260);  // Start
  reports.push(await measure(page, cdp, "play"));
  await page.evaluate(() => {
    Object.defineProperty(document, "hidden", { value: true, configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
  });
  reports.push(await measure(page, cdp, "hidden"));
  await browser.close();

  const pad = (text, width) => String(text).padStart(width);
  console.log("stretch  seconds   ticks   ticks/s   gaps ms      CPU  wakeups");
  for (const r of reports) {
    const range = r.gaps.length ? `${Math.min(...r.gaps)}-${Math.max(...r.gaps)}` : "0-0";
    console.log(`${r.name.padEnd(7)} ${pad(r.seconds.toFixed(1), 8)} ${pad(r.ticks, 7)} ${pad((r.ticks / r.seconds).toFixed(2), 9)}` +
                `    ${range.padEnd(9)} ${pad((100 * r.cpu).toFixed(1), 5)}% ${pad(r.wakeups, 8)}`);
  }
  for (const r of reports.filter(r => r.gaps.length)) {
    const spread = [...r.counts].sort((a, b) => a[0] - b[0]).map(([gap, n]) => `${gap} ms: ${n}`).join(", ");
    console.log(`${r.name} gaps: ${spread}`);
  }
})().catch(error => { console.error(`pace-web: ${error.message}`); process.exit(1); });
