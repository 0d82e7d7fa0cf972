// The page around the game: the canvas at a whole-number scale, the pen from
// mouse and touch, the hidden and ended covers, message dialogs, and the
// pending input the program takes when it asks for it. The program itself is
// mirelink.js, which reads `Module.mirelinkPage`.
"use strict";

const params = new URLSearchParams(location.search);
const canvas = document.getElementById("screen");
const context = canvas.getContext("2d");
const image = context.createImageData(240, 320);

// The kinds of input the program knows.
const Input = { PenDown: 2, PenUp: 3, FocusLost: 4, Restore: 7 };

let wake = null;       // resolves the program's wait for input
let framePending = false;
let pen = null;        // the one pointer that is the pen, while it is down

function push(kind, x = 0, y = 0) {
  page.events.push([kind, x, y]);
  if (wake) wake();
}

// Waits `ms` milliseconds without the browser's clamping of timers set from
// timers: each wait is started from a message, not from the timer before.
const channel = new MessageChannel();
const waiting = [];
channel.port1.onmessage = () => { const [ms, done] = waiting.shift(); setTimeout(done, ms); };
function pause(ms) {
  return new Promise(done => { waiting.push([ms, done]); channel.port2.postMessage(0); });
}

const page = {
  events: [],
  waitForEvent(timeout) {
    if (page.events.length > 0) return Promise.resolve();
    return new Promise(done => {
      const own = () => {
        if (wake !== own) return;
        wake = null;
        done();
      };
      wake = own;
      // Input may end this wait first; the pause then ends nothing, rather
      // than a later wait before its time.
      if (timeout >= 0) pause(timeout).then(own);
    });
  },
  showFrame(rgba) {
    image.data.set(rgba);
    if (framePending) return;
    framePending = true;
    requestAnimationFrame(() => { framePending = false; context.putImageData(image, 0, 0); });
  },
  showHidden(hidden) {
    gameHidden = hidden;
    document.getElementById("hidden").classList.toggle("shown", hidden);
  },
  showEnded() { document.getElementById("ended").classList.add("shown"); },
  showMessage(caption, text) {
    const dialog = document.getElementById("message");
    document.getElementById("caption").textContent = caption;
    document.getElementById("text").textContent = text;
    return new Promise(done => { dialog.onclose = done; dialog.showModal(); });
  },
  // `?clock=MS` takes what the runner's --clock takes, a whole number of
  // milliseconds the program's clock can hold; anything else is refused with
  // a word, and the game plays on the real clock.
  startClock() {
    const given = params.get("clock");
    if (given !== null && /^[0-9]+$/.test(given) && Number(given) <= 0xFFFFFFFF) return Number(given);
    if (given !== null) {
      const shown = given.length > 40 ? `${given.slice(0, 40)}...` : given;
      page.showMessage("Mirelink", `?clock= must be a whole number from 0 to 4294967295, not "${shown}": ` +
                                   "the game plays on the real clock.");
    }
    return Date.now() >>> 0;
  },
};

// The largest whole number of the screen's own (device) pixels per game
// pixel that fits the window, so that every game pixel is the same crisp
// square. Where that would leave more than a tenth of the window's limiting
// side empty on a screen of small pixels (two or more a CSS pixel: a phone's,
// where uneven game pixels do not show), and in a window too
// small for one pixel a game pixel, the screen is scaled by any factor to fit
// instead. `?fit=fill` always scales to fit, `?fit=whole` always keeps whole
// numbers.
function fit() {
  const density = devicePixelRatio || 1;
  const room = Math.min(innerWidth / 240, innerHeight / 320) * density;
  const whole = Math.floor(room);
  const choice = params.get("fit");
  const wasteful = density >= 2 && (room - whole) / room > 0.1;
  const scale = room < 1 || choice === "fill" || (choice !== "whole" && wasteful) ? room : whole;
  canvas.style.width = `${240 * scale / density}px`;
  canvas.style.height = `${320 * scale / density}px`;
}
addEventListener("resize", fit);
fit();

// A window pixel to a screen pixel, as the desktop maps the mouse.
function screenPoint(event) {
  const box = canvas.getBoundingClientRect();
  const scale = box.width / 240;
  return [Math.floor((event.clientX - box.left) / scale), Math.floor((event.clientY - box.top) / scale)];
}

canvas.addEventListener("pointerdown", event => {
  event.preventDefault();
  if (pen !== null) return;  // one pointer at a time
  const [x, y] = screenPoint(event);
  if (x < 0 || y < 0 || x >= 240 || y >= 320) return;
  pen = event.pointerId;
  canvas.setPointerCapture(pen);
  push(Input.PenDown, x, y);
});
function lift(event) {
  if (event.pointerId !== pen) return;
  event.preventDefault();
  pen = null;
  const [x, y] = screenPoint(event);
  // A pen that slid off the picture is lifted at its nearest edge.
  push(Input.PenUp, Math.min(239, Math.max(0, x)), Math.min(319, Math.max(0, y)));
}
canvas.addEventListener("pointerup", lift);
canvas.addEventListener("pointercancel", lift);
for (const type of ["contextmenu", "dblclick", "gesturestart", "selectstart"]) {
  addEventListener(type, event => event.preventDefault());
}
addEventListener("touchmove", event => event.preventDefault(), { passive: false });

// A hidden tab is the handheld's focus loss: the game hides itself. Coming
// back to the tab is, on a phone, what starting the program again is on the
// device: a game the tab hid comes back at once. One hidden with "-" keeps
// its cover and its button.
let gameHidden = false;
let backWithTab = false;
document.addEventListener("visibilitychange", () => {
  if (document.hidden) {
    backWithTab = !gameHidden;
    push(Input.FocusLost);
  } else if (backWithTab) {
    backWithTab = false;
    push(Input.Restore);
  }
});
document.getElementById("back").addEventListener("click", () => push(Input.Restore));
document.getElementById("again").addEventListener("click", () => location.reload());

if ("serviceWorker" in navigator && location.protocol.startsWith("http")) {
  navigator.serviceWorker.register("sw.js");
}

var Module = { mirelinkPage: page };
