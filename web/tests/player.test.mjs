// The web player in a real headless Chromium, read as a player sees and hears it.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { dialog, launch, liveText, next, open, picture, restart, serve, SITE, special } from './harness.mjs';

const FIRST_PAGE = '……あ、来てくれたんだ！\nようこそ、天文部へ。';
const TRAP_PAGE = 'うーん、何かひらめきそう。';
const ANSWER = 'ルクサリム大発動！\nわたしの思考が飛躍したー♪';

let browser;
let site;
before(async () => {
  browser = await launch();
  site = await serve();
});
after(async () => {
  await browser.close();
  site.close();
});

// Presses Next until the live region holds `text`; returns the presses it took.
async function pressUntil(page, text, most = 80) {
  for (let presses = 1; presses <= most; presses += 1) {
    await next(page).click();
    if ((await liveText(page)).includes(text)) return presses;
  }
  throw new Error(`no page with "${text}"`);
}

// Dark pixels where the page's text is written (x 230 on, the five lines' rows).
function textPixels(rgba) {
  let dark = 0;
  for (let y = 50; y < 150; y += 1) {
    for (let x = 230; x < 500; x += 1) {
      const i = (y * 500 + x) * 4;
      if (rgba[i] < 80 && rgba[i + 1] < 80 && rgba[i + 2] < 80) dark += 1;
    }
  }
  return dark;
}

const presented = (page, count) =>
  page.waitForFunction((n) => window.__presents.length >= n, count);

describe('playing the bundled story', () => {
  test('the first picture, then each page on the canvas and on the live region', async () => {
    const page = await open(browser, site.url);
    await presented(page, 2);
    const empty = await picture(page);
    assert.notEqual(new Set(empty.filter((_, i) => i % 4 === 0)).size, 1, 'the portrait shows');
    assert.equal(await liveText(page), '（文章なし）');
    await next(page).click();
    assert.equal(await liveText(page), FIRST_PAGE);
    const shown = await page.evaluate(() => window.__presents.length);
    await presented(page, shown + 2);
    assert.ok(textPixels(await picture(page)) > textPixels(empty) + 300, 'the text is drawn');
    assert.deepEqual(page.errors, undefined);
  });

  test('each frame is held once, in the module: the page draws from views of its memory', async () => {
    const page = await open(browser, site.url);
    await presented(page, 2);
    const frames = await page.evaluate(() => {
      const { module, picture } = window.luxarim;
      return [0, 1, 2, 3, 4, 5].map((index) => {
        const image = picture.frameImage(index);
        return { size: [image.width, image.height], inModule: image.data.buffer === module.HEAPU8.buffer,
          opaque: image.data.every((value, i) => i % 4 !== 3 || value === 255) };
      });
    });
    assert.deepEqual(frames, Array(6).fill({ size: [500, 300], inModule: true, opaque: true }));
  });

  test('the special move answers a trap, counts down and hides, with its sounds', async () => {
    const page = await open(browser, site.url);
    assert.equal(await special(page).innerText(), '★７');
    assert.equal(await special(page).getAttribute('aria-label'), '必殺技ルクサリム（残り7回）');
    await pressUntil(page, TRAP_PAGE);
    await special(page).click();
    assert.equal(await liveText(page), ANSWER);
    await page.waitForFunction(() => window.__sounds.length === 1);
    for (const digit of ['６', '５', '４', '３', '２', '１']) {
      assert.equal(await special(page).innerText(), `★${digit}`);
      await special(page).click();
    }
    await page.waitForFunction(() => window.__sounds.length === 7);
    assert.equal(await special(page).isHidden(), true);
    const [rising, miss] = await page.evaluate(() => window.__sounds.map((s) => s.duration));
    assert.notEqual(rising, miss, 'the answer and a miss play different sounds');
    assert.equal(await liveText(page), ANSWER, 'a miss leaves the page');
    assert.equal(await page.locator('#move-notice').innerText(), 'はずれ。残り0回');
  });

  test('both endings: the last picture stays, the buttons stop, the story starts again', async () => {
    const page = await open(browser, site.url);
    await pressUntil(page, 'おやすみなさい！');
    await next(page).click();
    await page.locator('#restart').waitFor({ state: 'visible' });
    assert.equal(await next(page).isDisabled(), true);
    assert.equal(await special(page).isDisabled(), true);
    await restart(page);
    await next(page).click();
    assert.equal(await liveText(page), FIRST_PAGE);
    await pressUntil(page, '封筒の裏に数字');
    await special(page).click();
    await pressUntil(page, 'おやすみなさい、相棒！');
    await next(page).click();
    await page.locator('#restart').waitFor({ state: 'visible' });
  });

  // The rule, not the machine: with the page's clock in the test's hands, the page calls the next
  // pass when the module asks for it, and each pass more than 50 ms after the last picture paints
  // a new one. How steady the period is on a real machine is the render benchmark's to measure.
  test('the heat strokes change every 51 ms, on the passes the module asks for', async () => {
    const page = await open(browser, site.url, { frozen: true });
    await pressUntil(page, 'ねえ、きみ。');
    await page.clock.runFor(2 * 51);
    await page.evaluate(() => { window.__presents = []; });
    await page.clock.runFor(10 * 51);
    const times = await page.evaluate(() => window.__presents);
    const periods = times.slice(1).map((t, i) => t - times[i]);
    assert.equal(times.length, 10, `pictures at ${times}`);
    assert.deepEqual(periods, Array(9).fill(51));
  });

  test('keys: the focus starts on Next; Tab, Space and Enter work the buttons', async () => {
    const page = await open(browser, site.url);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'next');
    await page.keyboard.press('Space');
    assert.equal(await liveText(page), FIRST_PAGE);
    await page.keyboard.press('Enter');
    assert.equal(await liveText(page), 'わたしはリム。\nこの部の部長です。\n……部員は、わたしだけ。');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'special');
    await page.keyboard.press('Enter');
    assert.equal(await special(page).innerText(), '★６');
  });

  test('the audio context waits for the first press and runs only while a sound plays', async () => {
    const page = await open(browser, site.url);
    // A script run by the driver counts as a gesture: ask without one.
    const session = await page.context().newCDPSession(page);
    const state = async () => (await session.send('Runtime.evaluate',
      { expression: 'window.luxarim.sound.state', userGesture: false })).result.value;
    assert.equal(await state(), 'suspended');
    await special(page).click();
    await page.waitForFunction(() => window.__sounds.length === 1);
    assert.equal(await page.evaluate(() => window.__sounds[0].state), 'running');
    await page.waitForFunction(() => window.luxarim.sound.state === 'suspended');
  });

  test('at a device-pixel ratio of 2 each picture pixel is a crisp 2 by 2 block', async () => {
    const page = await open(browser, site.url, { ratio: 2 });
    await presented(page, 2);
    const blocks = await page.evaluate(() => {
      const canvas = document.getElementById('picture');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let mixed = 0;
      for (let y = 0; y < canvas.height; y += 2) {
        for (let x = 0; x < canvas.width; x += 2) {
          const at = (dx, dy) => ((y + dy) * canvas.width + x + dx) * 4;
          for (const [dx, dy] of [[1, 0], [0, 1], [1, 1]]) {
            if (data[at(dx, dy)] !== data[at(0, 0)]) mixed += 1;
          }
        }
      }
      return { width: canvas.width, height: canvas.height, mixed };
    });
    assert.deepEqual(blocks, { width: 1000, height: 600, mixed: 0 });
  });
});

