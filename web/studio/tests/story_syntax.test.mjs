// The editor's colours of the story's lines, as a table: commands in any case of their ASCII
// letters, labels, comments anywhere, unknown "#" words, and the pages of up to five lines.
// The commands and the page's length come from the player's module, as in the studio:
//   node --test story_syntax.test.mjs   with GAME_WEB_MODULE, the folder of luxarim.js and .wasm
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { test } from 'node:test';
import { classifyLine, pageBands, setStorySyntax, storySyntax } from '../src/story_syntax.js';

const moduleDir = process.env.GAME_WEB_MODULE
  || new URL('../../../build/web/wasm', import.meta.url).pathname;
// The module's Node branch expects CommonJS names.
globalThis.require = createRequire(import.meta.url);
globalThis.__dirname = moduleDir;
const { default: createLuxarim } = await import(join(moduleDir, 'luxarim.js'));
const module = await createLuxarim({ luxarimHost: {},
  wasmBinary: readFileSync(join(moduleDir, 'luxarim.wasm')) });
setStorySyntax(storySyntax(module));

test("the module gives the rules' commands and the most lines of a page", () => {
  assert.deepEqual(storySyntax(module),
    { commands: ['#end', '#goto', '#trap', '#heatOn', '#heatOff', '#notext'], pageLines: 5 });
});

const marks = (text) => classifyLine(text).marks.map((m) => `${m.kind}:${text.slice(m.from, m.to)}`);

test('each line is a blank, a label, a command or text, with its marks', () => {
  const cases = [
    ['', 'blank', []],
    ['// only a comment', 'blank', ['comment:// only a comment']],
    ['　 \t', 'text', []],  // a line of blanks only is text
    ['@start', 'label', ['label:@start']],
    ['  @two words // c', 'label', ['label:@two', 'comment:// c']],
    ['#goto @leap', 'command', ['command:#goto', 'label:@leap']],
    ['#TRAP　@leap', 'command', ['command:#TRAP', 'label:@leap']],
    ['#HeatOn', 'command', ['command:#HeatOn']],
    ['#heatoff', 'command', ['command:#heatoff']],
    ['#notext', 'command', ['command:#notext']],
    ['#end // fin', 'command', ['command:#end', 'comment:// fin']],
    ['#ｅｎｄ', 'text', ['unknown:#ｅｎｄ']],  // full-width letters are no command
    ['#jump @x', 'text', ['unknown:#jump']],
    ['本文です//ここから注釈', 'text', ['comment://ここから注釈']],
  ];
  for (const [text, kind, expected] of cases) {
    assert.equal(classifyLine(text).kind, kind, text);
    assert.deepEqual(marks(text), expected, text);
  }
});

test('text lines make pages of up to five, ended by a blank line or a label', () => {
  const lines = ['@a', '1', '2', '#heatOn', '3', '', '1', '2', '3', '4', '5', '6', '@b', '1',
    '// note', '1'];
  const { bands, full } = pageBands(lines);
  assert.deepEqual([...bands], [-1, 0, 0, -1, 0, -1, 1, 1, 1, 1, 1, 0, -1, 1, -1, 0]);
  assert.deepEqual([...full].map((v, i) => (v ? i : -1)).filter((i) => i >= 0), [10]);
});
