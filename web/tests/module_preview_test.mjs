// The web module's author's preview, outside a browser: a start at a label or a line
// (game_warp), and reading a saved story or frame anew (game_reload), with what the desktop
// writes on its standard error in game_said(). node loads luxarim.wasm itself.
//   node module_preview_test.mjs MODULE_FOLDER DAT_FOLDER
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

const [moduleDir, datDir] = process.argv.slice(2).map((p) => resolve(p));
globalThis.require = createRequire(import.meta.url);
globalThis.__dirname = moduleDir;
const { default: createLuxarim } = await import(join(moduleDir, 'luxarim.js'));

let calls = [];
const record = (name) => (...args) => calls.push([name, ...args]);
const host = Object.fromEntries(['loadFrame', 'dropFrames', 'setPage', 'setSpecialButton',
  'announce', 'notice', 'messageBox', 'playSound', 'stopSounds', 'terminate', 'paint']
  .map((n) => [n, record(n)]));
const module = await createLuxarim({ luxarimHost: host,
  wasmBinary: readFileSync(join(moduleDir, 'luxarim.wasm')) });
module.FS.mkdir('/dat');
for (const name of readdirSync(datDir)) {
  module.FS.writeFile(`/dat/${name}`, readFileSync(join(datDir, name)));
}
const frame3 = readFileSync(join(datDir, 'a3.bmp'));
const named = (name) => calls.filter((call) => call[0] === name);
const lastAnnounced = () => named('announce').at(-1)[1];
const said = () => module.UTF8ToString(module._game_said());
function warp(target, japanese = 0) {
  const size = module.lengthBytesUTF8(target) + 1;
  const text = module._malloc(size);
  module.stringToUTF8(target, text, size);
  const status = module._game_warp(text, japanese);
  module._free(text);
  return status;
}
function start(story) {
  module._game_reset();
  module.FS.writeFile('/dat/story.txt', story);
  calls = [];
  return module._game_start(1);
}

// A start at a label or a line; a target that names no place is refused and reading stays.
assert.equal(start('A1\n\n@b\nB1\n\n@c\nC1\n'), 0);
assert.equal(warp('@nowhere'), 2);
assert.match(said(), /@nowhere/);
assert.equal(warp('@c'), 0, said());
module._game_next();
assert.equal(lastAnnounced(), 'C1');
assert.equal(module._game_reading_line(), 7);  // where the page on screen starts
assert.equal(warp('4'), 0, said());
module._game_next();
assert.equal(lastAnnounced(), 'B1');
assert.equal(module._game_reading_line(), 4);

// The story saved anew reads on; an emptied one is held back, said in the page's language.
assert.equal(start('A1\n\nB1\n'), 0);
module.FS.writeFile('/dat/story.txt', 'N1\n\nN2\n');
assert.equal(module._game_reload(1, 0, 0), 1);
assert.match(said(), /read anew: 0 errors/);
module.FS.writeFile('/dat/story.txt', '');
module._game_reload(1, 0, 1);
assert.match(said(), /次の保存まで読まず/);
module._game_next();
assert.equal(lastAnnounced(), 'N1');

// A half-written frame is held back: the frames shown stay until it reads.
module.FS.writeFile('/dat/a3.bmp', frame3.subarray(0, frame3.length >> 1));
calls = [];
module._game_reload(0, 1, 0);
assert.match(said(), /^luxarim: dat\/a3\.bmp does not load: /);
assert.deepEqual(named('dropFrames').concat(named('loadFrame')), []);
module.FS.writeFile('/dat/a3.bmp', frame3);
module._game_reload(0, 1, 0);
assert.equal(said(), 'luxarim: the frames read anew.\n');
assert.equal(named('loadFrame').length, 6);

// A frame missing at the start stops the start-up; put back, the start-up goes on and play
// starts at the first page.
module.FS.unlink('/dat/a3.bmp');
assert.equal(start('A1\n\nB1\n'), 0);
assert.equal(named('messageBox').length, 1);
assert.deepEqual(named('setSpecialButton'), []);
module.FS.writeFile('/dat/a3.bmp', frame3);
module._game_reload(0, 1, 0);
assert.match(said(), /went on/);
assert.deepEqual(named('setSpecialButton').at(-1), ['setSpecialButton', '★７', true,
  '必殺技ルクサリム（残り7回）']);
module._game_next();
assert.equal(lastAnnounced(), 'A1');
assert.deepEqual(named('terminate'), []);
module._game_reset();
console.log('warp and reload: ok');
