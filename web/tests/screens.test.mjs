// The web player on the screens players bring: a phone held upright and sideways, a tablet either
// way, a large monitor and a game host's frame of the game's own size. On each: the whole picture
// shows without scrolling and as large as the screen allows, every control is large enough to
// touch and apart from the others, a tap is one press, a click on the picture leaves the keys on
// the game, and the end's offer stands beside her, not over her face. With GAME_WEB_SHOTS set to
// a folder, each layout is also photographed there.
import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { device, launch, liveText, open, serve, special } from './harness.mjs';

// 「ほしの話」 in Shift-JIS, the story file's encoding: a story of two pages.
const STARS = Buffer.from([0x82, 0xd9, 0x82, 0xb5, 0x82, 0xcc, 0x98, 0x62]);
const STORY = Buffer.concat([Buffer.from('@start\r\n'), STARS,
  Buffer.from('\r\n\r\nPage two.\r\n\r\n#end\r\n')]);
const SHOTS = process.env.GAME_WEB_SHOTS;
// Her face and hair, in picture pixels: nothing of the end may cover x 0 to 200.
const FACE_RIGHT = 200;

// size: how much of the room the picture takes at least (the width, the height, or exactly the
// game's size); crisp: whether it is shown in whole device pixels per picture pixel.
const LAYOUTS = [
  { name: 'phone-upright', viewport: { width: 390, height: 844 }, ratio: 3, touch: true,
    buttons: 'below', size: { width: 1 }, crisp: false, minWidth: 360 },
  { name: 'phone-sideways', viewport: { width: 844, height: 390 }, ratio: 3, touch: true,
    buttons: 'over', size: { height: 1 }, crisp: false },
  { name: 'tablet', viewport: { width: 1180, height: 820 }, ratio: 2, touch: true,
    buttons: 'over', size: { width: 1 }, crisp: false },
  { name: 'tablet-upright', viewport: { width: 820, height: 1180 }, ratio: 2, touch: true,
    buttons: 'over', size: { width: 0.9 }, crisp: true },
  { name: 'monitor', viewport: { width: 1920, height: 1080 }, ratio: 1, touch: false,
    buttons: 'over', size: { height: 1 }, crisp: false },
  { name: 'frame-500x300', viewport: { width: 700, height: 500 }, ratio: 1, touch: false,
    frame: { width: 500, height: 300 }, buttons: 'over', size: { width: 1, height: 1 }, crisp: true },
];

let browser;
let site;
before(async () => {
  browser = await launch();
  site = await serve(undefined, { 'dat/story.txt': STORY });
});
after(async () => {
  await browser.close();
  site.close();
});

// The page, and the document that holds the game: the page itself, or the host's frame in it.
async function openOn(layout) {
  const context = await device(browser, layout);
  const page = await context.newPage();
  page.on('pageerror', (error) => { page.errors = [...(page.errors || []), String(error)]; });
  page.missing = [];
  page.on('response', (response) => { if (response.status() >= 400) page.missing.push(response.url()); });
  let game = page;
  if (layout.frame) {
    await page.setContent(`<body style="margin:40px"><iframe src="${site.url}" width="${layout.frame.width}"
      height="${layout.frame.height}" style="border:0" allow="fullscreen"></iframe></body>`);
    game = await (await page.waitForSelector('iframe')).contentFrame();
  } else {
    await page.goto(site.url);
  }
  await game.waitForFunction(() => document.getElementById('loading').hidden);
  return { page, game };
}

// What the game's document shows: its room, scroll, the picture and every visible control, in
// CSS pixels of that document (controls relative to the document, not the scrolled view).
function measure(game) {
  return game.evaluate(() => {
    const box = (element) => {
      const r = element.getBoundingClientRect();
      return { id: element.id || element.htmlFor, left: r.left + scrollX, top: r.top + scrollY,
        right: r.right + scrollX, bottom: r.bottom + scrollY, width: r.width, height: r.height };
    };
    const canvas = document.getElementById('picture');
    return {
      room: { width: document.documentElement.clientWidth, height: innerHeight },
      scroll: { x: scrollX, y: scrollY, wide: document.documentElement.scrollWidth > innerWidth },
      picture: box(canvas),
      store: { width: canvas.width, height: canvas.height, ratio: devicePixelRatio,
        rendering: getComputedStyle(canvas).imageRendering },
      controls: [...document.querySelectorAll('button, #open-row label')]
        .filter((element) => element.checkVisibility()).map(box),
      focus: document.activeElement.id,
    };
  });
}

