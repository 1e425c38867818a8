// The story studio: a story folder opened in an editor, checked by the game's own checker in a
// worker on every pause in typing, played beside the text by the web player, and saved back
// without losing a byte the author did not touch.
import sample from '../../../docs/sample-story.txt';
import { readDropped } from '../../files.js';
import { CheckerClient } from './checker_client.js';
import { createEditor, goToLine, markPageOnScreen, setText, showFindings } from './editor.js';
import {
  canWriteFolders, download, heldNames, pickDirectory, readDirectory, readFileList, readOldFolder,
  removeAt, writeAt, writeWhole,
} from './folder.js';
import { isIpaPGothic } from './font_cut.js';
import { showAssets } from './assets.js';
import { showFindingList } from './findings.js';
import { drawMap } from './story_map.js';
import { setStorySyntax, storySyntax } from './story_syntax.js';
import { PlayPane } from './play_adapter.js';
import { applyTexts, pageLanguage, textsFor } from './texts.js';
import { bundledFiles, wasmBytes } from './wasm_source.js';

const PAUSE_MS = 100;

class Studio {
  constructor(doc) {
    const $ = (id) => doc.getElementById(id);
    this.doc = doc;
    this.$ = $;
    this.language = pageLanguage();
    this.japanese = this.language === 'ja';
    this.texts = textsFor(this.language);
    applyTexts(doc, this.texts, this.language);
    this.checker = new CheckerClient();
    this.play = new PlayPane(doc, (line) => this.pageOnScreen(line));
    this.editor = createEditor($('editor'), {
      onChange: (text) => this.changed(text),
      onCursor: (line) => { this.cursorLine = line; },
    });
    this.folder = null;
    this.original = new Uint8Array();
    this.text = '';
    this.dirty = false;
    this.cursorLine = 1;
    this.timer = null;
    this.checking = null;
    this.lastCheck = null;
    this.bind();
  }

  bind() {
    const $ = this.$;
    $('open-story').addEventListener('click', () => this.pickFolder());
    $('new-story').addEventListener('click', () => this.newStory());
    $('save-story').addEventListener('click', () => this.save());
    $('play-here').addEventListener('click', () => this.playFromHere());
    $('publish-story').addEventListener('click', () => this.publish());
    $('pick-folder').addEventListener('change', async () => {
      const input = $('pick-folder');
      if (input.files.length) await this.load(await readFileList(input.files, this.format));
      input.value = '';
    });
    // A dropped folder opens in the studio (the player would only play it).
    window.addEventListener('drop', (event) => this.dropped(event), true);
    window.addEventListener('beforeunload', (event) => {
      if (this.dirty) event.preventDefault();
    });
  }

  async boot() {
    // The whole face sits beside the served studio (the one file has none: publishing asks); the
    // worker reads it while the rest loads.
    const face = location.protocol === 'file:' ? null : new URL('studio/face.ttf', location.href).href;
    if (face) this.checker.loadFace(face);
    const [playerWasm, studioWasm] = await Promise.all([
      wasmBytes(this.doc, 'player-wasm', 'luxarim.wasm'),
      wasmBytes(this.doc, 'studio-wasm', 'studio/luxarim_studio.wasm')]);
    performance.mark('studio:wasm');
    this.playerWasm = playerWasm;
    const checker = this.checker.init(studioWasm);
    await this.play.boot(playerWasm);
    this.format = this.play.format;
    setStorySyntax(storySyntax(this.play.module));
    const story = location.protocol === 'file:' ? null : bundledFiles(this.doc, this.format);
    await Promise.all([checker, this.play.fontsReady]);
    performance.mark('studio:modules');
    const bundled = await story;
    performance.mark('studio:story');
    if (bundled && bundled.get(this.format.story)) {
      await this.load({ name: 'dat', directory: null, files: bundled });
    } else {
      await this.newStory();
    }
    this.$('play-here').disabled = !this.play.canWarp;
    this.$('save-story').disabled = false;
    this.$('publish-story').disabled = false;
    this.doc.body.dataset.ready = 'true';
    window.studioReadyAt = performance.now();
    if (face) this.play.useFace(face);
  }

