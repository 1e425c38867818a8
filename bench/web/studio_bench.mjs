// Measures the story studio as an author meets it, in Debian's headless Chromium on a local
// server:   node bench/web/studio_bench.mjs [SITE [SINGLE_FILE]]
//           (default build/web/site and build/web/studio/luxarim-studio.html; needs web/tests'
//           npm ci)
// - navigation to the studio being ready (the story shown, checked, playing; median of 5),
// - findings after a pause in typing (from the last key to the findings on screen, the pause
//   included; and the check alone in the worker): on the bundled story and on a 9,999-line story,
// - key to paint in the editor while the checker runs on the 9,999-line story (median and worst),
// - publishing the bundled story as a zip (the check, the site written, the font cut down and the
//   archive made in the worker; first, with HarfBuzz's subsetter made, and the median of 5 after),
// - the one-file studio, raw and gzipped (it holds no whole face: publishing from it asks for one).
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { launch, serve, SITE } from '../../web/tests/harness.mjs';
import {
  longStory, openPrivateFolder, openStudio, SINGLE, typeAt,
} from '../../web/studio/tests/studio_harness.mjs';

const site = process.argv[2] || SITE;
const single = process.argv[3] || SINGLE;
const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

async function publishTimes(page) {
  const times = [];
  for (let i = 0; i < 6; i += 1) {
    times.push(await page.evaluate(async () => {
      const started = performance.now();
      await window.studio.passesGate();
      await window.studio.writeSite('', null, null);
      return performance.now() - started;
    }));
  }
  return { first: times[0], after: median(times.slice(1)) };
}

async function ready(browser, url) {
  const times = [];
  for (let i = 0; i < 5; i += 1) {
    const page = await openStudio(browser, url);
    times.push(await page.evaluate(() => window.studioReadyAt));
    await page.context().close();
  }
  return median(times);
}

// Types one character at the end of line `line` five times, each after the findings of the last
// were shown: the time from the key to the findings, and the worker's check alone.
async function findingsDelay(page, line) {
  const totals = [];
  const checks = [];
  const layouts = [];
  for (let i = 0; i < 5; i += 1) {
    const before = await page.evaluate(() => Number(document.body.dataset.checks));
    await typeAt(page, line, 1, 'x');
    await page.waitForFunction((n) => Number(document.body.dataset.checks) > n, before, { timeout: 60000 });
    await page.waitForFunction(() => !window.studio.checking);
    await page.waitForFunction(() => window.studio.lastCheck.layoutMilliseconds !== undefined);
    const { typedAt, shownAt, answer, layoutMilliseconds } = await page.evaluate(() => window.studio.lastCheck);
    totals.push(shownAt - typedAt);
    checks.push(answer.milliseconds);
    layouts.push(layoutMilliseconds);
  }
  return { total: median(totals), check: median(checks), layout: median(layouts) };
}

// Key to the next paint: the time from each keydown to a task after the next animation frame.
async function keyToPaint(page, line) {
  await page.evaluate(() => {
    window.__keys = [];
    document.addEventListener('keydown', () => {
      const down = performance.now();
      requestAnimationFrame(() => setTimeout(() => window.__keys.push(performance.now() - down)));
    }, true);
  });
  await typeAt(page, line, 1, '');
  for (let i = 0; i < 60; i += 1) await page.keyboard.type('k', { delay: 0 }), await page.waitForTimeout(40);
  await page.waitForTimeout(500);
  const times = await page.evaluate(() => window.__keys);
  if (process.env.STUDIO_BENCH_SAMPLES) console.log(times.map((t) => t.toFixed(0)).join(" "));
  return { median: median(times), worst: Math.max(...times) };
}

const browser = await launch();
const server = await serve(site);
try {
  const url = `${server.url}studio.html?lang=en`;
  console.log(`studio ready from navigation: ${(await ready(browser, url)).toFixed(0)} ms (median of 5)`);
  const page = await openStudio(browser, url);
  const bundled = await findingsDelay(page, 30);
  console.log(`findings after a pause, bundled story: ${bundled.total.toFixed(0)} ms from the key (check ${bundled.check.toFixed(0)} ms; the map laid out after, ${bundled.layout.toFixed(0)} ms)`);
  const published = await publishTimes(page);
  console.log(`publish the bundled story as a zip: ${published.first.toFixed(0)} ms the first time, ${published.after.toFixed(0)} ms after (median of 5)`);
  await openPrivateFolder(page, longStory());
  const lines = await page.evaluate(() => window.studio.editor.state.doc.lines);
  const long = await findingsDelay(page, 2);
  console.log(`findings after a pause, ${lines}-line story: ${long.total.toFixed(0)} ms from the key (check ${long.check.toFixed(0)} ms; the map not drawn)`);
  const paint = await keyToPaint(page, 3);
  console.log(`key to paint while checking the ${lines}-line story: median ${paint.median.toFixed(1)} ms, worst ${paint.worst.toFixed(1)} ms`);
  const file = readFileSync(single);
  console.log(`one-file studio: ${file.length} bytes, ${gzipSync(file, { level: 9 }).length} gzipped`);
} finally {
  await browser.close();
  server.close();
}
