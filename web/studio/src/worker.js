// The studio's worker: the checker's module (luxarim_studio), answering the page's requests so
// that the editor never waits for a check. Requests: {id, op, args}; answers: {id, result} or
// {id, error}.
import createStudio from 'luxarim-studio-module';
import { deflateRaw } from 'pako';
import { storyFormat } from '../../files.js';
import { pictureLayout, SITE_FACE, textFont } from '../../picture.js';
import { cutFont, loadSubsetter } from './font_cut.js';
import { LICENCE, MODULE_WASM, unpackKit } from './publish_kit.js';
import { layOut } from './story_map.js';

let module = null;
let format = null;  // the story folder's, from the module
let font = null;    // the page's lines', from the module's picture layout
let context = null;
let subsetter = null;  // HarfBuzz's, made on the first publish
let face = null;       // the whole face (bytes), where the page has one beside it
let faceReady = Promise.resolve();  // settles once the face is read and drawn with, or cannot be

// The whole face the game's lines are drawn with, so that the checker measures them as the
// player draws them (a computer without it would measure with another font), and the face a
// published site's font is cut from.
async function loadFace(url) {
  try {
    const response = await fetch(url);
    if (!response.ok) return;
    const bytes = await response.arrayBuffer();
    const loaded = await new FontFace(SITE_FACE, bytes).load();
    self.fonts.add(loaded);
    context = null;
    face = bytes;
  } catch {
    // no face: the lines are measured with the fonts the computer has
  }
}

// The width of a page line as the game draws it, for the checker's line widths.
function lineWidth(text) {
  if (!context) {
    context = new OffscreenCanvas(1, 1).getContext('2d');
    context.font = font;
  }
  return Math.round(context.measureText(text).width);
}

function withBytes(bytes, use) {
  const pointer = module._malloc(Math.max(bytes.length, 1));
  module.HEAPU8.set(bytes, pointer);
  try {
    return use(pointer, bytes.length);
  } finally {
    module._free(pointer);
  }
}

// The story folder's files that changed (name -> bytes, or null for one no longer there) into the
// module's /dat, where the checker and the site writer read the folder; the others stay.
function writeFolder(files) {
  for (const name of format.names.filter((n) => n in files)) {
    const path = `/${format.folder}/${name}`;
    try {
      module.FS.unlink(path);
    } catch {
      // not there
    }
    if (files[name]) module.FS.writeFile(path, files[name]);
  }
}

// Makes the folder `path` of the module's file system, with the folders above it.
function makeFolder(path) {
  const parts = path.split('/').filter(Boolean);
  for (let i = 1; i <= parts.length; ++i) {
    const folder = `/${parts.slice(0, i).join('/')}`;
    if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
  }
}

// Writes `bytes` at `path` of the module's file system, with the folders it needs.
function writeMade(path, bytes) {
  makeFolder(path.slice(0, path.lastIndexOf('/')));
  module.FS.writeFile(path, bytes);
}

// Removes the folder `path` of the module's file system with all it holds, if it is there.
function removeTree(path) {
  if (!module.FS.analyzePath(path).exists) return;
  for (const name of module.FS.readdir(path).filter((n) => n !== '.' && n !== '..')) {
    const child = `${path}/${name}`;
    if (module.FS.isDir(module.FS.stat(child).mode)) removeTree(child);
    else module.FS.unlink(child);
  }
  module.FS.rmdir(path);
}

// The chosen folder as the page read it (folder.js readOldFolder) at /publish/old.
function writeOldFolder({ folders, files }) {
  removeTree('/publish/old');
  makeFolder('/publish/old');
  for (const folder of folders) makeFolder(`/publish/old/${folder}`);
  for (const [path, bytes] of Object.entries(files)) writeMade(`/publish/old/${path}`, bytes || new Uint8Array());
}

// A tiny story checked and planned once at start, so that the module's code is compiled before
// the author's first check waits for it (a first run costs several times a later one).
const WARM_UP = new TextEncoder().encode('@start\r\ntext\r\n\r\n#trap @x\r\n#goto @start\r\n@x\r\n#end\r\n');
function warmUp() {
  const story = `/${format.folder}/${format.story}`;
  module.FS.writeFile(story, WARM_UP);
  module._studio_check(1);
  withBytes(WARM_UP, (o, size) => module._studio_plan_save(o, size, o, size, 0, 1));
  module.FS.unlink(story);
}

const savedBytes = () => {
  const at = module._studio_saved_bytes();
  return module.HEAPU8.slice(at, at + module._studio_saved_size());
};

const utf8 = new TextDecoder('utf-8');
const encoder = new TextEncoder();
const result = (pointer) =>
  utf8.decode(module.HEAPU8.slice(pointer, pointer + module._studio_result_size()));

// The layout's recursion and time grow with the pages: a larger map is left undrawn, and a
// layout that fails leaves the map out, never the findings.
const MAP_PAGES = 400;
function layOutOrSkip(map) {
  if (!map) return null;
  const pages = map.nodes.filter((node) => node.kind === 'page' || node.kind === 'answer').length;
  if (pages > MAP_PAGES) return { skipped: pages };
  try {
    return layOut(map);
  } catch (error) {
    return { skipped: pages, error: String(error) };
  }
}