  status(text) { this.$('folder-name').textContent = text; }

  async pickFolder() {
    if (!canWriteFolders()) {
      this.$('pick-folder').click();
      return;
    }
    try {
      await this.openDirectory(await pickDirectory());
    } catch (error) {
      if (error.name !== 'AbortError') this.status(String(error.message || error));
    }
  }

  // A directory handle (picked, dropped, or the origin's private folder in tests).
  async openDirectory(handle) {
    await this.load(await readDirectory(handle, this.format));
  }

  async dropped(event) {
    event.preventDefault();
    event.stopImmediatePropagation();
    this.doc.body.classList.remove('dropping');
    const asset = event.target.closest && event.target.closest('#assets figure.asset');
    if (asset) return this.replaceAsset(asset.dataset.file, event.dataTransfer.files[0]);
    const item = [...(event.dataTransfer.items || [])][0];
    const handle = item && item.getAsFileSystemHandle ? await item.getAsFileSystemHandle() : null;
    if (handle && handle.kind === 'directory') return this.openDirectory(handle);
    const files = await readDropped(event.dataTransfer, this.format);
    if (files) return this.load({ name: '', directory: null, files });
    return null;
  }

  // A file dropped on a frame or a sound: a picture (PNG, BMP, any the browser decodes) becomes
  // the 24-bit bitmap the game reads, a sound is taken as it is. Written into the folder where it
  // can be, checked, and read anew by the play pane.
  async replaceAsset(name, file) {
    if (!file) return;
    let bytes = new Uint8Array(await file.arrayBuffer());
    if (name.endsWith('.bmp')) {
      bytes = await this.frameBytes(file);
      if (!bytes) {
        this.status(this.texts.notAPicture(file.name));
        return;
      }
    }
    try {
      if (this.folder.directory) await writeWhole(this.folder.directory, name, bytes);
    } catch (error) {
      this.status(this.texts.saveFailed(String(error.message || error)));
      return;
    }
    this.folder.files.set(name, bytes);
    this.folder.assetsChanged = true;
    await this.check();
    this.$('play-said').textContent = this.play.reloadFrames(this.playFiles(), this.japanese);
    this.status(this.texts.replaced(name));
  }

  async frameBytes(file) {
    let picture;
    try {
      picture = await createImageBitmap(file, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    } catch {
      return null;
    }
    const canvas = new OffscreenCanvas(picture.width, picture.height);
    const context = canvas.getContext('2d');
    context.drawImage(picture, 0, 0);
    const rgba = context.getImageData(0, 0, picture.width, picture.height).data;
    const made = await this.checker.frameBmp(new Uint8Array(rgba.buffer), picture.width, picture.height);
    return made && made.bytes;
  }

  async load(folder) {
    this.folder = folder;
    this.original = folder.files.get(this.format.story) || new Uint8Array();
    if (!folder.files.get(this.format.story) && folder.name) this.status(this.texts.noStory);
    else this.status((folder.directory ? this.texts.opened : this.texts.readOnly)(folder.name));
    await this.show(await this.checker.editorText(this.original));
  }

  // A new story: the bundled portrait and sounds (when served beside the player) and a sample.
  async newStory() {
    const files = await bundledFiles(this.doc, this.format);
    files.set(this.format.story, null);
    this.folder = { name: '', directory: null, files, isNew: true };
    this.original = new Uint8Array();
    this.status(this.texts.newStory);
    await this.show(sample);
    this.dirty = true;
  }

  async show(text) {
    this.text = text;
    setText(this.editor, text);
    performance.mark('studio:text');
    this.dirty = false;
    await this.check();
    performance.mark('studio:checked');
    this.play.play(this.playFiles());
    this.doc.body.dataset.loads = String(Number(this.doc.body.dataset.loads || 0) + 1);
  }

  changed(text) {
    this.text = text;
    this.dirty = true;
    this.typedAt = performance.now();
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.check().then(() => this.reloadPlay()), PAUSE_MS);
  }

