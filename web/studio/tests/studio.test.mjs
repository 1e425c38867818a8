// The studio end to end in Chromium: a story folder opened from the origin's private file system,
// a mistake found as it is typed, saving that keeps every untouched byte, a character Shift-JIS
// lacks refused, lossy lines confirmed first, and the one-file studio opened from the disk.
import assert from 'node:assert/strict';
import { copyFile, mkdir, mkdtemp, readFile, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';
import {
  editorText, findingTexts, longStory, openStudio, savedStory, SINGLE, SITE, studioSession, typeAndCheck,
  typeAt,
} from './studio_harness.mjs';

// CR LF lines, a comment holding a byte that forms no character (0x80), and a tail after a
// Ctrl-Z holding a lone lead byte: none of it may change where the author does not type.
const STORY = Buffer.from([
  ...Buffer.from('@start\r\n'),
  0x82, 0xA0, 0x82, 0xA2, 0x0D, 0x0A,                // あい
  ...Buffer.from('// '), 0x80, ...Buffer.from(' note\r\n'),
  ...Buffer.from('#end\r\n'),
  0x1A, ...Buffer.from(' tail '), 0x82, 0x0D, 0x0A,
]);
const at = (line) => {  // the byte offset where line `line` (from 1) of STORY begins
  let offset = 0;
  for (let n = 1; n < line; ++n) offset = STORY.indexOf(0x0A, offset) + 1;
  return offset;
};
// STORY with its lines from `from` up to `to` (from 1) replaced by `text`.
const storyWith = (from, text, to = from) =>
  Buffer.concat([STORY.subarray(0, at(from)), Buffer.from(text), STORY.subarray(at(to))]);

const session = studioSession();
const studioWithStory = () => session.withStory(STORY);

test('the story opens decoded, its untouched bytes shown as they read', async () => {
  const page = await studioWithStory();
  assert.equal(await editorText(page), '@start\nあい\n// \uFFFD note\n#end\n\x1A tail \uFFFD\n');
  assert.match(await page.locator('#folder-name').innerText(), /story/);
  assert.deepEqual(page.errors, []);
});

test('a typo is found at its line as it is typed, and saving keeps every untouched byte', async () => {
  const page = await studioWithStory();
  await typeAndCheck(page, 4, 1, '#goto @nowhere\n');
  const findings = await findingTexts(page);
  assert.ok(findings.some((f) => /^story\.txt:4:\d+: error: there is no label @nowhere/.test(f)),
    findings.join('\n'));
  await page.waitForSelector('.cm-lintRange-error');
  const marked = await page.evaluate(() => {
    const view = window.studio.editor;
    const mark = document.querySelector('.cm-lintRange-error');
    return view.state.doc.lineAt(view.posAtDOM(mark)).number;
  });
  assert.equal(marked, 4);
  // A click on the finding puts the cursor on its line.
  await page.locator('#findings button', { hasText: '@nowhere' }).click();
  assert.equal(await page.evaluate(() => window.studio.cursorLine), 4);

  assert.equal(await page.evaluate(() => window.studio.save()), true);
  assert.deepEqual(await savedStory(page), storyWith(4, '#goto @nowhere\r\n'));
  assert.deepEqual(page.errors, []);
});

test('a character without a Shift-JIS form is refused with its place, and nothing is written', async () => {
  const page = await studioWithStory();
  await typeAndCheck(page, 2, 3, '♡');
  assert.equal(await page.evaluate(() => window.studio.save()), false);
  assert.deepEqual(await savedStory(page), STORY);
  const findings = await findingTexts(page);
  assert.ok(findings.some((f) => f.startsWith('story.txt:2:3: error: "♡" (U+2661) has no Shift-JIS')),
    findings.join('\n'));
  assert.match(await page.locator('#folder-name').innerText(), /Not saved/);
  assert.match(await page.locator('#summary').innerText(), /^1 character that cannot be saved/m);
});

test('a changed line that would lose bytes forming no character waits for the author', async () => {
  const page = await studioWithStory();
  await typeAt(page, 3, 3, '!');
  const saving = page.evaluate(() => window.studio.save());
  await page.waitForSelector('#confirm[open]');
  assert.match(await page.locator('#confirm-text').innerText(), /^Line 3 held bytes that form no character/);
  await page.locator('#confirm button[value="no"]').click();
  assert.equal(await saving, false);
  assert.deepEqual(await savedStory(page), STORY);

  const confirmed = page.evaluate(() => window.studio.save());
  await page.waitForSelector('#confirm[open]');
  await page.locator('#confirm button[value="yes"]').click();
  assert.equal(await confirmed, true);
  assert.deepEqual(await savedStory(page), storyWith(3, '//!  note\r\n', 4));
});

test('the bundled story plays in the pane beside its text, and its walk is summed up', async () => {
  const page = await openStudio(session.browser, `${session.server.url}studio.html?lang=en`);
  await page.waitForFunction(() => Number(document.body.dataset.maps || 0) > 0);
  assert.match(await editorText(page), /^\/\/ =+/);
  // The frames and sounds, each shown: the pictures decoded by the browser at the game's size.
  assert.equal(await page.locator('#assets img').count(), 6);
  assert.equal(await page.locator('#assets audio').count(), 2);
  await page.waitForFunction(() => [...document.querySelectorAll('#assets img')]
    .every((img) => img.complete && img.naturalWidth === 500 && img.naturalHeight === 300));
  assert.match(await page.locator('#summary').innerText(), /^walk: (\d+) pages/m);
  // The map: a node for the start, each page the walk found and each ending; a click on a page
  // goes to its line.
  const pages = Number(/^walk: (\d+) pages/m.exec(await page.locator('#summary').innerText())[1]);
  assert.equal(await page.locator('#story-map .map-page, #story-map .map-answer').count(), pages);
  assert.equal(await page.locator('#story-map .map-end').count(), 2);
  assert.ok(await page.locator('#story-map .way-jump').count() > 0);
  assert.ok(await page.locator('#story-map .way-answer').count() > 0);
  const node = page.locator('#story-map .map-page').nth(3);
  const line = Number(await node.getAttribute('data-line'));
  await node.click();
  assert.equal(await page.evaluate(() => window.studio.cursorLine), line);
  await page.locator('#next').click();
  await page.waitForFunction(() => document.getElementById('page-text').innerText.trim() !== '');
  assert.deepEqual(page.errors, []);
});

test('the one-file studio opens from the disk with a new story, checks it and plays it', async () => {
  const page = await openStudio(session.browser, `${pathToFileURL(SINGLE).href}?lang=ja`);
  await page.waitForFunction(() => Number(document.body.dataset.checks || 0) > 0);
  assert.match(await editorText(page), /#trap @/);
  assert.match(await page.locator('#summary').innerText(), /^道筋: /m);
  // The new story starts from the bundled portrait and sounds, which the one file holds.
  assert.deepEqual(await findingTexts(page), []);
  assert.equal(await page.locator('#message[open]').count(), 0);
  await page.locator('#next').click();
  await page.waitForFunction(() => document.getElementById('page-text').innerText.trim() !== '');
  assert.equal(await page.locator('#save-story').innerText(), '保存');
  assert.deepEqual(page.errors, []);
});

test('the editor numbers the lines, colours the story, undoes and searches', async () => {
  const page = await studioWithStory();
  assert.equal(await page.locator('.cm-lineNumbers .cm-gutterElement', { hasText: /^5$/ }).count(), 1);
  assert.equal(await page.locator('.tok-label').first().innerText(), '@start');
  assert.equal(await page.locator('.tok-command').first().innerText(), '#end');
  assert.equal(await page.locator('.tok-comment').first().innerText(), '// \uFFFD note');
  assert.equal(await page.locator('.cm-line.page-a').count(), 1);  // あい, the one page
  // A click in the text puts the caret there: the game's buttons keep the keys only for clicks in
  // the game.
  await page.locator('.cm-line').nth(3).click();
  await page.keyboard.type('x');
  assert.match((await editorText(page)).split('\n')[3], /x/);
  await page.keyboard.press('Control+z');
  await typeAt(page, 2, 3, 'う');
  assert.match(await editorText(page), /^@start\nあいう\n/);
  await page.keyboard.press('Control+z');
  assert.match(await editorText(page), /^@start\nあい\n/);
  await page.keyboard.press('Control+f');
  await page.waitForSelector('.cm-search input[name="search"]');
  await page.keyboard.type('tail');
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => {
    const view = window.studio.editor;
    return view.state.doc.lineAt(view.state.selection.main.head).number;
  }), 5);
});

