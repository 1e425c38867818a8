// Publishing from the studio: the site story_export writes, file for file (the font cut by the
// page's HarfBuzz to the same characters), behind the same checker gate; the zip's site plays;
// a folder gets the site as story_export puts it there; a read-only folder with a new frame
// saves as a zip.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { copyFile, mkdir, mkdtemp, readFile, readdir, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, relative } from 'node:path';
import { test } from 'node:test';
import { liveText, next, open, serve } from '../../tests/harness.mjs';
import { pathToFileURL } from 'node:url';
import {
  checks, dropOn, findingTexts, openStudio, pasteAt, savedStory, SINGLE, SITE, studioSession, typeAt,
  waitChecked,
} from './studio_harness.mjs';

const EXPORT = process.env.GAME_STORY_EXPORT;
const FACE = process.env.GAME_WEB_FONT || '/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf';
const FONT = 'fonts/luxarim-gothic.ttf';
const ASSETS = ['a0.bmp', 'a1.bmp', 'a2.bmp', 'a3.bmp', 'a4.bmp', 'a5.bmp', 'up.wav', 'suka.wav'];
const TITLE = 'Stars & me';

// 「ほしの話」 and 「おわり」 in Shift-JIS, on two pages.
const STORY = Buffer.concat([Buffer.from('@start\r\n'),
  Buffer.from([0x82, 0xd9, 0x82, 0xb5, 0x82, 0xcc, 0x98, 0x62]), Buffer.from('\r\n\r\n'),
  Buffer.from([0x82, 0xa8, 0x82, 0xed, 0x82, 0xe8]), Buffer.from('\r\n#end\r\n')]);

const session = studioSession();
// Where the author's session leaves its screenshots, when asked for (for the documents).
const SHOTS = process.env.GAME_STUDIO_SHOTS;
async function shoot(page, name) {
  if (!SHOTS) return;
  await page.waitForTimeout(400);  // the picture follows the page on the game's next frame
  await page.screenshot({ path: join(SHOTS, `${name}.png`) });
}

// A story folder on the disk holding `story` and the bundled frames and sounds.
async function storyFolder(story) {
  const folder = join(await mkdtemp(join(tmpdir(), 'studio-publish-')), 'mystory');
  await mkdir(folder);
  await writeFile(join(folder, 'story.txt'), story);
  for (const name of ASSETS) await copyFile(join(SITE, 'dat', name), join(folder, name));
  return folder;
}

const entries = (zip) => execFileSync('unzip', ['-Z1', zip], { encoding: 'utf8' }).trim().split('\n');
const entry = (zip, name) => execFileSync('unzip', ['-p', zip, name], { maxBuffer: 1 << 26 });
// The characters a font maps, as a set of code points (fontconfig's ranges "20-7e 3042 ...").
function charset(font) {
  const points = new Set();
  for (const range of execFileSync('fc-query', ['--format=%{charset}', font], { encoding: 'utf8' }).split(' ')) {
    const [from, to = from] = range.split('-').map((hex) => parseInt(hex, 16));
    for (let point = from; point <= to; ++point) points.add(point);
  }
  return points;
}

// Every file under `folder`, by its path there ('/' between folders), sorted.
async function tree(folder, top = folder) {
  const found = [];
  for (const item of await readdir(folder, { withFileTypes: true })) {
    const path = join(folder, item.name);
    if (item.isDirectory()) found.push(...await tree(path, top));
    else found.push(relative(top, path));
  }
  return found.sort();
}