const gap = (a, b) => Math.max(b.left - a.right, a.left - b.right, b.top - a.bottom, a.top - b.bottom);

function assertTouchable(controls, where) {
  for (const control of controls) {
    assert.ok(control.width >= 44 && control.height >= 44,
      `${where}: ${control.id} is ${control.width} x ${control.height}`);
  }
  controls.forEach((a, i) => controls.slice(i + 1).forEach((b) => {
    assert.ok(gap(a, b) >= 8, `${where}: ${a.id} and ${b.id} are ${gap(a, b)} px apart`);
  }));
}

// On the screen, in the picture's left part (her, clear of every control): the blocks of `block`
// by `block` device pixels that are not one colour (counted in the page, which decodes the shot).
async function mixedBlocks(page, game, block) {
  const shot = await game.locator('#picture').screenshot({ scale: 'device' });
  return page.evaluate(async ([base64, size]) => {
    const image = new Image();
    image.src = `data:image/png;base64,${base64}`;
    await image.decode();
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const { data, width } = context.getImageData(0, 0, image.width, image.height);
    let mixed = 0;
    for (let y = 0; y + size <= 300 * size; y += size) {
      for (let x = 0; x < 200 * size; x += size) {
        const first = (y * width + x) * 4;
        for (let d = 1; d < size * size; d += 1) {
          const i = ((y + Math.floor(d / size)) * width + x + (d % size)) * 4;
          if (data[i] !== data[first] || data[i + 1] !== data[first + 1] || data[i + 2] !== data[first + 2]) mixed += 1;
        }
      }
    }
    return mixed;
  }, [shot.toString('base64'), block]);
}

async function shoot(page, name) {
  if (!SHOTS) return;
  mkdirSync(SHOTS, { recursive: true });
  await page.screenshot({ path: join(SHOTS, `${name}.png`) });
}

for (const layout of LAYOUTS) {
  test(`${layout.name}: the whole picture, as large as it may be, controls to touch, keys kept`, async () => {
    const { page, game } = await openOn(layout);
    const seen = await measure(game);
    const { picture, room } = seen;
    assert.deepEqual(seen.scroll, { x: 0, y: 0, wide: false }, 'nothing scrolled on load');
    assert.ok(picture.left >= 0 && picture.top >= 0 && picture.right <= room.width + 0.01 &&
      picture.bottom <= room.height + 0.01, `the picture ${JSON.stringify(picture)} in ${JSON.stringify(room)}`);
    assert.ok(Math.abs(picture.width * 3 - picture.height * 5) < 2, 'kept at 5 : 3');
    for (const [side, share] of Object.entries(layout.size)) {
      assert.ok(picture[side] >= share * room[side] - 1, `${side} ${picture[side]} of ${room[side]}`);
    }
    if (layout.minWidth) assert.ok(picture.width >= layout.minWidth, `${picture.width} wide`);
    // The canvas holds the picture at the whole device-pixel ratio and is scaled from there: in
    // crisp blocks when the picture is a whole multiple of 500 by 300 device pixels.
    const { store } = seen;
    assert.deepEqual([store.width, store.height], [500, 300].map((n) => n * Math.max(1, Math.floor(store.ratio))));
    const devicePixels = Math.round(picture.width * store.ratio);
    assert.equal(devicePixels % 500 === 0, layout.crisp, `${devicePixels} device pixels wide`);
    assert.equal(store.rendering, layout.crisp ? 'pixelated' : 'auto');
    if (layout.crisp) assert.equal(await mixedBlocks(page, game, devicePixels / 500), 0, `${JSON.stringify(picture)}`);
    assertTouchable(seen.controls, layout.name);
    for (const id of ['next', 'special']) {
      const button = seen.controls.find((control) => control.id === id);
      if (layout.buttons === 'below') assert.ok(button.top >= picture.bottom, `${id} below`);
      else assert.ok(button.left >= picture.left && button.right <= picture.right &&
        button.top >= picture.top && button.bottom <= picture.bottom, `${id} over the picture`);
    }

    // A tap is one press.
    const press = (locator, options) => (layout.touch ? locator.tap(options) : locator.click(options));
    await press(game.locator('#next'));
    assert.equal(await liveText(game), 'ほしの話');
    // A press anywhere but a control leaves the keys on the game's buttons.
    await press(game.locator('#picture').first(), { position: { x: picture.width / 4, y: picture.height / 2 } });
    assert.equal((await measure(game)).focus, 'next');
    await page.keyboard.press('Space');
    assert.equal(await liveText(game), 'Page two.');
    await shoot(page, layout.name);

    await page.keyboard.press('Space');
    await game.locator('#end').waitFor({ state: 'visible' });
    assert.equal(await game.locator('#end-text').innerText(), 'おわり');
    const ended = await measure(game);
    assertTouchable(ended.controls, `${layout.name} at the end`);
    const end = await game.locator('#end').evaluate((element) => {
      const r = element.getBoundingClientRect();
      return { left: r.left + scrollX, top: r.top + scrollY, bottom: r.bottom + scrollY };
    });
    const scale = picture.width / 500;
    if (layout.buttons === 'below') assert.ok(end.top >= picture.bottom, 'the end below the picture');
    else assert.ok(end.left >= picture.left + FACE_RIGHT * scale, 'the end beside her face');
    assert.ok(end.bottom <= room.height, 'the end on the screen');
    assert.deepEqual(ended.scroll, { x: 0, y: 0, wide: false }, 'nothing scrolled at the end');
    await shoot(page, `${layout.name}-end`);
    assert.deepEqual(page.errors, undefined);
    assert.deepEqual(page.missing, []);
    await page.context().close();
  });
}

