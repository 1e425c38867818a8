// One page's picture in the browser against the desktop's own renderer, for the same seed: the
// storyboard of story_check draws each page as one render tick from frame 0 and a fixed seed; the
// web player, its clock stopped, shows the same page and then runs exactly one tick.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { decodePng, launch, liveText, next, open, picture, serve, STORYBOARD_SEED } from './harness.mjs';

const source = process.env.GAME_SOURCE_DIR || new URL('../..', import.meta.url).pathname;
const storyCheck = process.env.GAME_STORY_CHECK || join(source, 'build/story_check');
// The text's box: x 230 to the right edge, the five lines' rows.
const inText = (x, y) => x >= 230 && y >= 50 && y < 150;

let browser;
let site;
let board;
before(async () => {
  board = mkdtempSync(join(tmpdir(), 'storyboard-'));
  execFileSync(storyCheck, [join(source, 'dat'), '--storyboard', board]);
  browser = await launch();
  site = await serve();
});
after(async () => {
  await browser.close();
  site.close();
  rmSync(board, { recursive: true, force: true });
});

test('a page with heat: frames and strokes identical to the desktop, text within the renderers\' difference', async () => {
  const page = await open(browser, site.url, { seed: STORYBOARD_SEED, frozen: true });
  let presses = 0;
  do {
    await next(page).click();
    presses += 1;
  } while (!(await liveText(page)).includes('ねえ、きみ。') && presses < 80);
  await page.clock.runFor(51);
  const web = await picture(page);
  const desktop = await decodePng(page, readFileSync(join(board, `p${String(presses).padStart(3, '0')}.png`)));
  // Two font renderers never agree on every edge pixel (smoothing, synthetic bold), so the text is
  // compared by its ink: the dark pixels of each picture, and where both have them.
  const dark = (rgba, i) => rgba[i] + rgba[i + 1] + rgba[i + 2] < 3 * 128;
  let outside = 0;
  let text = 0;
  const ink = { web: 0, desktop: 0, both: 0 };
  for (let i = 0; i < web.length; i += 4) {
    const same = web[i] === desktop[i] && web[i + 1] === desktop[i + 1] && web[i + 2] === desktop[i + 2];
    if (!inText((i / 4) % 500, Math.floor(i / 4 / 500))) {
      if (!same) outside += 1;
      continue;
    }
    if (!same) text += 1;
    ink.web += dark(web, i);
    ink.desktop += dark(desktop, i);
    ink.both += dark(web, i) && dark(desktop, i);
  }
  console.log(`pixels that differ: ${outside} outside the text, ${text} of 27000 in the text's box; ` +
    `ink: ${ink.web} in the browser, ${ink.desktop} on the desktop, ${ink.both} in both`);
  assert.equal(outside, 0);
  assert.ok(ink.desktop > 1000, 'the desktop picture shows the page');
  assert.ok(Math.abs(ink.web - ink.desktop) < 0.15 * ink.desktop, 'as much ink');
  assert.ok(ink.both > 0.75 * ink.desktop, 'in the same places');
});
