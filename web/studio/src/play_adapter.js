// The play pane: the web player's own Player (canvas, buttons, sounds, live region, dialogs) on
// the player's module. Everything the studio asks of the game goes through this adapter, so that
// the module's preview functions (reload keeping the reader's place, warp to a line) switch on
// here alone when the module has them.
import createLuxarim from 'luxarim-module';
import { Player } from '../../player.js';
import { TEXT_FONT } from '../../picture.js';

export class PlayPane {
  constructor(doc) {
    this.doc = doc;
    this.player = new Player(doc);
  }

  async boot(wasmBinary) {
    await this.doc.fonts.load(TEXT_FONT, 'あ').catch(() => {});
    this.player.picture.measureText();
    this.player.module = await createLuxarim({ luxarimHost: this.player.host(), wasmBinary });
    this.player.module.FS.mkdir('/dat');
  }

  get module() { return this.player.module; }

  // Whether the module keeps the reader's place on a reload and can start at a line.
  get canReload() { return typeof this.module?._game_reload === 'function'; }
  get canWarp() {
    return typeof this.module?._game_warp === 'function' && typeof this.module?._malloc === 'function';
  }

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

  // The edited story: re-read in place where the module can; else the player's "play again"
  // takes the new files, and the reader goes on in the story as it was.
  reload(files, japanese) {
    if (!this.player.started) return this.play(files);
    if (!this.canReload) {
      this.player.files = files;
      return false;
    }
    this.player.writeFiles(files);
    this.module._game_reload(1, 1, japanese ? 1 : 0);
    this.player.settle();
    return true;
  }

  // The story from line `line` (from 1), with the flags the walk finds on the way there.
  warp(files, line, japanese) {
    this.play(files);
    if (!this.canWarp) return false;
    const text = String(line);
    const size = this.module.lengthBytesUTF8(text) + 1;
    const pointer = this.module._malloc(size);
    this.module.stringToUTF8(text, pointer, size);
    const answer = this.module._game_warp(pointer, japanese ? 1 : 0);
    this.module._free(pointer);
    this.player.settle();
    return answer >= 0;
  }
}