test('without the File System Access API a folder opens read-only and saving downloads story.txt', async () => {
  const context = await session.browser.newContext({ viewport: { width: 1200, height: 800 }, acceptDownloads: true });
  const page = await context.newPage();
  await page.addInitScript(() => { delete window.showDirectoryPicker; });
  await page.goto(`${session.server.url}studio.html?lang=en`);
  await page.waitForFunction(() => Number(document.body.dataset.checks || 0) > 0);
  const folder = join(await mkdtemp(join(tmpdir(), 'studio-')), 'mystory');
  await mkdir(folder);
  await writeFile(join(folder, 'story.txt'), STORY);
  for (const name of ['a0.bmp', 'a1.bmp', 'a2.bmp', 'a3.bmp', 'a4.bmp', 'a5.bmp', 'up.wav', 'suka.wav']) {
    await copyFile(join(SITE, 'dat', name), join(folder, name));
  }
  await page.locator('#pick-folder').setInputFiles(folder);
  await page.waitForFunction(() => document.body.dataset.loads === '2');
  assert.match(await page.locator('#folder-name').innerText(), /mystory.*read-only/);
  await typeAt(page, 4, 1, '#heatOn\n');
  const [download] = await Promise.all([page.waitForEvent('download'),
    page.evaluate(() => window.studio.save())]);
  assert.equal(download.suggestedFilename(), 'story.txt');
  assert.deepEqual(await readFile(await download.path()), storyWith(4, '#heatOn\r\n'));
  await context.close();
});