test('the end: said and shown, no restart by a press within a moment, the restart said', async () => {
  // The page's clock stands still unless moved: "a moment" does not depend on the machine's speed.
  const page = await open(browser, site.url, { frozen: true });
  await special(page).click();
  assert.equal(await page.locator('#move-notice').innerText(), 'はずれ。残り6回');
  for (let i = 0; i < 3; i += 1) await page.locator('#next').click();
  await page.locator('#end').waitFor({ state: 'visible' });
  assert.equal(await liveText(page), 'おわり');
  assert.equal((await measure(page)).focus, 'restart');
  assert.equal(await page.locator('#restart').getAttribute('aria-disabled'), 'true');
  // Still pressing, within the moment: nothing happens.
  await page.clock.runFor(1100);
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  assert.equal(await liveText(page), 'おわり');
  assert.equal(await page.locator('#end').isVisible(), true);
  await page.clock.runFor(200);
  assert.equal(await page.locator('#restart').getAttribute('aria-disabled'), null);
  await page.keyboard.press('Space');
  // The story is read again from the server, then started; the restart is said a moment later.
  await page.waitForFunction(() => !document.getElementById('next').disabled);
  await page.clock.runFor(200);
  assert.equal(await liveText(page), 'もう一度はじめから。\n（文章なし）');
  assert.equal(await page.locator('#move-notice').innerText(), '', 'the miss notice is cleared');
  assert.equal((await measure(page)).focus, 'next');
  await page.keyboard.press('Space');
  assert.equal(await liveText(page), 'ほしの話');
  await page.context().close();
});

test('the full-screen button plays the whole page full screen and back', async () => {
  const { page, game } = await openOn({ viewport: { width: 844, height: 390 }, ratio: 3, touch: true });
  const state = () => game.evaluate(() => ({ full: document.fullscreenElement === document.documentElement,
    pressed: document.getElementById('fullscreen').getAttribute('aria-pressed') }));
  await game.locator('#fullscreen').tap();
  await game.waitForFunction(() => document.getElementById('fullscreen').getAttribute('aria-pressed') === 'true');
  assert.deepEqual(await state(), { full: true, pressed: 'true' });
  await game.locator('#fullscreen').tap();
  await game.waitForFunction(() => document.getElementById('fullscreen').getAttribute('aria-pressed') === 'false');
  assert.deepEqual(await state(), { full: false, pressed: 'false' });
  await page.context().close();
});

test('the page\'s icon and the manifest that adds the game to a phone\'s home screen', async () => {
  const { page, game } = await openOn({ viewport: { width: 390, height: 844 }, ratio: 3, touch: true });
  const found = await game.evaluate(async () => {
    const size = async (src) => {
      const image = new Image();
      image.src = src;
      await image.decode();
      return `${image.naturalWidth}x${image.naturalHeight}`;
    };
    const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
    const icons = await Promise.all(manifest.icons.map(async (icon) =>
      [icon.sizes, icon.sizes === 'any' ? (await size(icon.src)) !== '0x0' : await size(icon.src)]));
    return { name: manifest.name, display: manifest.display, start: manifest.start_url, icons,
      favicon: await size('favicon.ico'), title: document.title };
  });
  assert.deepEqual(found, { name: found.title, display: 'fullscreen', start: './',
    icons: [['192x192', '192x192'], ['512x512', '512x512'], ['any', true]], favicon: '48x48', title: found.title });
  assert.ok(found.title.length > 0);
  assert.deepEqual(page.missing, []);
  await page.context().close();
});