  // The story.txt the checker and the player read: the text as it would be saved, with the
  // characters that have no Shift-JIS form left out (the refusal names them).
  async storyBytes() {
    const plan = await this.checker.planSave(this.original, this.text, true, this.japanese);
    if (plan.outcome === 'write') return { bytes: plan.bytes, refusals: [] };
    const lines = this.text.split('\n');
    for (const finding of [...plan.findings].reverse()) {
      const chars = [...lines[finding.line - 1]];
      chars.splice(finding.character - 1, 1);
      lines[finding.line - 1] = chars.join('');
    }
    const kept = await this.checker.planSave(this.original, lines.join('\n'), true, this.japanese);
    return { bytes: kept.bytes || new Uint8Array(), refusals: plan.findings };
  }

  // Checks the text as it is now; a check asked for while one runs follows it.
  async check() {
    if (this.checking) {
      this.again = true;
      return this.checking;
    }
    const started = this.typedAt;
    this.checking = (async () => {
      const { bytes, refusals } = await this.storyBytes();
      this.storyFile = bytes;
      const files = Object.fromEntries(this.folder.files);
      files[this.format.story] = bytes;
      const answer = await this.checker.check(files, this.japanese);
      const findings = [...refusals, ...answer.findings];
      showFindings(this.editor, findings, this.format.story);
      showFindingList(this.$('findings'), this.$('summary'), findings, answer,
        (f) => goToLine(this.editor, f.line, f.character),
        refusals.length ? this.texts.unsaveable(refusals.length) : '');
      showAssets(this.$('assets'), this.folder.files, findings, this.texts.missing, this.format);
      this.lastCheck = { findings, answer, typedAt: started, shownAt: performance.now() };
      this.doc.body.dataset.checks = String(Number(this.doc.body.dataset.checks || 0) + 1);
      this.drawMap(answer.map, this.lastCheck);
    })();
    try {
      await this.checking;
    } finally {
      this.checking = null;
    }
    if (this.again) {
      this.again = false;
      await this.check();
    }
    return undefined;
  }

  // The map is laid out after the findings are shown, and drawn unless a newer check came.
  async drawMap(map, check) {
    const laid = await this.checker.layOut(map);
    if (this.lastCheck !== check) return;
    check.layoutMilliseconds = laid ? laid.milliseconds : 0;
    drawMap(this.$('story-map'), laid, (line) => goToLine(this.editor, line), this.texts.mapTooLarge);
    this.doc.body.dataset.maps = String(Number(this.doc.body.dataset.maps || 0) + 1);
  }

  playFiles() {
    const files = new Map(this.folder.files);
    files.set(this.format.story, this.storyFile);
    return files;
  }

  // The edited story in the play pane, read on from where the reader is.
  reloadPlay() {
    const said = this.play.reload(this.playFiles(), this.japanese);
    this.$('play-said').textContent = said;
    this.doc.body.dataset.reloads = String(Number(this.doc.body.dataset.reloads || 0) + 1);
  }

  // The story from the page under the cursor; a line that starts no way there is refused with
  // the game's words.
  playFromHere() {
    const { said } = this.play.warp(this.playFiles(), this.cursorLine, this.japanese);
    this.$('play-said').textContent = said;
  }

  // The page on screen in the play pane, marked in the editor.
  pageOnScreen(line) {
    markPageOnScreen(this.editor, line);
    this.doc.body.dataset.pageOnScreen = String(line);
  }

  async save() {
    let plan = await this.checker.planSave(this.original, this.text, false, this.japanese);
    if (plan.outcome === 'refused') {
      this.status(this.texts.refused);
      const first = plan.findings[0];
      goToLine(this.editor, first.line, first.character);
      return false;
    }
    if (plan.outcome === 'confirm') {
      if (!(await this.confirm(plan.question))) {
        this.status(this.texts.notSaved);
        return false;
      }
      plan = await this.checker.planSave(this.original, this.text, true, this.japanese);
    }
    try {
      if (!(await this.write(plan.bytes))) {
        this.status(this.texts.notSaved);
        return false;
      }
    } catch (error) {
      this.status(this.texts.saveFailed(String(error.message || error)));
      return false;
    }
    this.original = plan.bytes;
    this.dirty = false;
    this.status(this.texts.saved(this.folder.name || this.format.story));
    return true;
  }