test('a story of 9,999 lines is checked as it is typed; its map is too large to draw, and says so', async () => {
  const page = await session.withStory(longStory());
  await page.waitForFunction(() => document.getElementById('story-map').innerText !== '');
  assert.equal(await page.evaluate(() => window.studio.editor.state.doc.lines), 9999);
  assert.match(await page.locator('#summary').innerText(), /^walk: 1666 pages/m);
  assert.match(await page.locator('#story-map').innerText(), /^The map is not drawn: the story has 1666 pages/);
  await typeAndCheck(page, 2, 1, '#goto @nowhere\n');
  assert.ok((await findingTexts(page)).some((f) => f.startsWith('story.txt:2:7: error: there is no label @nowhere')));
});

test('a new story saved into a folder that holds a story asks first, and "Cancel" writes nothing', async () => {
  const page = await studioWithStory();
  await page.evaluate(async () => {
    await window.studio.newStory();
    const folder = await (await navigator.storage.getDirectory()).getDirectoryHandle('story');
    window.showDirectoryPicker = async () => folder;
  });
  const saving = page.evaluate(() => window.studio.save());
  await page.locator('#confirm[open]').waitFor();
  assert.match(await page.locator('#confirm-text').innerText(),
    /"story" already holds a story's files, which the new story would replace: .*story\.txt.*\. Replace them\?/);
  await page.locator('#confirm button[value="no"]').click();
  assert.equal(await saving, false);
  assert.deepEqual(await savedStory(page), STORY);
  assert.match(await page.locator('#folder-name').innerText(), /Not saved/);
});
