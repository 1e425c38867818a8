// The web player: the game's rules in WebAssembly, driven by the browser's event loop. The page
// keeps no rules of its own: it hands the game the story folder's files, calls one pass of the
// frame clock when the render slot is next due (never a busy loop), maps the two buttons to the
// game's handlers, and shows what the game asks for (the picture, the button, message boxes,
// sounds, the page for screen readers).
import { Dialogs } from './dialogs.js';
import { fetchStory, readDropped, readPicked, storyFormat } from './files.js';
import { Picture, pictureLayout } from './picture.js';
import { Sound } from './sound.js';

export class Player {
  constructor(doc) {
    const $ = (id) => doc.getElementById(id);
    this.doc = doc;
    this.main = $('game');
    this.next = $('next');
    this.special = $('special');
    this.restart = $('restart');
    this.loading = $('loading');
    this.pageText = $('page-text');
    this.moveNotice = $('move-notice');
    this.screen = $('picture');
    this.picture = null;  // made with the module's layout
    this.dialogs = new Dialogs($('message'));
    this.sound = new Sound();
    this.module = null;
    this.files = null;
    this.timer = null;
    this.started = false;
    this.ending = false;
    this.ended = false;
    const seed = new URLSearchParams(location.search).get('seed');
    this.seed = seed !== null && /^\d+$/.test(seed) ? Number(seed) : -1;
    this.bind($('open-folder'));
  }

  bind(openFolder) {
    this.next.addEventListener('click', () => this.press(() => this.module._game_next()));
    this.special.addEventListener('click', () => this.press(() => this.module._game_special()));
    this.restart.addEventListener('click', () => this.again());
    this.dialogs.onIdle = () => this.settle();
    this.doc.addEventListener('visibilitychange', () => this.schedule(0));
    // Game hosts often show the page in a frame of theirs: a click anywhere gives the keys to the
    // game's buttons.
    this.doc.addEventListener('pointerdown', (event) => {
      if (!event.target.closest('button, input, label, dialog')) this.focusButton();
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

  // The module first: it names the story's files and lays out the picture and the buttons.
  async boot() {
    const { default: createLuxarim } = await import('./luxarim.js');
    const module = await createLuxarim({ luxarimHost: this.host() });
    this.format = storyFormat(module);
    const layout = pictureLayout(module);
    this.picture = new Picture(this.screen, layout);
    this.next.textContent = layout.captions.next;
    this.special.textContent = layout.captions.special;
    this.restart.textContent = layout.captions.playAgain;
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

  // Plays another story folder from the player's disk, from its first page.
  open(files) {
    if (!this.module || this.dialogs.busy) return;
    this.fromServer = false;
    this.start(files);
  }

  // The story again from its first page: read anew from the server (it may have been edited), or
  // the folder that was opened.
  async again() {
    this.restart.hidden = true;
    this.start(this.fromServer ? await fetchStory(location.href, this.format) : this.files);
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
    this.restart.hidden = true;
    this.next.disabled = false;
    this.special.disabled = false;
    this.loading.hidden = true;
    this.main.removeAttribute('aria-busy');
    if (this.module._game_start(this.seed) !== 0) this.ending = true;
    this.focusButton();
    this.settle();
  }

  writeFiles(files) {
    const fs = this.module.FS;
    for (const name of this.format.names) {
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

  // Where the desktop closes its window: the last picture stays, the buttons are disabled, and the
  // story can be played again from its first page.
  finish() {
    clearTimeout(this.timer);
    this.ended = true;
    this.next.disabled = true;
    this.special.disabled = true;
    this.restart.hidden = false;
    this.restart.focus();
  }

  focusButton() {
    window.focus();
    if (!this.next.disabled) this.next.focus();
  }

  // A new node is announced even when it reads like the last one.
  static say(region, text) {
    const line = region.ownerDocument.createElement('p');
    line.textContent = text;
    region.replaceChildren(line);
  }

  announce(text) {
    Player.say(this.pageText, text);
  }

  // What the game calls (Module.luxarimHost): strings arrive as JavaScript strings, pixels as
  // addresses in the module's memory, read before the call returns.
  host() {
    return {
      loadFrame: (index, width, height, pointer) => this.picture.loadFrame(index, width, height,
        this.module.HEAPU8.subarray(pointer, pointer + width * height * 4)),
      dropFrames: () => this.picture.dropFrames(),
      setPage: (revision, lines, count) =>
        this.picture.setPage(count > 0 ? lines.split('\n').slice(0, count) : []),
      paint: (frame, strokes, count) => this.picture.paint(frame,
        this.module.HEAP32.subarray(strokes >> 2, (strokes >> 2) + count * 3)),
      setSpecialButton: (caption, visible, name) => {
        this.special.textContent = caption;
        this.special.setAttribute('aria-label', name);
        if (!visible && this.doc.activeElement === this.special) this.next.focus();
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
