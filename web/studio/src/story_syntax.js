// The story's lines as the editor colours them: commands, labels, comments, and the pages that
// text lines make in reading order from the top (up to the rules' most lines each, ended by a
// blank line or a label). Only colours: the checker and the game read the story with the rules.
const BLANKS = /^[ \t\u3000]*$/;
const WORD = /[^ \t\u3000]+/g;

// The rules' commands (in lower case: their ASCII letters match in any case) and the most lines
// a page holds, from the module (storySyntax); set once, before the editor is given a text.
let commands = new Set();
let pageLines = Infinity;

// What the module says the editor colours by: {commands, pageLines} (page_facts.h).
export const storySyntax = (module) => JSON.parse(module.UTF8ToString(module._story_syntax()));

export function setStorySyntax(syntax) {
  commands = new Set(syntax.commands.map((command) => command.toLowerCase()));
  pageLines = syntax.pageLines;
}

// Marks of one line: [{from, to, kind}] with kind 'command', 'unknown', 'label' or 'comment',
// and what the line is: 'blank', 'label', 'command' or 'text'.
export function classifyLine(text) {
  const marks = [];
  const comment = text.indexOf('//');
  const code = comment >= 0 ? text.slice(0, comment) : text;
  if (comment >= 0) marks.push({ from: comment, to: text.length, kind: 'comment' });
  if (code.length === 0) return { kind: 'blank', marks };
  if (BLANKS.test(code)) return { kind: 'text', marks };
  const words = [...code.matchAll(WORD)];
  const first = words[0];
  const end = first.index + first[0].length;
  if (first[0].startsWith('@')) {
    marks.unshift({ from: first.index, to: end, kind: 'label' });
    return { kind: 'label', marks };
  }
  if (!first[0].startsWith('#')) return { kind: 'text', marks };
  if (!commands.has(first[0].replace(/[A-Z]/g, (c) => c.toLowerCase()))) {
    marks.unshift({ from: first.index, to: end, kind: 'unknown' });
    return { kind: 'text', marks };
  }
  const target = words[1];
  if (target && target[0].startsWith('@')) {
    marks.unshift({ from: target.index, to: target.index + target[0].length, kind: 'label' });
  }
  marks.unshift({ from: first.index, to: end, kind: 'command' });
  return { kind: 'command', marks };
}

// For each line (from 0): the page band (0 or 1) of a text line, or -1; and whether it is a
// page's last possible line.
// `kinds` remembers the kind of each line's text from one call to the next (most lines stay as
// they were between two keys).
export function pageBands(lines, kinds = new Map()) {
  const bands = new Int8Array(lines.length).fill(-1);
  const full = new Uint8Array(lines.length);
  let page = -1;
  let count = 0;
  let open = false;
  lines.forEach((text, i) => {
    let kind = kinds.get(text);
    if (kind === undefined) {
      kind = classifyLine(text).kind;
      kinds.set(text, kind);
    }
    if (kind === 'blank' || kind === 'label') {
      open = false;
      return;
    }
    if (kind !== 'text') return;
    if (!open) {
      page += 1;
      count = 0;
      open = true;
    }
    count += 1;
    bands[i] = page % 2;
    if (count === pageLines) {
      full[i] = 1;
      open = false;
    }
  });
  return { bands, full };
}