const ops = {
  // Starts reading the whole face at `url`; the checks and the publishing wait for it.
  loadFace(url) {
    faceReady = loadFace(url);
    return true;
  },

  async init(wasmBinary) {
    module = await createStudio({
      wasmBinary,
      studioLineWidth: lineWidth,
      studioCutFont: (font, text) => cutFont(subsetter, font, text),
      // zlib's deflate as story_export runs it (level 9, memory level 9): the same bytes.
      studioDeflate: (bytes) => deflateRaw(bytes, { level: 9, memLevel: 9 }),
    });
    format = storyFormat(module);
    font = textFont(pictureLayout(module));
    module.FS.mkdir(`/${format.folder}`);
    warmUp();
    return true;
  },

  // Whether the worker has the whole face a site's font is cut from.
  async hasFace() {
    await faceReady;
    return Boolean(face);
  },

  editorText(bytes) {
    return withBytes(bytes, (pointer, size) => result(module._studio_editor_text(pointer, size)));
  },

  planSave(original, edited, confirmed, japanese) {
    const plan = withBytes(original, (o, oSize) => withBytes(encoder.encode(edited),
      (e, eSize) => JSON.parse(result(module._studio_plan_save(o, oSize, e, eSize,
        confirmed ? 1 : 0, japanese ? 1 : 0)))));
    if (plan.outcome === 'write') plan.bytes = savedBytes();
    return plan;
  },

  // A picture the page decoded (RGBA, top row first) as the 24-bit bitmap file the game reads,
  // or null when its size is one the game's reader refuses.
  frameBmp(rgba, width, height) {
    const made = withBytes(rgba, (pointer) => module._studio_frame_bmp(pointer, width, height));
    if (made !== 0) return null;
    return { bytes: savedBytes() };
  },

  // The map's layout, asked for after the findings are shown.
  layOut(map) {
    const started = performance.now();
    const laid = layOutOrSkip(map);
    if (laid) laid.milliseconds = performance.now() - started;
    return laid;
  },

  // The check of the folder `files` (name -> bytes or null), story.txt as the editor holds it.
  async check(files, japanese) {
    writeFolder(files);
    await faceReady;
    const started = performance.now();
    const answer = JSON.parse(result(module._studio_check(japanese ? 1 : 0)));
    answer.milliseconds = performance.now() - started;
    return answer;
  },

  // The site of the folder `files` as story_export writes it, from the player's files and the
  // face's licence in `kit` (publish_kit.js), the player's compiled module `playerWasm`, the whole
  // face (the worker's, else `chosen`) and HarfBuzz's subsetter `harfbuzz` (bytes): with `zip`
  // {bytes} (the archive), else {files: [[path, bytes]]}; or {error}.
  async publish({ files, kit, playerWasm, chosen, harfbuzz, title, zip }) {
    writeFolder(files);
    await faceReady;
    const started = performance.now();
    subsetter = loadSubsetter(harfbuzz);
    for (const [name, bytes] of unpackKit(new Uint8Array(kit))) {
      writeMade(name === LICENCE ? '/publish/licence' : `/publish/player/${name}`, bytes);
    }
    writeMade(`/publish/player/${MODULE_WASM}`, new Uint8Array(playerWasm));
    writeMade('/publish/face.ttf', new Uint8Array(face || chosen));
    const answer = withBytes(encoder.encode(`${title}\0`),
      (pointer) => JSON.parse(result(module._studio_publish(pointer, zip ? 1 : 0))));
    if (answer.error) return answer;
    if (zip) answer.bytes = savedBytes();
    else answer.files = answer.written.map((path) => [path, module.FS.readFile(`/publish/site/${path}`)]);
    answer.milliseconds = performance.now() - started;
    return answer;
  },

  // What publishing the last published site into the chosen folder `old` (folder.js
  // readOldFolder) does there: {own, replaced} (studio_sort_old_folder), or {error}.
  sortOld(old) {
    writeOldFolder(old);
    return JSON.parse(result(module._studio_sort_old_folder()));
  },

  // The folder `files` (name -> bytes or null) as one zip archive: {bytes}.
  zipFolder(files) {
    writeFolder(files);
    const made = withBytes(encoder.encode(`/${format.folder}\0`),
      (pointer) => module._studio_zip_folder(pointer));
    return made === 0 ? { bytes: savedBytes() } : null;
  },
};

async function answer(data) {
  try {
    const answered = await ops[data.op](...data.args);
    const transfer = answered && answered.bytes ? [answered.bytes.buffer] : [];
    self.postMessage({ id: data.id, result: answered }, transfer);
  } catch (error) {
    self.postMessage({ id: data.id, error: String(error && error.stack ? error.stack : error) });
  }
}

// Requests are answered one after another, in the order sent: each writes the files that changed
// since the one before (checker_client.js), so none may overtake another.
let queue = Promise.resolve();
self.onmessage = ({ data }) => {
  queue = queue.then(() => answer(data));
};
