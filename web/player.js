// The web player: the game's rules in WebAssembly, driven by the browser's event loop. The page
// keeps no rules of its own: it hands the game the story folder's files, calls one pass of the
// frame clock when the render slot is next due (never a busy loop), maps the two buttons to the
// game's handlers, and shows what the game asks for (the picture, the button, message boxes,
// sounds, the page for screen readers).
import { Dialogs } from './dialogs.js';
import { fetchStory, readDropped, readPicked, storyFormat } from './files.js';
import { Picture, pictureLayout } from './picture.js';
import { Sound } from './sound.js';
import { Stage } from './stage.js';

// After the end, presses within this many milliseconds do not restart (a player still pressing
// Next, or a key held down, would start the story again without meaning to).
export const RESTART_GUARD_MS = 1200;
// What screen readers hear at the end and after a restart (before the first page).
export const END_TEXT = 'おわり';
export const RESTART_TEXT = 'もう一度はじめから。';
// What takes a click without the keys moving to the game's buttons.
const CONTROLS = 'button, input, label, select, textarea, a[href], dialog';

export class Player {
  // `room`: the stage's room (stage.js), the window's unless the page gives the game a box.
  // `keysArea`: where a click keeps the keys on the game's buttons: the whole page, unless the
  // page has parts of its own that take keys (the studio's editor).
  constructor(doc, { room, keysArea = doc } = {}) {
    const $ = (id) => doc.getElementById(id);
    this.doc = doc;
    this.keysArea = keysArea;
    this.main = $('game');
    this.next = $('next');
    this.special = $('special');
    this.restart = $('restart');
    this.end = $('end');
    $('end-text').textContent = END_TEXT;
    this.fullscreen = $('fullscreen');
    this.loading = $('loading');
    this.pageText = $('page-text');
    this.moveNotice = $('move-notice');
    this.screen = $('picture');
    this.picture = null;  // made with the module's layout
    this.stage = new Stage(doc, (layout) => this.picture.fit(layout), room);
    this.dialogs = new Dialogs($('message'));
    this.sound = new Sound();
    this.module = null;
    this.files = null;
    this.timer = null;
    this.started = false;
    this.ending = false;
    this.ended = false;
    this.endedAt = -Infinity;
    this.page = '';
    const seed = new URLSearchParams(location.search).get('seed');
    this.seed = seed !== null && /^\d+$/.test(seed) ? Number(seed) : -1;
    this.bind($('open-folder'));
  }

  bind(openFolder) {
    this.next.addEventListener('click', () => this.press(() => this.module._game_next()));
    this.special.addEventListener('click', () => this.press(() => this.module._game_special()));
    this.restart.addEventListener('click', () => {
      if (performance.now() - this.endedAt >= RESTART_GUARD_MS) this.again();
    });
    this.bindFullscreen();
    this.dialogs.onIdle = () => this.settle();
    this.doc.addEventListener('visibilitychange', () => this.schedule(0));
    // Game hosts often show the page in a frame of theirs: a click or tap anywhere but a control
    // keeps the keys on the game's buttons (the browser would give the focus to the page itself).
    this.keysArea.addEventListener('mousedown', (event) => {
      if (event.target.closest(CONTROLS)) return;
      event.preventDefault();
      this.focusButton();
    });
    openFolder.addEventListener('change', async () => {
      if (openFolder.files.length && this.module) {
        this.open(await readPicked(openFolder.files, this.format));
      }
      openFolder.value = '';
    });
    this.doc.addEventListener('dragover', (event) => {
      event.preventDefault();
      this.doc.body.classList.add('dropping');
    });
    this.doc.addEventListener('dragleave', () => this.doc.body.classList.remove('dropping'));
    this.doc.addEventListener('drop', async (event) => {
      event.preventDefault();
      this.doc.body.classList.remove('dropping');
      const files = this.module && await readDropped(event.dataTransfer, this.format);
      if (files) this.open(files);
    });
  }

  bindFullscreen() {
    const doc = this.doc;
    this.fullscreen.hidden = !doc.fullscreenEnabled;
    this.fullscreen.addEventListener('click', () => {
      if (doc.fullscreenElement) doc.exitFullscreen().catch(() => {});
      else doc.documentElement.requestFullscreen({ navigationUI: 'hide' }).catch(() => {});
    });
    doc.addEventListener('fullscreenchange', () => {
      this.fullscreen.setAttribute('aria-pressed', String(Boolean(doc.fullscreenElement)));
    });
  }

  // The module first: it names the story's files and lays out the picture and the buttons.
  async boot() {
    const { default: createLuxarim } = await import('./luxarim.js');
    const module = await createLuxarim({ luxarimHost: this.host() });
    this.takeFacts(module);
    const [files] = await Promise.all([
      fetchStory(location.href, this.format),
      this.doc.fonts.load(this.picture.font, 'あ').catch(() => {}),
    ]);
    this.picture.measureText();
    this.module = module;
    this.module.FS.mkdir(`/${this.format.folder}`);
    this.fromServer = true;
    this.start(files);
  }

  // What the module says of the story folder (this.format) and of the picture: the picture, the
  // stage and the buttons' captions are made with it.
  takeFacts(module) {
    this.format = storyFormat(module);
    const layout = pictureLayout(module);
    this.picture = new Picture(this.screen, layout, () => this.module.HEAPU8);
    this.stage.setPicture(layout);
    this.next.textContent = layout.captions.next;
    this.special.textContent = layout.captions.special;
    this.restart.textContent = layout.captions.playAgain;
  }

