// The web player's module starts outside a browser: node loads luxarim.wasm itself (Emscripten
// 3.1.6 cannot fetch it under Node 20), writes the bundled story into the module's file system,
// starts the game with a fixed seed and runs its clock's passes, recording every host call.
//   node module_start_test.mjs MODULE_FOLDER DAT_FOLDER
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

const [moduleDir, datDir] = process.argv.slice(2).map((p) => resolve(p));
// The module's Node branch expects CommonJS names.
globalThis.require = createRequire(import.meta.url);
globalThis.__dirname = moduleDir;
const { default: createLuxarim } = await import(join(moduleDir, 'luxarim.js'));

const calls = [];
let module;
const record = (name) => (...args) => calls.push([name, ...args]);
const host = Object.fromEntries(['loadFrame', 'dropFrames', 'setPage', 'setSpecialButton',
  'announce', 'messageBox', 'playSound', 'stopSounds', 'terminate'].map((n) => [n, record(n)]));
host.paint = (frame, strokes, count) => calls.push(['paint', frame,
  Array.from(new Int32Array(module.HEAP32.buffer, strokes, count * 3))]);
module = await createLuxarim({ luxarimHost: host,
  wasmBinary: readFileSync(join(moduleDir, 'luxarim.wasm')) });
module.FS.mkdir('/dat');
for (const name of readdirSync(datDir)) {
  module.FS.writeFile(`/dat/${name}`, readFileSync(join(datDir, name)));
}
const named = (name) => calls.filter((call) => call[0] === name);

assert.equal(module._game_start(1), 0);
assert.deepEqual(named('loadFrame').map((call) => call.slice(1, 4)),
  [0, 1, 2, 3, 4, 5].map((i) => [i, 500, 300]));
assert.deepEqual(named('setSpecialButton'), [['setSpecialButton', '★７', true,
  '必殺技ルクサリム（残り7回）']]);
assert.deepEqual(named('announce'), [['announce', '（文章なし）']]);
assert.deepEqual(named('messageBox'), []);

// Presses Next until a page shows heat; after each press, passes (each after the wait the module
// asks for: a timer may fire a little early) until the render slot has painted.
let heat = [];
for (let press = 0; press < 60 && heat.length === 0; press += 1) {
  module._game_next();
  const painted = named('paint').length;
  for (let pass = 0; pass < 20 && named('paint').length === painted; pass += 1) {
    const wait = module._game_pass();
    assert.ok(wait >= 0 && wait <= 51, `wait ${wait}`);
    await new Promise((done) => setTimeout(done, wait));
  }
  heat = named('paint').filter((call) => call[2].length > 0);
}
assert.ok(heat.length > 0, 'no heat strokes painted');
for (let i = 0; i < heat[0][2].length; i += 3) {
  const [x, y, colour] = heat[0][2].slice(i, i + 3);
  assert.ok(x >= 0 && x < 500 && y >= 0 && y < 300, `pixel ${x},${y}`);
  assert.equal(colour >> 16, 0xff, 'a pink stroke');
}
assert.ok(named('setPage').length > 0);
module._game_reset();
assert.deepEqual(calls.slice(-2).map((call) => call[0]), ['dropFrames', 'stopSounds']);

// What the page asks the module instead of keeping a copy: the story folder's files, the rule
// that picks the folder holding the story, the picture's layout and the captions.
assert.deepEqual(module.UTF8ToString(module._story_file_names()).split('\n'),
  ['story.txt', 'a0.bmp', 'a1.bmp', 'a2.bmp', 'a3.bmp', 'a4.bmp', 'a5.bmp', 'up.wav', 'suka.wav']
    .map((name) => `dat/${name}`));
assert.deepEqual([[1, 1], [1, 0], [0, 1], [0, 0]].map(([own, dat]) =>
  module._story_in_dat_folder(own, dat)), [0, 0, 1, 0]);
assert.deepEqual(JSON.parse(module.UTF8ToString(module._picture_layout())), {
  width: 500, height: 300, textX: 230, textY: 50, lineStep: 20, font: 'bold 19px',
  textColour: '#000000', blankColour: '#ffffff',
  captions: { next: '＞次へ', special: 'BtnLX', playAgain: 'もう一度はじめから' },
  buttons: {
    next: { x: 416, y: 232, width: 73, height: 25 },
    special: { x: 416, y: 264, width: 73, height: 25 },
  },
});
console.log(`started, ${named('paint').length} pictures, ${heat[0][2].length / 3} heat pixels`);
