// Measures the web player as a player meets it, in Debian's headless Chromium on a local server:
//   node bench/web/web_bench.mjs [SITE]      (default build/web/site; needs web/tests' npm ci)
// - navigation to the first picture (median of 5 loads), on a desktop and on a phone profile
//   (390 x 844 at ratio 3, touch, the processor slowed 4 times),
// - the tab's peak memory (the renderer's peak resident size) with the bundled story played to a
//   page with heat, the module's memory and the frame bytes the page holds of its own,
// - the page's code (wasm, JavaScript, HTML, CSS), the font subset, the frames and the sounds,
//   raw and gzipped,
// - the heat period on a page with heat (median and worst of 200 ticks),
// - the processor time an idle tab uses (renderer and GPU processes, over 10 s on a page).
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { extname, join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { device, launch, liveText, next, open, serve, SITE, spies } from '../../web/tests/harness.mjs';

const site = process.argv[2] || SITE;

function files(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? files(path) : [path];
  });
}

function sizes() {
  const kind = (path) => {
    if (path.includes('/dat/')) return ['.wav'].includes(extname(path)) ? 'sounds' : extname(path) === '.bmp' ? 'frames' : 'story';
    if (['.ttf', '.woff2', '.otf'].includes(extname(path))) return 'font';
    if (path.endsWith('.txt')) return 'licence';
    return 'code';
  };
  const totals = {};
  for (const path of files(site)) {
    const bytes = readFileSync(path);
    const total = (totals[kind(path)] ||= { raw: 0, gzipped: 0 });
    total.raw += bytes.length;
    total.gzipped += gzipSync(bytes, { level: 9 }).length;
  }
  return totals;
}

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

const PHONE = { viewport: { width: 390, height: 844 }, ratio: 3, touch: true, throttle: 4 };

// Opens a page on `screen` (see the harness's device), its processor slowed `throttle` times.
async function openThrottled(browser, url, { throttle = 1, ...screen } = {}) {
  const context = await device(browser, screen);
  const page = await context.newPage();
  await page.addInitScript(spies);
  const session = await context.newCDPSession(page);
  await session.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  await page.goto(url);
  return page;
}

async function firstPicture(browser, url, screen) {
  const times = [];
  for (let i = 0; i < 5; i += 1) {
    const page = await openThrottled(browser, url, screen);
    await page.waitForFunction(() => window.__presents.length > 0, null, { timeout: 60000 });
    times.push(await page.evaluate(() => window.__presents[0]));
    await page.context().close();
  }
  return median(times);
}

// The renderers' peak resident sizes (VmHWM), largest first, in MiB.
async function rendererPeaks(browser) {
  const session = await browser.newBrowserCDPSession();
  const { processInfo } = await session.send('SystemInfo.getProcessInfo');
  return processInfo.filter((p) => p.type === 'renderer').map((p) => {
    const status = readFileSync(`/proc/${p.id}/status`, 'utf8');
    return Number(/VmHWM:\s+(\d+) kB/.exec(status)[1]) / 1024;
  }).sort((a, b) => b - a);
}

// A browser of its own, one tab played to a page with heat for 3 s: the tab's peak memory.
async function peakMemory(url) {
  const browser = await launch();
  try {
    const page = await open(browser, url);
    while (!(await liveText(page)).includes('ねえ、きみ。')) await next(page).click();
    await new Promise((resolve) => setTimeout(resolve, 3000));
    const held = await page.evaluate(() => {
      const { module, picture } = window.luxarim;
      const own = picture.frames.reduce((sum, frame) => {
        const data = frame && (frame.data || (frame.image && frame.image.data));
        return sum + (data && data.buffer !== module.HEAPU8.buffer ? data.byteLength : 0);
      }, 0);
      return { wasm: module.HEAPU8.byteLength / 2 ** 20, pageFrames: own / 2 ** 20 };
    });
    return { renderer: (await rendererPeaks(browser))[0], ...held };
  } finally {
    await browser.close();
  }
}

async function heatPeriod(browser, url) {
  const page = await open(browser, url);
  while (!(await liveText(page)).includes('ねえ、きみ。')) await next(page).click();
  await page.evaluate(() => { window.__presents = []; });
  await page.waitForFunction(() => window.__presents.length > 200, null, { timeout: 60000 });
  const times = await page.evaluate(() => window.__presents);
  const periods = times.slice(1).map((t, i) => t - times[i]);
  await page.context().close();
  return { median: median(periods), worst: Math.max(...periods) };
}

async function idleCpu(browser, url) {
  const page = await open(browser, url);
  await next(page).click();
  const session = await browser.newBrowserCDPSession();
  const cpu = async () => (await session.send('SystemInfo.getProcessInfo')).processInfo
    .filter((p) => p.type !== 'browser').reduce((sum, p) => sum + p.cpuTime, 0);
  const before = await cpu();
  await new Promise((resolve) => setTimeout(resolve, 10000));
  const used = (await cpu()) - before;
  await page.context().close();
  return used / 10;
}

const browser = await launch();
const server = await serve(site);
try {
  console.log('site', JSON.stringify(sizes()));
  console.log(`navigation to first picture: ${(await firstPicture(browser, server.url)).toFixed(0)} ms (median of 5)`);
  console.log(`on a phone, processor slowed 4 times: ${(await firstPicture(browser, server.url, PHONE)).toFixed(0)} ms (median of 5)`);
  const memory = await peakMemory(server.url);
  console.log(`tab's peak memory: ${memory.renderer.toFixed(1)} MiB; module memory ${memory.wasm.toFixed(1)} MiB, ` +
    `frame bytes of the page's own ${memory.pageFrames.toFixed(2)} MiB`);
  const heat = await heatPeriod(browser, server.url);
  console.log(`heat period: median ${heat.median.toFixed(1)} ms, worst ${heat.worst.toFixed(1)} ms`);
  console.log(`idle tab: ${(100 * (await idleCpu(browser, server.url))).toFixed(1)}% of a core`);
} finally {
  await browser.close();
  server.close();
}