  // Plays another story folder from the player's disk, from its first page.
  open(files) {
    if (!this.module || this.dialogs.busy) return;
    this.fromServer = false;
    this.start(files);
  }

  // The story again from its first page: read anew from the server (it may have been edited), or
  // the folder that was opened.
  async again() {
    this.end.hidden = true;
    this.start(this.fromServer ? await fetchStory(location.href, this.format) : this.files);
    // Said after the focus has moved, which screen readers speak first.
    const page = this.page;
    setTimeout(() => {
      if (this.page === page && this.started && !this.ended) this.announce(`${RESTART_TEXT}\n${page}`);
    }, 100);
  }

  start(files) {
    this.files = files;
    if (this.started) this.module._game_reset();
    this.writeFiles(files);
    this.sound.forget();
    this.picture.reset();
    this.started = true;
    this.ending = false;
    this.ended = false;
    this.end.hidden = true;
    this.moveNotice.replaceChildren();
    this.next.disabled = false;
    this.special.disabled = false;
    this.loading.hidden = true;
    this.main.removeAttribute('aria-busy');
    if (this.module._game_start(this.seed) !== 0) this.ending = true;
    this.focusButton();
    this.settle();
  }

  // Writes `names` (all the story folder's files unless told) from `files` into the module's
  // file system; a name without bytes is removed.
  writeFiles(files, names = this.format.names) {
    const fs = this.module.FS;
    for (const name of names) {
      const path = `/${this.format.folder}/${name}`;
      try {
        fs.unlink(path);
      } catch {
        // not there
      }
      if (files.get(name)) fs.writeFile(path, files.get(name));
    }
  }

  press(handler) {
    if (!this.started || this.ended) return;
    this.sound.allow();
    handler();
    this.settle();
  }

  // After anything that may have shown a message or ended the game: end once the messages are
  // closed, else go on ticking.
  settle() {
    if (this.dialogs.busy) return;
    if (this.ending) this.finish();
    else this.schedule(0);
  }

  running() {
    return this.started && !this.ending && !this.ended && !this.dialogs.busy && !this.doc.hidden;
  }

  schedule(delay) {
    clearTimeout(this.timer);
    this.timer = null;
    if (this.running()) this.timer = setTimeout(() => this.pass(), delay);
  }

  pass() {
    this.timer = null;
    if (!this.running()) return;
    const delay = this.module._game_pass();
    if (delay < 0) this.ending = true;
    if (this.ending || this.dialogs.busy) this.settle();
    else this.schedule(delay);
  }

  // Where the desktop closes its window: the last picture stays, the buttons are disabled, the
  // page says the story is over and offers it again from its first page, though not to presses
  // within a moment of the end.
  finish() {
    clearTimeout(this.timer);
    this.ended = true;
    this.endedAt = performance.now();
    this.next.disabled = true;
    this.special.disabled = true;
    this.end.hidden = false;
    this.restart.setAttribute('aria-disabled', 'true');
    clearTimeout(this.guard);
    this.guard = setTimeout(() => this.restart.removeAttribute('aria-disabled'), RESTART_GUARD_MS);
    this.focusButton();
    this.announce(END_TEXT);
  }

  // The keys go to the game's button: Next while playing, the restart at the end. Focusing never
  // scrolls the page.
  focusButton() {
    window.focus();
    const button = this.ended ? this.restart : this.next;
    if (!button.disabled && !button.closest('[hidden]')) button.focus({ preventScroll: true });
  }

  // A new node is announced even when it reads like the last one.
  static say(region, text) {
    const line = region.ownerDocument.createElement('p');
    line.textContent = text;
    region.replaceChildren(line);
  }

  announce(text) {
    this.page = text;
    Player.say(this.pageText, text);
  }

  // What the game calls (Module.luxarimHost): strings arrive as JavaScript strings, pixels as
  // addresses in the module's memory, read before the call returns (but a frame's, which stay
  // until dropFrames).
  host() {
    return {
      loadFrame: (index, width, height, pointer) => this.picture.loadFrame(index, width, height, pointer),
      dropFrames: () => this.picture.dropFrames(),
      setPage: (revision, lines, count) =>
        this.picture.setPage(count > 0 ? lines.split('\n').slice(0, count) : []),
      paint: (frame, strokes, count) => this.picture.paint(frame,
        this.module.HEAP32.subarray(strokes >> 2, (strokes >> 2) + count * 3)),
      setSpecialButton: (caption, visible, name) => {
        this.special.textContent = caption;
        this.special.setAttribute('aria-label', name);
        if (!visible && this.doc.activeElement === this.special) this.next.focus({ preventScroll: true });
        this.special.hidden = !visible;
      },
      announce: (page) => this.announce(page),
      notice: (text) => Player.say(this.moveNotice, text),
      messageBox: (message, caption, isError) => this.dialogs.show(message, caption, isError),
      playSound: (path, loop) => this.sound.play(path, this.readFile(path), loop),
      stopSounds: () => this.sound.stop(),
      terminate: () => {
        this.ending = true;
      },
    };
  }

  // A file of the game's in-memory folder, or null (a missing sound is silence).
  readFile(path) {
    try {
      return this.module.FS.readFile(path.startsWith('/') ? path : `/${path}`);
    } catch {
      return null;
    }
  }
}