describe('a story folder with a fault', () => {
  test('a missing story shows the desktop message, then the end', async () => {
    const broken = await serve(undefined, { 'dat/story.txt': null });
    const page = await open(browser, broken.url);
    const message = await dialog(page);
    assert.deepEqual([message.caption, message.text],
      ['MyScript', '『dat/story.txt』が見つかりません。終了します。']);
    await message.close();
    await page.locator('#restart').waitFor({ state: 'visible' });
    broken.close();
  });

  test('a broken frame shows the bitmap reader\'s message and the game goes on without a story', async () => {
    const broken = await serve(undefined, { 'dat/a3.bmp': Buffer.alloc(64, 0x58) });
    const page = await open(browser, broken.url);
    const message = await dialog(page);
    assert.deepEqual([message.caption, message.text], ['ルクサリム', 'ビットマップイメージが不正です.']);
    await message.close();
    assert.equal(await special(page).innerText(), 'BtnLX');
    await next(page).click();
    await page.locator('#restart').waitFor({ state: 'visible' });
    broken.close();
  });
});

// Opens the player, leaves its first window, opens `folder` with the open-folder control and
// presses Next once there.
async function playFromDisk(folder) {
  const page = await open(browser, site.url);
  await next(page).click();
  await page.locator('#open-folder').setInputFiles(folder);
  await page.waitForFunction(() => document.getElementById('page-text').innerText === '（文章なし）');
  await next(page).click();
  return page;
}

test('a story folder opened from the disk plays from its first page', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'story-'));
  cpSync(join(SITE, 'dat'), join(folder, 'dat'), { recursive: true });
  // The second page's line is far wider than the picture: the page is read as far as it shows.
  writeFileSync(join(folder, 'dat', 'story.txt'),
    `Hello from my own folder.\r\n\r\n${'wide'.repeat(50000)}\r\n\r\n#end\r\n`);
  const page = await playFromDisk(folder);
  assert.equal(await liveText(page), 'Hello from my own folder.');
  await next(page).click();
  const wide = await liveText(page);
  assert.ok(wide.startsWith('widewide') && wide.length <= 400, `${wide.length} characters read`);
  rmSync(folder, { recursive: true, force: true });
});

// The rule is the module's, the checker's too: the folder the player picks wins over its dat/.
test('a folder that holds a story and a dat/ with another plays its own story', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'story-'));
  cpSync(join(SITE, 'dat'), folder, { recursive: true });
  cpSync(join(SITE, 'dat'), join(folder, 'dat'), { recursive: true });
  writeFileSync(join(folder, 'story.txt'), 'The folder itself.\r\n\r\n#end\r\n');
  writeFileSync(join(folder, 'dat', 'story.txt'), 'Its dat folder.\r\n\r\n#end\r\n');
  const page = await playFromDisk(folder);
  assert.equal(await liveText(page), 'The folder itself.');
  rmSync(folder, { recursive: true, force: true });
});
