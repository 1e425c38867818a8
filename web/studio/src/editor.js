// The story's editor: CodeMirror 6 with line numbers, undo, search, the story's colours and the
// checker's findings as marks. Lines are split at "\n" only, so that a lone CR stays a character
// of its line (the game drops it; saving keeps it).
import { history, defaultKeymap, historyKeymap } from '@codemirror/commands';
import { linter, lintGutter, setDiagnostics } from '@codemirror/lint';
import { highlightSelectionMatches, search, searchKeymap } from '@codemirror/search';
import { EditorState, RangeSetBuilder, StateEffect, StateField } from '@codemirror/state';
import {
  Decoration, drawSelection, EditorView, highlightActiveLine, highlightActiveLineGutter,
  highlightSpecialChars, keymap, lineNumbers, ViewPlugin,
} from '@codemirror/view';
import { classifyLine, pageBands } from './story_syntax.js';

const lineKinds = new Map();  // a line's text -> its kind, shared by every state
const linesOf = (doc) => [...doc.iterLines()];
const bandsField = StateField.define({
  create: (state) => pageBands(linesOf(state.doc), lineKinds),
  update: (value, transaction) => {
    if (!transaction.docChanged) return value;
    if (lineKinds.size > 200000) lineKinds.clear();
    return pageBands(linesOf(transaction.newDoc), lineKinds);
  },
});

const MARKS = {
  command: Decoration.mark({ class: 'tok-command' }),
  unknown: Decoration.mark({ class: 'tok-unknown' }),
  label: Decoration.mark({ class: 'tok-label' }),
  comment: Decoration.mark({ class: 'tok-comment' }),
};
const BANDS = [Decoration.line({ class: 'page-a' }), Decoration.line({ class: 'page-b' })];
const FULL = [Decoration.line({ class: 'page-a page-full' }),
  Decoration.line({ class: 'page-b page-full' })];

function decorate(view) {
  const builder = new RangeSetBuilder();
  const { bands, full } = view.state.field(bandsField);
  for (const { from, to } of view.visibleRanges) {
    for (let at = from; at <= to;) {
      const line = view.state.doc.lineAt(at);
      const band = bands[line.number - 1];
      if (band >= 0) builder.add(line.from, line.from, (full[line.number - 1] ? FULL : BANDS)[band]);
      for (const mark of classifyLine(line.text).marks) {
        builder.add(line.from + mark.from, line.from + mark.to, MARKS[mark.kind]);
      }
      at = line.to + 1;
    }
  }
  return builder.finish();
}

// The page on screen in the play pane: the line where it starts (from 1), 0 for none, marked over
// the lines of its page band.
const setPageOnScreen = StateEffect.define();
const pageOnScreenField = StateField.define({
  create: () => 0,
  update: (value, transaction) => transaction.effects.reduce(
    (line, effect) => (effect.is(setPageOnScreen) ? effect.value : line), value),
});
const ON_SCREEN = Decoration.line({ class: 'on-screen' });

function pageOnScreenMarks(state) {
  const builder = new RangeSetBuilder();
  const first = state.field(pageOnScreenField);
  const { bands } = state.field(bandsField);
  if (first < 1 || first > state.doc.lines) return builder.finish();
  const band = bands[first - 1];
  for (let n = first; n <= state.doc.lines && (n === first || (band >= 0 && bands[n - 1] === band)); ++n) {
    builder.add(state.doc.line(n).from, state.doc.line(n).from, ON_SCREEN);
  }
  return builder.finish();
}
const pageOnScreen = [pageOnScreenField,
  EditorView.decorations.compute([pageOnScreenField, bandsField], pageOnScreenMarks)];

const storyColours = ViewPlugin.fromClass(class {
  constructor(view) { this.decorations = decorate(view); }
  update(update) {
    if (update.docChanged || update.viewportChanged) this.decorations = decorate(update.view);
  }
}, { decorations: (plugin) => plugin.decorations });

// `onChange(text)` after every change of the text; `onCursor(line)` when the cursor's line moves.
export function createEditor(parent, { onChange, onCursor }) {
  const extensions = [
        EditorState.lineSeparator.of('\n'),
        lineNumbers(), highlightActiveLineGutter(), highlightSpecialChars(), history(),
        drawSelection(), highlightActiveLine(), highlightSelectionMatches(), search({ top: true }),
        lintGutter(), linter(null), bandsField, storyColours, pageOnScreen, EditorView.lineWrapping,
        keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap]),
        EditorView.updateListener.of((update) => {
          if (update.docChanged) onChange(update.state.doc.toString());
          if (update.selectionSet || update.docChanged) {
            onCursor(update.state.doc.lineAt(update.state.selection.main.head).number);
          }
        }),
  ];
  const view = new EditorView({ parent, state: EditorState.create({ doc: '', extensions }) });
  view.studioExtensions = extensions;
  return view;
}

// Replaces the whole text (a story opened): no undo back into the previous story.
export function setText(view, text) {
  view.setState(EditorState.create({ doc: text, extensions: view.studioExtensions }));
}

// The findings on the story file (named `story`) as marks in the text.
export function showFindings(view, findings, story) {
  const doc = view.state.doc;
  const diagnostics = findings.filter((f) => f.file === story && f.line > 0 && f.line <= doc.lines)
    .map((f) => {
      const line = doc.line(f.line);
      const from = Math.min(line.from + Math.max(f.character - 1, 0), line.to);
      return { from, to: f.character > 0 ? Math.min(from + 1, line.to) : line.to,
        severity: f.error ? 'error' : 'warning', message: f.text };
    });
  view.dispatch(setDiagnostics(view.state, diagnostics));
}

// Marks the page that starts at `line` (from 1) as the one on screen; 0 marks none.
export function markPageOnScreen(view, line) {
  if (view.state.field(pageOnScreenField) !== line) view.dispatch({ effects: setPageOnScreen.of(line) });
}

// Puts the cursor at the start of `line` (from 1), scrolled into view, and focuses the editor.
export function goToLine(view, line, character = 1) {
  const target = view.state.doc.line(Math.min(Math.max(line, 1), view.state.doc.lines));
  const at = Math.min(target.from + Math.max(character - 1, 0), target.to);
  view.dispatch({ selection: { anchor: at }, effects: EditorView.scrollIntoView(at, { y: 'center' }) });
  view.focus();
}
