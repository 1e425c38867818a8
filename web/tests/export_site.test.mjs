// A story exported by story_export plays in headless Chromium from a plain static server: the
// author's own story, title and pages, with nothing but the exported folder served.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { launch, liveText, next, open, serve } from './harness.mjs';

const EXPORT = process.env.GAME_STORY_EXPORT;
const SOURCE = process.env.GAME_SOURCE_DIR;

// 「ほしの話」 and 「おわり」 in Shift-JIS, the story file's encoding.
const STARS = Buffer.from([0x82, 0xd9, 0x82, 0xb5, 0x82, 0xcc, 0x98, 0x62]);
const END = Buffer.from([0x82, 0xa8, 0x82, 0xed, 0x82, 0xe8]);

test('an exported story plays from a static server', async () => {
  const dir = mkdtempSync(join(tmpdir(), 'story-export-'));
  const browser = await launch();
  let site;
  try {
    const story = join(dir, 'mystory', 'dat');
    mkdirSync(story, { recursive: true });
    for (const name of ['a0.bmp', 'a1.bmp', 'a2.bmp', 'a3.bmp', 'a4.bmp', 'a5.bmp', 'up.wav', 'suka.wav']) {
      copyFileSync(join(SOURCE, 'dat', name), join(story, name));
    }
    writeFileSync(join(story, 'story.txt'),
      Buffer.concat([Buffer.from('@start\r\n'), STARS, Buffer.from('\r\n\r\n'), END, Buffer.from('\r\n#end\r\n')]));
    const run = spawnSync(EXPORT, ['--title', 'Stars & me', 'mystory', 'site'], { cwd: dir, encoding: 'utf8' });
    assert.equal(run.status, 0, run.stderr);
    // The game's icons and the manifest that names the story, for a phone's home screen.
    for (const name of ['favicon.ico', 'icon.svg', 'icon-192.png', 'icon-512.png']) {
      assert.ok(existsSync(join(dir, 'site', name)), name);
    }
    const manifest = JSON.parse(readFileSync(join(dir, 'site', 'manifest.webmanifest'), 'utf8'));
    assert.equal(manifest.name, 'Stars & me');
    assert.equal(manifest.icons.length, 3);

    site = await serve(join(dir, 'site'));
    const page = await open(browser, site.url);
    assert.equal(await page.title(), 'Stars & me');
    assert.equal(await liveText(page), '（文章なし）');
    await next(page).click();
    assert.equal(await liveText(page), 'ほしの話');
    await next(page).click();
    assert.equal(await liveText(page), 'おわり');
    await next(page).click();
    await page.locator('#restart').waitFor({ state: 'visible' });
    assert.deepEqual(page.errors, undefined);
  } finally {
    site?.close();
    await browser.close();
    rmSync(dir, { recursive: true, force: true });
  }
});