  async write(bytes) {
    if (this.folder.isNew && typeof window.showDirectoryPicker === 'function') {
      // The new story's folder is its own only once every file is written there; a folder that
      // holds a story's files already is written only on the author's word.
      const directory = await pickDirectory();
      const held = await heldNames(directory, [...this.folder.files.keys()]);
      if (held.length && !(await this.confirm(this.texts.newStoryReplaces(directory.name, held.join(', '))))) {
        return false;
      }
      for (const [name, data] of this.folder.files) {
        if (data && name !== this.format.story) await writeWhole(directory, name, data);
      }
      await writeWhole(directory, this.format.story, bytes);
      Object.assign(this.folder, { directory, name: directory.name, isNew: false });
      return true;
    }
    if (this.folder.directory) await writeWhole(this.folder.directory, this.format.story, bytes);
    else if (this.folder.assetsChanged) await this.downloadFolder(bytes);
    else download(this.doc, this.format.story, bytes);
    return true;
  }

  // A read-only folder whose frames or sounds were replaced: the whole folder as one zip.
  async downloadFolder(story) {
    const files = Object.fromEntries(this.folder.files);
    files[this.format.story] = story;
    const made = await this.checker.zipFolder(files);
    if (!made) throw new Error('zip');
    download(this.doc, `${this.folder.name || this.format.folder}.zip`, made.bytes);
  }

  confirm(question, yes = this.texts.saveAnyway) {
    const dialog = this.$('confirm');
    this.$('confirm-text').textContent = question;
    dialog.querySelector('button[value="yes"]').textContent = yes;
    return this.answer(dialog);
  }