// The record an earlier publish leaves in its folder (".story_export"), listing `files`
// (path -> ASCII text) with their CRC-32 and size.
function record(files) {
  const crc32 = (text) => {
    let crc = 0xFFFFFFFF;
    for (const byte of Buffer.from(text)) {
      crc ^= byte;
      for (let bit = 0; bit < 8; ++bit) crc = (crc >>> 1) ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    return ((crc ^ 0xFFFFFFFF) >>> 0).toString(16).padStart(8, '0');
  };
  return ['story_export manifest 1',
    ...Object.entries(files).map(([name, text]) => `${crc32(text)} ${text.length} ${name}`)].join('\n') + '\n';
}

// Opens the publish dialog, fills it and presses its button; `as` is 'zip' or 'folder'.
async function publish(page, { title = TITLE, as = 'zip' } = {}) {
  await page.locator('#publish-story').click();
  await page.locator('#publish-title').fill(title);
  await page.locator(`#publish input[value="${as}"]`).check();
  await page.locator('#publish button[value="yes"]').click();
}

test('a zip published in the page is story_export --zip file for file, and its site plays', async () => {
  const folder = await storyFolder(STORY);
  const work = join(folder, '..');
  const run = spawnSync(EXPORT, ['--zip', '--title', TITLE, folder, join(work, 'export.zip')], { encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  const page = await session.withStory(STORY);
  const [download] = await Promise.all([page.waitForEvent('download'), publish(page)]);
  const zip = join(work, 'studio.zip');
  await download.saveAs(zip);
  assert.equal(download.suggestedFilename(), 'story-site.zip');

  const names = entries(zip);
  assert.deepEqual(names, entries(join(work, 'export.zip')));
  for (const name of names.filter((n) => n !== FONT)) {
    assert.ok(entry(zip, name).equals(entry(join(work, 'export.zip'), name)), name);
  }
  // The font: every character hb-subset kept (the page's newer HarfBuzz may keep a few more that
  // share their glyphs), under the site's own family name.
  await writeFile(join(work, 'studio.ttf'), entry(zip, FONT));
  await writeFile(join(work, 'export.ttf'), entry(join(work, 'export.zip'), FONT));
  const kept = charset(join(work, 'studio.ttf'));
  const wanted = [...charset(join(work, 'export.ttf'))];
  assert.deepEqual(wanted.filter((point) => !kept.has(point)), []);
  assert.ok(kept.size < wanted.length + 8, `${kept.size} characters for ${wanted.length}`);
  assert.match(execFileSync('fc-query', ['--format=%{family}', join(work, 'studio.ttf')], { encoding: 'utf8' }),
    /LuxarimGothic/);

  const site = join(work, 'site');
  execFileSync('unzip', ['-q', zip, '-d', site]);
  const served = await serve(site);
  try {
    const player = await open(session.browser, served.url);
    assert.equal(await player.title(), TITLE);
    await next(player).click();
    assert.equal(await liveText(player), 'ほしの話');
    assert.ok(await player.evaluate(async () => (await document.fonts.load('16px LuxarimGothic', 'ほ')).length > 0));
    assert.deepEqual(player.errors, undefined);
  } finally {
    served.close();
    await rm(work, { recursive: true, force: true });
  }
});

test('a story with errors is published only when the author says so, as with --force', async () => {
  const page = await session.withStory(Buffer.from('@start\r\npage\r\n#goto @nowhere\r\n'));
  let downloads = 0;
  page.on('download', () => { downloads += 1; });
  await publish(page);
  await page.locator('#confirm[open]').waitFor();
  assert.match(await page.locator('#confirm-text').innerText(), /found 1 error\. Publish anyway\?/);
  await page.locator('#confirm button[value="no"]').click();
  await page.waitForFunction(() => /Not published/.test(document.getElementById('folder-name').textContent));
  assert.equal(await page.evaluate(() => document.body.dataset.published), undefined);

  const [download] = await Promise.all([page.waitForEvent('download'), (async () => {
    await publish(page);
    await page.locator('#confirm button[value="yes"]').click();
  })()]);
  assert.ok(entries(await download.path()).includes('dat/story.txt'));
  assert.equal(downloads, 1);
});

test('a site goes into a folder as story_export puts it: an earlier one replaced, the author\'s files kept or replaced on their word', async () => {
  const folder = await storyFolder(STORY);
  const exported = join(folder, '..', 'exported');
  const run = spawnSync(EXPORT, ['--title', TITLE, folder, exported], { encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  const page = await session.withStory(STORY);
  // The folder the author picks, in the origin's private file system, holding `files` (path ->
  // text) first.
  const pickSite = (files) => page.evaluate(async (held) => {
    const root = await navigator.storage.getDirectory();
    await root.removeEntry('site', { recursive: true }).catch(() => {});
    const site = await root.getDirectoryHandle('site', { create: true });
    for (const [name, text] of Object.entries(held)) {
      const stream = await (await site.getFileHandle(name, { create: true })).createWritable();
      await stream.write(text);
      await stream.close();
    }
    window.showDirectoryPicker = async () => site;
  }, files);
  const siteFiles = () => page.evaluate(async () => {
    const walk = async (folder, prefix) => {
      const names = [];
      for await (const [name, handle] of folder.entries()) {
        if (handle.kind === 'directory') names.push(...await walk(handle, `${prefix}${name}/`));
        else names.push(prefix + name);
      }
      return names;
    };
    return (await walk(await (await navigator.storage.getDirectory()).getDirectoryHandle('site'), '')).sort();
  });
  const siteText = (name) => page.evaluate(async (path) => {
    let folder = await (await navigator.storage.getDirectory()).getDirectoryHandle('site');
    const parts = path.split('/');
    for (const part of parts.slice(0, -1)) folder = await folder.getDirectoryHandle(part);
    return (await (await folder.getFileHandle(parts.pop())).getFile()).text();
  }, name);
  const published = () => page.evaluate(() => Number(document.body.dataset.published || 0));
  const publishInto = async () => {
    const before = await published();
    await publish(page, { as: 'folder' });
    await page.waitForFunction((n) => Number(document.body.dataset.published || 0) > n, before);
  };

  // The author's CNAME stays beside the site, as story_export keeps it.
  await pickSite({ CNAME: 'stars.example\n' });
  await publishInto();
  assert.deepEqual(await siteFiles(), [...await tree(exported), 'CNAME'].sort());
  assert.equal(await siteText('CNAME'), 'stars.example\n');

  // Published again after an edit: the earlier site is replaced without a question.
  await typeAt(page, 2, 1, '#heatOn\n');
  await publishInto();
  assert.match(await siteText('dat/story.txt'), /#heatOn/);
  assert.deepEqual(await siteFiles(), [...await tree(exported), 'CNAME'].sort());

  // A file that an earlier publish wrote and the new site has no more goes with the old site.
  await pickSite({ 'old.js': 'stale', '.story_export': record({ 'old.js': 'stale' }) });
  await publishInto();
  assert.deepEqual(await siteFiles(), await tree(exported));

  // Never into the story's folder, nor a folder that holds it.
  for (const target of ['story', '']) {
    await page.evaluate(async (name) => {
      const root = await navigator.storage.getDirectory();
      window.showDirectoryPicker = async () => (name ? root.getDirectoryHandle(name) : root);
    }, target);
    const story = await savedStory(page);
    await publish(page, { as: 'folder' });
    await page.waitForFunction(() => /story's folder, holds it or lies in it/.test(document.getElementById('folder-name').textContent));
    assert.deepEqual(await savedStory(page), story);
    await page.evaluate(() => { document.getElementById('folder-name').textContent = ''; });
  }

  // A name that differs from the site's only in case is the same file on Windows and macOS:
  // asked first too.
  await pickSite({ 'Index.html': '<p>mine</p>' });
  await publish(page, { as: 'folder' });
  await page.locator('#confirm[open]').waitFor();
  assert.match(await page.locator('#confirm-text').innerText(), /would replace: Index\.html\./);
  await page.locator('#confirm button[value="no"]').click();
  await page.waitForFunction(() => /Not published/.test(document.getElementById('folder-name').textContent));
  assert.deepEqual(await siteFiles(), ['Index.html']);

  // A page of the author's own where the site has its index.html: asked first; "Cancel" writes
  // nothing, "Replace" replaces it (story_export's --replace).
  await pickSite({ 'index.html': '<p>my own page</p>' });
  await publish(page, { as: 'folder' });
  await page.locator('#confirm[open]').waitFor();
  assert.match(await page.locator('#confirm-text').innerText(), /new site would replace: index\.html\. Replace them\?/);
  await page.locator('#confirm button[value="no"]').click();
  await page.waitForFunction(() => /Not published/.test(document.getElementById('folder-name').textContent));
  assert.deepEqual(await siteFiles(), ['index.html']);
  assert.equal(await siteText('index.html'), '<p>my own page</p>');
  const before = await published();
  await publish(page, { as: 'folder' });
  await page.locator('#confirm button[value="yes"]').click();
  await page.waitForFunction((n) => Number(document.body.dataset.published || 0) > n, before);
  assert.match(await siteText('index.html'), /<title>Stars &amp; me<\/title>/);
  await rm(join(folder, '..'), { recursive: true, force: true });
});

test('a read-only folder whose frame was replaced saves as one zip of the whole folder', async () => {
  const folder = await storyFolder(STORY);
  const context = await session.browser.newContext({ viewport: { width: 1200, height: 800 }, acceptDownloads: true });
  const page = await context.newPage();
  await page.addInitScript(() => { delete window.showDirectoryPicker; });
  await page.goto(`${session.server.url}studio.html?lang=en`);
  await page.waitForFunction(() => Number(document.body.dataset.checks || 0) > 0);
  await page.locator('#pick-folder').setInputFiles(folder);
  await page.waitForFunction(() => document.body.dataset.loads === '2');
  await page.evaluate(async () => {
    const bytes = await (await fetch('dat/a1.bmp')).arrayBuffer();
    await window.studio.replaceAsset('a0.bmp', new File([bytes], 'new.bmp'));
  });
  await typeAt(page, 2, 1, '#heatOn\n');
  const [download] = await Promise.all([page.waitForEvent('download'),
    page.evaluate(() => window.studio.save())]);
  assert.equal(download.suggestedFilename(), 'mystory.zip');
  const zip = await download.path();
  assert.deepEqual(entries(zip), [...ASSETS, 'story.txt'].sort());
  const frame = await page.evaluate(() => [...window.studio.folder.files.get('a0.bmp')]);
  assert.ok(entry(zip, 'a0.bmp').equals(Buffer.from(frame)));
  assert.ok(!entry(zip, 'a0.bmp').equals(await readFile(join(folder, 'a0.bmp'))));
  assert.ok(entry(zip, 'story.txt').equals(Buffer.concat([Buffer.from('@start\r\n#heatOn\r\n'), STORY.subarray(8)])));
  assert.ok(entry(zip, 'up.wav').equals(await readFile(join(folder, 'up.wav'))));
  await context.close();
  await rm(join(folder, '..'), { recursive: true, force: true });
});

test('the one-file studio from the disk publishes with the face the author chooses', async () => {
  const page = await openStudio(session.browser, `${pathToFileURL(SINGLE).href}?lang=en`);
  // Another face is refused: the site's licence is IPA P Gothic's.
  await page.locator('#publish-story').click();
  await page.locator('#publish-face').setInputFiles(FACE.replace('ipagp.ttf', 'ipag.ttf'));
  await page.locator('#publish button[value="yes"]').click();
  await page.waitForFunction(() => /IPA P Gothic \(ipagp\.ttf\), no other/.test(document.getElementById('folder-name').textContent));

  await page.locator('#publish-story').click();
  await page.locator('#publish-face').waitFor();  // no face beside a file on the disk
  await page.locator('#publish-face').setInputFiles(FACE);
  await page.locator('#publish-title').fill(TITLE);
  const [download] = await Promise.all([page.waitForEvent('download'),
    page.locator('#publish button[value="yes"]').click()]);
  const zip = await download.path();
  const names = entries(zip);
  for (const name of ['index.html', 'luxarim.js', 'luxarim.wasm', 'manifest.webmanifest', 'dat/story.txt', FONT]) {
    assert.ok(names.includes(name), name);
  }
  assert.ok(entry(zip, 'luxarim.wasm').equals(await readFile(join(SITE, 'luxarim.wasm'))));
  assert.match(entry(zip, 'index.html').toString(), /<title>Stars &amp; me<\/title>/);
  await page.context().close();
});

// A picture an author might draw: pink with a white disc, 500 x 300.
async function drawnPng() {
  const canvas = new OffscreenCanvas(500, 300);
  const context = canvas.getContext('2d');
  context.fillStyle = '#f4b6c8';
  context.fillRect(0, 0, 500, 300);
  context.fillStyle = '#ffffff';
  context.beginPath();
  context.arc(250, 150, 90, 0, 2 * Math.PI);
  context.fill();
  return { blob: await canvas.convertToBlob({ type: 'image/png' }), name: 'drawn.png', type: 'image/png' };
}

test("an author's session: a mistake found, a page played as written, a frame replaced, all published and played", async () => {
  const bundled = await readFile(join(SITE, 'dat', 'story.txt'));
  const page = await session.withStory(bundled);
  await shoot(page, 'studio-1-open');

  // A jump to a label that is not there, found at its line as it is typed, then taken back.
  let shown = await checks(page);
  await pasteAt(page, 11, 1, '#goto @nowhere\n');
  await waitChecked(page, shown);
  assert.ok((await findingTexts(page)).some((f) => /^story\.txt:11:\d+: error: there is no label @nowhere/.test(f)));
  await shoot(page, 'studio-2-mistake');
  shown = await checks(page);
  await page.evaluate(() => {
    const view = window.studio.editor;
    const line = view.state.doc.line(11);
    view.dispatch({ changes: { from: line.from, to: line.to + 1 } });
  });
  await waitChecked(page, shown);
  assert.ok((await findingTexts(page)).every((f) => !/error/.test(f)));

  // The first page read, a page written after it, and read next without starting again.
  await page.locator('#next').click();
  const first = await page.locator('#page-text').innerText();
  const reloads = await page.evaluate(() => Number(document.body.dataset.reloads || 0));
  await pasteAt(page, 12, 1, '新しいページです。\n\n');
  await page.waitForFunction((n) => Number(document.body.dataset.reloads || 0) > n, reloads);
  assert.equal(await page.locator('#page-text').innerText(), first);
  await page.locator('#next').click();
  assert.equal((await page.locator('#page-text').innerText()).trim(), '新しいページです。');
  await shoot(page, 'studio-3-played');

  // A picture dropped on the first frame.
  await dropOn(page, 'a0.bmp', drawnPng);
  await page.waitForFunction(() => /Replaced "a0.bmp"/.test(document.getElementById('folder-name').innerText));
  await page.locator('#assets').scrollIntoViewIfNeeded();
  await shoot(page, 'studio-4-frame');

  // Published as a zip, which holds the page and the frame, and plays them.
  await page.locator('#publish-story').click();
  await page.locator('#publish-title').fill('はじめての物語');
  await shoot(page, 'studio-5-publish');
  const [download] = await Promise.all([page.waitForEvent('download'),
    page.locator('#publish button[value="yes"]').click()]);
  const work = await mkdtemp(join(tmpdir(), 'studio-session-'));
  const zip = join(work, 'site.zip');
  await download.saveAs(zip);
  const frame = await page.evaluate(() => [...window.studio.folder.files.get('a0.bmp')]);
  assert.ok(entry(zip, 'dat/a0.bmp').equals(Buffer.from(frame)));
  execFileSync('unzip', ['-q', zip, '-d', join(work, 'site')]);
  const served = await serve(join(work, 'site'));
  try {
    const player = await open(session.browser, served.url);
    assert.equal(await player.title(), 'はじめての物語');
    await next(player).click();
    await next(player).click();
    assert.equal(await liveText(player), '新しいページです。');
    await shoot(player, 'studio-6-site');
  } finally {
    served.close();
    await rm(work, { recursive: true, force: true });
  }
  assert.deepEqual(page.errors, []);
});
