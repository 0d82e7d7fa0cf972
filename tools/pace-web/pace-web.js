// The web page's real pace: the page in headless Chromium on the real clock,
// measured for the still title (the about page closed and rolled out), play
// (after Start, the intro included) and the hidden game, each beside a floor
// page in a second Chromium at the same time: a blank page for the title and
// the hidden game, a page drawing a new 240x320 canvas 32 times a second for
// play. For each stretch: the game's ticks a second, the gaps between them
// on the game's own clock (shortest-longest, and how many of each length),
// the CPU share of all of each Chromium's processes together, and the
// program's wake-ups (waits that ended with no input).
// The page's waits are counted by tests/web/page_probe.js, and its ticks read
// from the page make pace-web builds, which alone tells the game's clock.
// Usage: node pace-web.js PAGE_DIR [--seconds N]
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const { chromium } = require("playwright-core");

const [pageDir, ...options] = process.argv.slice(2);
const at = options.indexOf("--seconds");
const seconds = at >= 0 ? Number(options[at + 1]) : 10;
if (!pageDir || !(seconds >= 1 && seconds <= 600)) {
  console.error("usage: node pace-web.js PAGE_DIR [--seconds N] (N from 1 to 600)");
  process.exit(2);
}

const kFloorDrawing = `<canvas width="240" height="320" style="width:480px;height:640px"></canvas><script>
  const context = document.querySelector("canvas").getContext("2d");
  const image = context.createImageData(240, 320);
  let frame = 0;
  setInterval(() => {
    ++frame;
    for (let i = 0; i < image.data.length; ++i) image.data[i] = (i * 2654435761 + frame) & 255;
    requestAnimationFrame(() => context.putImageData(image, 0, 0));
  }, 1000 / 32);
</script>`;

// Seconds of CPU that a process and all of its descendants have used.
function treeCpuSeconds(root) {
  const children = new Map();
  const used = new Map();
  for (const name of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(name)) continue;
    let stat;
    try { stat = fs.readFileSync(`/proc/${name}/stat`, "utf8"); } catch { continue; }
    const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
    const pid = Number(name);
    const parent = Number(fields[1]);
    if (!children.has(parent)) children.set(parent, []);
    children.get(parent).push(pid);
    used.set(pid, (Number(fields[11]) + Number(fields[12])) / 100);
  }
  let total = 0;
  for (const queue = [root]; queue.length > 0;) {
    const pid = queue.pop();
    total += used.get(pid) ?? 0;
    queue.push(...(children.get(pid) ?? []));
  }
  return total;
}

// The browser process started with `mark` among its arguments.
function browserPid(mark) {
  for (const name of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(name)) continue;
    let command;
    try { command = fs.readFileSync(`/proc/${name}/cmdline`, "utf8").split("\0"); } catch { continue; }
    if (command.includes(mark) && !command.some(word => word.startsWith("--type="))) return Number(name);
  }
  throw new Error(`no browser started with ${mark}`);
}

// One stretch: the game's clock at every tick (read every 10 ms, three times
// as often as it ticks), the paints asked for, both browsers' CPU.
async function measure(page, game, floor, name) {
  const gameBefore = treeCpuSeconds(game);
  const floorBefore = treeCpuSeconds(floor);
  // Only play's ticks are looked at often: a look costs the page a wake-up.
  const every = name === "play" ? 10 : 1000;
  const { ticks, paints, ms } = await page.evaluate(([length, every]) => new Promise(done => {
    const ticks = [];
    const paintsBefore = Module.mirelinkPage.paints;
    const start = performance.now();
    const look = setInterval(() => {
      const t = Module._mirelink_last_tick_time();
      if (t !== 0 && ticks[ticks.length - 1] !== t) ticks.push(t);
      if (performance.now() - start < length) return;
      clearInterval(look);
      done({ ticks, paints: Module.mirelinkPage.paints - paintsBefore, ms: performance.now() - start });
    }, every);
  }), [seconds * 1000, every]);
  const wall = ms / 1000;
  // The first value seen may be a tick from before the stretch.
  const gaps = ticks.slice(1).map((t, i) => (t - ticks[i]) >>> 0);
  const counts = new Map();
  for (const gap of gaps) counts.set(gap, (counts.get(gap) ?? 0) + 1);
  return { name, seconds: wall, ticks: gaps.length, gaps, counts, wakeups: paints,
           cpu: (treeCpuSeconds(game) - gameBefore) / wall,
           floorCpu: (treeCpuSeconds(floor) - floorBefore) / wall };
}

async function tap(page, x, y) {
  const box = await page.locator("#screen").boundingBox();
  await page.mouse.click(box.x + (x + 0.5) * box.width / 240, box.y + (y + 0.5) * box.height / 320);
}

const settle = ms => new Promise(done => setTimeout(done, ms));

(async () => {
  const launch = mark => chromium.launch({ executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
                                           args: ["--no-sandbox", mark] });
  const [game, floor] = [await launch("--mirelink-pace=game"), await launch("--mirelink-pace=floor")];
  const [gamePid, floorPid] = [browserPid("--mirelink-pace=game"), browserPid("--mirelink-pace=floor")];
  const page = await game.newPage({ viewport: { width: 360, height: 640 } });
  const floorPage = await floor.newPage({ viewport: { width: 360, height: 640 } });
  await page.addInitScript({ path: path.join(__dirname, "../../tests/web/page_probe.js") });
  await page.goto(`file://${path.resolve(pageDir)}/index.html`);
  await page.waitForFunction(() => Module.mirelinkPage.waited() > 0);  // the about page is in
  await tap(page, 200, 230);  // its X: the page rolls out
  await settle(2000);
  await floorPage.setContent("");
  const reports = [await measure(page, gamePid, floorPid, "title")];
  await floorPage.setContent(kFloorDrawing);
  await tap(page, 100, 260);  // Start
  reports.push(await measure(page, gamePid, floorPid, "play"));
  await floorPage.setContent("");
  await page.evaluate(() => {
    Object.defineProperty(document, "hidden", { value: true, configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
  });
  reports.push(await measure(page, gamePid, floorPid, "hidden"));
  await game.close();
  await floor.close();

  const pad = (text, width) => String(text).padStart(width);
  const percent = share => `${(100 * share).toFixed(2)}%`;
  console.log("stretch  seconds   ticks   ticks/s   gaps ms        CPU    floor  CPU/floor  wakeups");
  for (const r of reports) {
    const range = r.gaps.length ? `${Math.min(...r.gaps)}-${Math.max(...r.gaps)}` : "0-0";
    const ratio = r.floorCpu > 0 ? (r.cpu / r.floorCpu).toFixed(2) : "-";
    console.log(`${r.name.padEnd(7)} ${pad(r.seconds.toFixed(1), 8)} ${pad(r.ticks, 7)} ${pad((r.ticks / r.seconds).toFixed(2), 9)}` +
                `    ${range.padEnd(9)} ${pad(percent(r.cpu), 7)} ${pad(percent(r.floorCpu), 8)} ${pad(ratio, 10)} ${pad(r.wakeups, 8)}`);
  }
  for (const r of reports.filter(r => r.gaps.length)) {
    const spread = [...r.counts].sort((a, b) => a[0] - b[0]).map(([gap, n]) => `${gap} ms: ${n}`).join(", ");
    console.log(`${r.name} gaps: ${spread}`);
  }
})().catch(error => { console.error(`pace-web: ${error.message}`); process.exit(1); });
