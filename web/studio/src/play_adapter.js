// The play pane: the web player's own Player (canvas, buttons, sounds, live region, dialogs) on
// the player's module. Everything the studio asks of the game goes through this adapter: the
// story folder's format and the picture's layout, the story from its first page, the edited
// story read anew where the reader is (game_reload), a start at a line (game_warp), and where
// the page on screen starts (game_reading_line).
import createLuxarim from 'luxarim-module';
import { SITE_FACE } from '../../picture.js';
import { Player } from '../../player.js';

// What game_warp answers.
export const WARP_STARTED = 0;
export const WARP_WARNED = 1;

export class PlayPane {
  // `onPage(line)`: told the line where the page on screen starts (0 before the first page)
  // after every step of the game.
  constructor(doc, onPage = () => {}) {
    this.doc = doc;
    // The game in the pane's width, its buttons over the picture as on the desktop.
    this.player = new Player(doc, {
      // A click in the game keeps the keys on its buttons; elsewhere they go where clicked.
      keysArea: doc.getElementById('game'),
      room: (d, size) => {
        const width = d.getElementById('game').clientWidth;
        return { width, height: (width * size.height) / size.width };
      },
    });
    this.onPage = onPage;
    const settle = this.player.settle.bind(this.player);
    this.player.settle = () => {
      settle();
      this.tellPage();
    };
  }

  // The game's module and its facts; `fontsReady` settles once the picture's font is loaded and
  // measured, which the pane needs before its first page.
  async boot(wasmBinary) {
    const module = await createLuxarim({ luxarimHost: this.player.host(), wasmBinary });
    this.player.takeFacts(module);
    this.fontsReady = this.doc.fonts.load(this.player.picture.font, 'あ').catch(() => {})
      .then(() => this.player.picture.measureText());
    this.player.module = module;
    module.FS.mkdir(`/${this.format.folder}`);
  }

  // The whole face under the site's family, where the served studio has it beside it: the pane
  // then draws the author's characters as their published site will (the site's own font holds
  // only the bundled story's). The faces the page has stay when it cannot be read.
  async useFace(url) {
    try {
      this.doc.fonts.add(await new FontFace(SITE_FACE, `url("${url}")`).load());
      this.player.picture.measureText();
    } catch {
      // the site's font and the computer's draw on
    }
  }

  get module() { return this.player.module; }

  // The story folder's format (files.js storyFormat), as the module gives it.
  get format() { return this.player.format; }

  get canWarp() { return typeof this.module?._game_warp === 'function'; }

  // The line where the page on screen starts, or 0.
  readingLine() {
    return this.player.started && this.module ? this.module._game_reading_line() : 0;
  }

  tellPage() { this.onPage(this.readingLine()); }

  // What the game said to the author after the last warp or reload (the desktop's standard
  // error), one line each.
  said() { return this.module.UTF8ToString(this.module._game_said()).trim(); }

  // The story from its first page. The player gives its button the keys as a game starts; in
  // the studio the keys stay where the author was typing.
  play(files) {
    const typing = this.doc.activeElement;
    this.player.fromServer = false;
    this.player.start(files);
    if (typing && typing !== this.doc.body && !this.doc.getElementById('stage').contains(typing)) {
      typing.focus();
    }
  }

  // The edited story read anew, reading going on from the same place (the page that holds it when
  // the edit reached it). A game that ended or never started plays from its first page.
  reload(files, japanese) { return this.readAnew(files, { story: true, frames: false }, japanese); }

  // The folder's frames or sounds replaced: the frames read anew, the sounds as they next play.
  reloadFrames(files, japanese) {
    this.player.sound.forget();
    return this.readAnew(files, { story: false, frames: true }, japanese);
  }

  // What the game said of it, one line each.
  readAnew(files, { story, frames }, japanese) {
    if (!this.player.started || this.player.ended) {
      this.play(files);
      return '';
    }
    this.player.files = files;
    const { names, story: storyName } = this.player.format;
    this.player.writeFiles(files, names.filter((name) => (name === storyName ? story : frames)));
    this.module._game_reload(story ? 1 : 0, frames ? 1 : 0, japanese ? 1 : 0);
    this.player.settle();
    return this.said();
  }

  // The story from line `line` (from 1), with the flags the walk finds on the way there, its page
  // shown. Returns {started, said}: said holds the warning or the refusal.
  warp(files, line, japanese) {
    this.play(files);
    const text = String(line);
    const size = this.module.lengthBytesUTF8(text) + 1;
    const pointer = this.module._malloc(size);
    this.module.stringToUTF8(text, pointer, size);
    const answer = this.module._game_warp(pointer, japanese ? 1 : 0);
    this.module._free(pointer);
    const started = answer === WARP_STARTED || answer === WARP_WARNED;
    const said = this.said();
    if (started) this.player.press(() => this.module._game_next());
    else this.player.settle();
    return { started, said };
  }
}
