// The web player's test harness: a static server on loopback over the built site (with files
// taken away or replaced per test), Debian's Chromium driven by playwright-core, and what a player
// sees and hears read off the page: the canvas, the live region, the dialog, the Web Audio calls.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { chromium } from 'playwright-core';

export const SITE = process.env.GAME_WEB_SITE || new URL('../../build/web/site', import.meta.url).pathname;
export const STORYBOARD_SEED = 0x80000000;

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.ttf': 'font/ttf', '.woff2': 'font/woff2',
  '.txt': 'text/plain', '.bmp': 'image/bmp', '.wav': 'audio/wav', '.png': 'image/png',
  '.svg': 'image/svg+xml', '.ico': 'image/x-icon', '.webmanifest': 'application/manifest+json',
};

// Serves `root` on 127.0.0.1; `changes` maps a path under it ('dat/story.txt') to replacement
// bytes, or to null for a file the server does not have.
export async function serve(root = SITE, changes = {}) {
  const server = createServer(async (request, response) => {
    let path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).slice(1);
    if (path === '' || path.endsWith('/')) path += 'index.html';
    try {
      const body = path in changes ? changes[path] : await readFile(join(root, path));
      if (body === null) throw new Error('gone');
      response.writeHead(200, { 'content-type': TYPES[extname(path)] || 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

export function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// Records, before the page's own scripts run, every sound started and every picture shown.
export function spies() {
  window.__sounds = [];
  window.__presents = [];
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.__sounds.push({ duration: this.buffer ? this.buffer.duration : 0, loop: this.loop,
      state: this.context.state });
    return start.apply(this, args);
  };
  const drawImage = CanvasRenderingContext2D.prototype.drawImage;
  CanvasRenderingContext2D.prototype.drawImage = function (...args) {
    if (this.canvas.id === 'picture') window.__presents.push(performance.now());
    return drawImage.apply(this, args);
  };
}

// A browser context as a device shows pages: `viewport` (CSS pixels), `ratio` (device-pixel
// ratio), `touch` (a phone or tablet: touch events and the mobile viewport).
export function device(browser, { viewport = { width: 500, height: 300 }, ratio = 1, touch = false } = {}) {
  return browser.newContext({ deviceScaleFactor: ratio, viewport, hasTouch: touch, isMobile: touch });
}

// Opens the player at `url` and waits for its first page to be playable. Options: seed, frozen
// (the page's clock stands still until the test moves it), and the device's (see device; by
// default a window of the game's own size, where the picture is shown at 1 : 1).
export async function open(browser, url, { seed, frozen = false, ...screen } = {}) {
  const context = await device(browser, screen);
  const page = await context.newPage();
  page.on('pageerror', (error) => { page.errors = [...(page.errors || []), String(error)]; });
  await page.addInitScript(spies);
  if (frozen) {
    // The installed clock runs until paused: pause it a little ahead, never in its past.
    await page.clock.install({ time: 0 });
    await page.clock.pauseAt(10000);
  }
  const address = seed === undefined ? url : `${url}?seed=${seed}`;
  await page.goto(address);
  await page.waitForFunction(() => document.getElementById('loading').hidden);
  return page;
}

export const liveText = (page) => page.locator('#page-text').innerText();
export const special = (page) => page.locator('#special');
export const next = (page) => page.locator('#next');

// Waits for the end's offer to play again, then for the moment in which presses do not restart
// to pass, and presses it.
export async function restart(page) {
  const button = page.locator('#restart');
  await button.waitFor({ state: 'visible' });
  await page.waitForFunction(() => !document.getElementById('restart').hasAttribute('aria-disabled'));
  await button.click();
}

export async function dialog(page) {
  const box = page.locator('dialog#message');
  await box.waitFor({ state: 'visible' });
  return { caption: await box.locator('#message-caption').innerText(),
    text: await box.locator('#message-text').innerText(), close: () => box.getByRole('button').click() };
}

// The 500 by 300 picture as RGBA bytes, read from the screen canvas at ratio 1.
export async function picture(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('picture');
    return Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data);
  });
}

// Decodes a PNG file in the page, as RGBA bytes.
export async function decodePng(page, bytes) {
  return page.evaluate(async (base64) => {
    const image = new Image();
    image.src = `data:image/png;base64,${base64}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    return Array.from(context.getImageData(0, 0, image.width, image.height).data);
  }, Buffer.from(bytes).toString('base64'));
}