  // Shows a modal dialog; whether it was closed with its "yes" button.
  answer(dialog) {
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => resolve(dialog.returnValue === 'yes'), { once: true });
      dialog.returnValue = '';
      dialog.showModal();
    });
  }

  // Writes the story's site as story_export does: the same checker gate (errors ask first, as
  // --force), the same files; as a zip download, or into a folder the author picks, where it
  // replaces an earlier publish and keeps everything else (the author's own files that the site
  // would replace ask first, as --replace).
  async publish() {
    const choice = await this.publishChoice();
    if (!choice) return null;
    try {
      // Picked at once, while the dialog's button still counts as the author's act.
      const directory = choice.zip ? null : await pickDirectory();
      if (directory && (await this.holdsStory(directory))) {
        this.status(this.texts.holdsStory(directory.name));
        return null;
      }
      if (!(await this.passesGate())) {
        this.status(this.texts.notPublished);
        return null;
      }
      return await this.writeSite(choice.title, directory, choice.chosen);
    } catch (error) {
      if (error.name !== 'AbortError') this.status(this.texts.publishFailed(String(error.message || error)));
      return null;
    }
  }

  // The publish dialog's answer: {title, zip, chosen (the whole face the author chose, where the
  // checker has none)}, or null.
  async publishChoice() {
    const hasFace = await this.checker.hasFace();
    this.$('publish-face-row').hidden = hasFace;
    this.$('publish-as-folder').disabled = !canWriteFolders();
    if (!(await this.answer(this.$('publish')))) return null;
    const form = new FormData(this.$('publish').querySelector('form'));
    const picked = this.$('publish-face').files[0];
    const chosen = !hasFace && picked ? await picked.arrayBuffer() : null;
    if (!hasFace && !(chosen && isIpaPGothic(new Uint8Array(chosen)))) {
      this.status(this.texts.pickFace);
      return null;
    }
    return { title: String(form.get('title') || '').trim(), zip: form.get('as') !== 'folder', chosen };
  }

  // The checker's gate on the text as it is now: with errors, publishing goes on only when the
  // author says so (story_export's --force).
  async passesGate() {
    await this.check();
    while (this.checking) await this.checking;  // a check asked for meanwhile reads the text now
    const errors = this.lastCheck.findings.filter((finding) => finding.error).length;
    return !errors || this.confirm(this.texts.publishErrors(errors), this.texts.publishAnyway);
  }

  // Whether `directory` is the story's folder, holds it or lies in it: never a site's folder.
  async holdsStory(directory) {
    const story = this.folder.directory;
    if (!story) return false;
    return (await directory.resolve(story)) !== null || (await story.resolve(directory)) !== null;
  }

  // What putting the site of `written` (its paths) into `directory` does there, read from the
  // folder as it is now: {own (an earlier publish's files, unchanged), replaced (the author's
  // files that the site would replace)}. A name that differs from the site's only in case is
  // the same file where names are compared without case (Windows, macOS): replaced too.
  async sortFolder(directory, written) {
    const old = await readOldFolder(directory);
    const sorted = await this.checker.sortOld(old);
    if (sorted.error) throw new Error(sorted.error);
    const names = new Map([...Object.keys(old.files), ...old.folders].map((n) => [n.toLowerCase(), n]));
    for (const path of written) {
      const there = names.get(path.toLowerCase());
      if (there && there !== path && !sorted.own.includes(there) && !sorted.replaced.includes(there)) {
        sorted.replaced.push(there);
      }
    }
    return sorted;
  }

  // Puts the published site into `directory`: the author's files it would replace only on their
  // word, asked again if the folder changed while the question was open; then the earlier
  // publish's files that the new site has no more removed. False when the author said no
  // (nothing is then written).
  async intoFolder(directory, answer) {
    let confirmed = [];
    for (;;) {
      const { own, replaced } = await this.sortFolder(directory, answer.written);
      const asked = replaced.filter((path) => !confirmed.includes(path));
      if (!asked.length) return this.putSite(directory, answer, own, replaced);
      const listed = asked.slice(0, 8).join(', ') + (asked.length > 8 ? ', …' : '');
      if (!(await this.confirm(this.texts.publishReplaces(directory.name, listed), this.texts.publishReplace))) {
        this.status(this.texts.notPublished);
        return false;
      }
      confirmed = replaced;
    }
  }

  async putSite(directory, answer, own, replaced) {
    // What a site file does not simply overwrite (a name in another case, a file where the site
    // has a folder) goes, with the author's word, just before that file is written.
    let blocking = replaced.filter((p) => !answer.written.includes(p));
    const blocks = (entry, path) => path.toLowerCase() === entry.toLowerCase()
      || path.toLowerCase().startsWith(`${entry.toLowerCase()}/`);
    for (const [path, bytes] of answer.files) {
      for (const entry of blocking.filter((e) => blocks(e, path))) {
        await removeAt(directory, entry, { recursive: true });
      }
      blocking = blocking.filter((e) => !blocks(e, path));
      await writeAt(directory, path, bytes);
    }
    for (const path of own.filter((p) => !answer.written.includes(p))) await removeAt(directory, path);
    return true;
  }

  async writeSite(title, directory, chosen) {
    this.status(this.texts.publishing);
    // Fetched (or decoded from the one file) on the first publish only.
    this.publishParts ||= Promise.all([
      wasmBytes(this.doc, 'publish-kit', 'studio/publish-kit.bin'),
      wasmBytes(this.doc, 'harfbuzz-subset', 'studio/harfbuzz-subset.wasm')]);
    const [kit, harfbuzz] = await this.publishParts.catch((error) => {
      this.publishParts = null;
      throw error;
    });
    const { playerWasm } = this;
    const started = performance.now();
    const answer = await this.checker.publish({
      files: Object.fromEntries(this.playFiles()), kit, playerWasm, chosen, harfbuzz, title, zip: !directory });
    if (answer.error) throw new Error(answer.error);
    const name = directory ? directory.name : `${this.folder.name || 'story'}-site.zip`;
    if (directory) {
      if (!(await this.intoFolder(directory, answer))) return null;
    } else {
      download(this.doc, name, answer.bytes);
    }
    window.lastPublish = { milliseconds: performance.now() - started, inWorker: answer.milliseconds };
    this.status((directory ? this.texts.published : this.texts.zipSaved)(name));
    this.doc.body.dataset.published = String(Number(this.doc.body.dataset.published || 0) + 1);
    return answer;
  }
}

window.studio = new Studio(document);
window.studio.boot().catch((error) => {
  document.body.dataset.failed = String(error && error.stack ? error.stack : error);
  window.studio.status(String(error));
});
