// The studio as an author meets it: served beside the player, or opened from the disk; a story
// folder in the origin's private file system (a real directory handle, as a picked folder is).
import { after, before } from 'node:test';
import { launch, serve, SITE } from '../../tests/harness.mjs';

export { launch, serve, SITE };
export const SINGLE = process.env.GAME_STUDIO_SINGLE
  || new URL('../../../build/web/studio/luxarim-studio.html', import.meta.url).pathname;

export async function openStudio(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1200, height: 800 } });
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(String(error)));
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.ready || document.body.dataset.failed);
  const failed = await page.evaluate(() => document.body.dataset.failed);
  if (failed) throw new Error(failed);
  return page;
}

// Writes a story folder into the origin's private file system (story.txt from `storyBytes`, the
// frames and sounds from the served dat/) and opens it in the studio.
export async function openPrivateFolder(page, storyBytes) {
  await page.evaluate(async (bytes) => {
    const root = await navigator.storage.getDirectory();
    await root.removeEntry('story', { recursive: true }).catch(() => {});
    const folder = await root.getDirectoryHandle('story', { create: true });
    const write = async (name, data) => {
      const stream = await (await folder.getFileHandle(name, { create: true })).createWritable();
      await stream.write(data);
      await stream.close();
    };
    await write('story.txt', new Uint8Array(bytes));
    for (const name of ['a0.bmp', 'a1.bmp', 'a2.bmp', 'a3.bmp', 'a4.bmp', 'a5.bmp', 'up.wav', 'suka.wav']) {
      await write(name, new Uint8Array(await (await fetch(`dat/${name}`)).arrayBuffer()));
    }
    await window.studio.openDirectory(folder);
  }, [...storyBytes]);
}

// The bytes of the file `name` in the private folder.
export async function savedFile(page, name) {
  return Buffer.from(await page.evaluate(async (fileName) => {
    const root = await navigator.storage.getDirectory();
    const folder = await root.getDirectoryHandle('story');
    const file = await (await folder.getFileHandle(fileName)).getFile();
    return [...new Uint8Array(await file.arrayBuffer())];
  }, name));
}

// The bytes of story.txt in the private folder.
export const savedStory = (page) => savedFile(page, 'story.txt');

export const editorText = (page) => page.evaluate(() => window.studio.editor.state.doc.toString());

// The number of checks shown so far; waitChecked waits for one more than `before`.
export const checks = (page) => page.evaluate(() => Number(document.body.dataset.checks || 0));
export async function waitChecked(page, before) {
  await page.waitForFunction((n) => Number(document.body.dataset.checks || 0) > n, before);
}

// Puts the cursor at line `line`, column `column` (from 1) and types `text`.
export async function typeAt(page, line, column, text) {
  await page.locator('.cm-content').click();
  await page.evaluate(([l, c]) => {
    const view = window.studio.editor;
    const at = view.state.doc.line(l).from + c - 1;
    view.dispatch({ selection: { anchor: at } });
    view.focus();
  }, [line, column]);
  await page.keyboard.type(text);
}

// Puts `text` at `line`:`column` in one edit, as a paste does: nothing re-reads a half-typed line.
export async function pasteAt(page, line, column, text) {
  await page.evaluate(([l, c, t]) => {
    const view = window.studio.editor;
    const at = view.state.doc.line(l).from + c - 1;
    view.dispatch({ changes: { from: at, insert: t }, selection: { anchor: at + t.length } });
    view.focus();
  }, [line, column, text]);
}

// Drops a file made in the page by `make` (an async function returning {bytes|blob, name, type})
// on the figure of `target`, and waits for the studio's word.
export async function dropOn(page, target, make) {
  await page.evaluate(async ([name, source]) => {
    const made = await (0, eval)(`(${source})`)();
    const dropped = new DataTransfer();
    dropped.items.add(new File([made.blob], made.name, { type: made.type }));
    document.querySelector(`#assets figure[data-file="${name}"]`)
      .dispatchEvent(new DragEvent('drop', { dataTransfer: dropped, bubbles: true, cancelable: true }));
  }, [target, make.toString()]);
}

export const findingTexts = (page) => page.locator('#findings li').allInnerTexts();

// Types `text` at line `line`, column `column`, and waits for the findings of the text typed.
export async function typeAndCheck(page, line, column, text) {
  const shown = await checks(page);
  await typeAt(page, line, column, text);
  await waitChecked(page, shown);
}

// A story of 9,999 lines: pages of three lines between labels, each page jumping on.
export function longStory() {
  const lines = [];
  for (let page = 0; lines.length < 9999 - 6; page += 1) {
    lines.push(`@p${page}`, `\x82\xa0 page ${page}`, 'second line', 'third line', `#goto @p${page + 1}`, '');
  }
  while (lines.length < 9998) lines.push('// filler');
  lines.push('#end');
  return Buffer.from(lines.join('\r\n'), 'latin1');
}

// The server and the browser of a test file, started before its tests and stopped after them:
// `session.server`, `session.browser`, and `session.withStory(bytes)`, the served studio with a
// story folder whose story.txt holds `bytes`.
export function studioSession() {
  const session = {};
  before(async () => {
    session.server = await serve();
    session.browser = await launch();
  });
  after(async () => {
    await session.browser.close();
    session.server.close();
  });
  session.withStory = async (storyBytes) => {
    const page = await openStudio(session.browser, `${session.server.url}studio.html?lang=en`);
    const shown = await checks(page);
    await openPrivateFolder(page, storyBytes);
    await waitChecked(page, shown);
    return page;
  };
  return session;
}
