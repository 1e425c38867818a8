// Playing as the author writes, in Chromium: an edit is read anew in the play pane where the
// reader is, "play from here" starts at the page under the cursor, and the page on screen is
// marked in the editor.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import {
  checks, launch, openPrivateFolder, openStudio, serve, typeAt, waitChecked,
} from './studio_harness.mjs';

// Pages of one line each; line 1 is the label, the pages start at lines 2, 4 and 6.
const STORY = Buffer.from('@start\r\npage one\r\n\r\npage two\r\n\r\npage three\r\n\r\n#end\r\n');

let server;
let browser;
before(async () => {
  server = await serve();
  browser = await launch();
});
after(async () => {
  await browser.close();
  server.close();
});

async function studioWithStory() {
  const page = await openStudio(browser, `${server.url}studio.html?lang=en`);
  const shown = await checks(page);
  await openPrivateFolder(page, STORY);
  await waitChecked(page, shown);
  return page;
}

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
  await typeAt(page, 6, 1, 'a new page\n\n');
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
