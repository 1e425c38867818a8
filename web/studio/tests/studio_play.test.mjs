// Playing as the author writes, in Chromium: an edit is read anew in the play pane where the
// reader is, "play from here" starts at the page under the cursor, and the page on screen is
// marked in the editor; a picture dropped on a frame becomes the bitmap the game reads, a sound
// dropped on a sound replaces it.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  dropOn, findingTexts, savedFile, pasteAt, studioSession, typeAt,
} from './studio_harness.mjs';

// Pages of one line each; line 1 is the label, the pages start at lines 2, 4 and 6.
const STORY = Buffer.from('@start\r\npage one\r\n\r\npage two\r\n\r\npage three\r\n\r\n#end\r\n');

const session = studioSession();
const studioWithStory = () => session.withStory(STORY);

const shownPage = (page) => page.evaluate(() => document.getElementById('page-text').innerText.trim());
const markedLines = (page) => page.locator('.cm-line.on-screen').allInnerTexts();
const pageOnScreen = (page) => page.evaluate(() => Number(document.body.dataset.pageOnScreen));

// Presses Next until the pane shows `text`.
async function nextUntil(page, text) {
  for (let press = 0; press < 4 && (await shownPage(page)) !== text; ++press) {
    await page.locator('#next').click();
  }
  assert.equal(await shownPage(page), text);
}

test('a page typed while the story plays is read in the pane, and the reader stays on their page', async () => {
  const page = await studioWithStory();
  await nextUntil(page, 'page two');
  assert.equal(await pageOnScreen(page), 4);
  assert.deepEqual(await markedLines(page), ['page two']);

  const reloads = await page.evaluate(() => Number(document.body.dataset.reloads || 0));
  await pasteAt(page, 6, 1, 'a new page\n\n');
  await page.waitForFunction((n) => Number(document.body.dataset.reloads || 0) > n, reloads);
  // Still on page two, which has not moved; the page typed after it comes next.
  assert.equal(await shownPage(page), 'page two');
  assert.equal(await pageOnScreen(page), 4);
  await page.locator('#next').click();
  assert.equal(await shownPage(page), 'a new page');
  assert.equal(await pageOnScreen(page), 6);
  assert.deepEqual(await markedLines(page), ['a new page']);
  await page.locator('#next').click();
  assert.equal(await shownPage(page), 'page three');
  assert.equal(await pageOnScreen(page), 8);
  assert.deepEqual(page.errors, []);
});

test('play from here starts at the page under the cursor; a line past the end is refused', async () => {
  const page = await studioWithStory();
  await typeAt(page, 6, 3, '');
  assert.equal(await page.evaluate(() => window.studio.cursorLine), 6);
  await page.locator('#play-here').click();
  assert.equal(await shownPage(page), 'page three');
  assert.equal(await pageOnScreen(page), 6);
  assert.deepEqual(await markedLines(page), ['page three']);
  assert.equal(await page.locator('#play-said').innerText(), '');

  await page.evaluate(() => { window.studio.cursorLine = 99; });
  await page.locator('#play-here').click();
  assert.match(await page.locator('#play-said').innerText(), /99/);
  assert.deepEqual(page.errors, []);
});

// A 500 x 300 PNG, red with its top row blue.
async function redPng() {
  const canvas = new OffscreenCanvas(500, 300);
  const context = canvas.getContext('2d');
  context.fillStyle = '#ff0000';
  context.fillRect(0, 0, 500, 300);
  context.fillStyle = '#0000ff';
  context.fillRect(0, 0, 500, 1);
  return { blob: await canvas.convertToBlob({ type: 'image/png' }), name: 'red.png', type: 'image/png' };
}

async function upWav() {
  return { blob: await (await fetch('dat/up.wav')).blob(), name: 'rise.wav', type: 'audio/wav' };
}

async function notAPicture() {
  return { blob: new Blob(['hello']), name: 'note.txt', type: 'text/plain' };
}

const status = (page) => page.locator('#folder-name').innerText();

test('a PNG dropped on a frame is written as a 24-bit bitmap, a WAV on a sound as it is', async () => {
  const page = await studioWithStory();
  const before = await savedFile(page, 'a0.bmp');
  await dropOn(page, 'a0.bmp', notAPicture);
  await page.waitForFunction(() => /does not read as a picture/.test(document.getElementById('folder-name').innerText));
  assert.deepEqual(await savedFile(page, 'a0.bmp'), before);

  await dropOn(page, 'a0.bmp', redPng);
  await page.waitForFunction(() => /Replaced "a0.bmp"/.test(document.getElementById('folder-name').innerText));
  const bmp = await savedFile(page, 'a0.bmp');
  assert.equal(bmp.subarray(0, 2).toString('latin1'), 'BM');
  assert.deepEqual([bmp.readInt32LE(18), bmp.readInt32LE(22), bmp.readUInt16LE(28), bmp.length],
    [500, 300, 24, 54 + 500 * 3 * 300]);
  // Bottom-up rows of blue, green, red: the first row written is the picture's bottom (red), the
  // last its top (blue).
  assert.deepEqual([...bmp.subarray(54, 57)], [0, 0, 255]);
  assert.deepEqual([...bmp.subarray(54 + 299 * 1500, 54 + 299 * 1500 + 3)], [255, 0, 0]);
  assert.match(await page.locator('#play-said').innerText(), /frames read anew/);
  assert.ok((await findingTexts(page)).every((f) => !f.startsWith('a0.bmp')));

  await dropOn(page, 'suka.wav', upWav);
  await page.waitForFunction(() => /Replaced "suka.wav"/.test(document.getElementById('folder-name').innerText));
  assert.deepEqual(await savedFile(page, 'suka.wav'), await savedFile(page, 'up.wav'));
  assert.match(await status(page), /suka\.wav/);
  assert.deepEqual(page.errors, []);
});
