// Counts the page's waits for the browser test and make pace-web, put in
// before the page's own scripts: how long the program has waited for input,
// in the page's milliseconds (the test runs the clock by this, so that the
// time the program sleeps, a panel sliding, passes on top, as on the runner),
// and how many waits ended with no input (the pace tool's wake-ups). It takes
// hold of `Module.mirelinkPage` as the page hands it to the program.
"use strict";
(() => {
  function watch(page) {
    if (page.waited) return;
    const wait = page.waitForEvent;
    let waitedBefore = 0;
    let waitStart = null;
    page.paints = 0;
    page.waited = () => waitedBefore + (waitStart === null ? 0 : performance.now() - waitStart);
    page.waitForEvent = timeout => {
      if (page.events.length > 0) return wait(timeout);
      waitStart = performance.now();
      return wait(timeout).then(() => {
        waitedBefore += performance.now() - waitStart;
        waitStart = null;
        if (page.events.length === 0) ++page.paints;
      });
    };
  }
  let module;
  Object.defineProperty(globalThis, "Module", {
    configurable: true,
    get: () => module,
    set: value => {
      module = value;
      if (value?.mirelinkPage) watch(value.mirelinkPage);
    },
  });
})();
