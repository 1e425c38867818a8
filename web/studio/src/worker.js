// The studio's worker: the checker's module (luxarim_studio), answering the page's requests so
// that the editor never waits for a check. Requests: {id, op, args}; answers: {id, result} or
// {id, error}.
import createStudio from 'luxarim-studio-module';
import { deflateRaw } from 'pako';
import { storyFormat } from '../../files.js';
import { pictureLayout, textFont } from '../../picture.js';
import { cutFont, loadSubsetter } from './font_cut.js';
import { LICENCE, MODULE_WASM, unpackKit } from './publish_kit.js';
import { layOut } from './story_map.js';

let module = null;
let format = null;  // the story folder's, from the module
let font = null;    // the page's lines', from the module's picture layout
let context = null;
let subsetter = null;  // HarfBuzz's, made on the first publish

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

// The story folder `files` (name -> bytes or null) in the module's /dat, as the checker and the
// site writer read it.
function writeFolder(files) {
  for (const name of format.names) {
    const path = `/${format.folder}/${name}`;
    try {
      module.FS.unlink(path);
    } catch {
      // not there
    }
    if (files[name]) module.FS.writeFile(path, files[name]);
  }
}

// Writes `bytes` at `path` of the module's file system, with the folders it needs.
function writeMade(path, bytes) {
  const parts = path.split('/').filter(Boolean);
  for (let i = 1; i < parts.length; ++i) {
    try {
      module.FS.mkdir(`/${parts.slice(0, i).join('/')}`);
    } catch {
      // there already
    }
  }
  module.FS.writeFile(path, bytes);
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
    return true;
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
  check(files, japanese) {
    writeFolder(files);
    const started = performance.now();
    const answer = JSON.parse(result(module._studio_check(japanese ? 1 : 0)));
    answer.milliseconds = performance.now() - started;
    return answer;
  },

  // The site of the folder `files` as story_export writes it, from the player's files and the
  // face's licence in `kit` (publish_kit.js), the player's compiled module `playerWasm`, the whole
  // face `face` and HarfBuzz's subsetter `harfbuzz` (bytes): with `zip` {bytes} (the archive),
  // else {files: [[path, bytes]]}; or {error}.
  publish({ files, kit, playerWasm, face, harfbuzz, title, zip }) {
    const started = performance.now();
    subsetter = loadSubsetter(harfbuzz);
    writeFolder(files);
    for (const [name, bytes] of unpackKit(new Uint8Array(kit))) {
      writeMade(name === LICENCE ? '/publish/licence' : `/publish/player/${name}`, bytes);
    }
    writeMade(`/publish/player/${MODULE_WASM}`, new Uint8Array(playerWasm));
    writeMade('/publish/face.ttf', new Uint8Array(face));
    const answer = withBytes(encoder.encode(`${title}\0`),
      (pointer) => JSON.parse(result(module._studio_publish(pointer, zip ? 1 : 0))));
    if (answer.error) return answer;
    if (zip) answer.bytes = savedBytes();
    else answer.files = answer.written.map((path) => [path, module.FS.readFile(`/publish/site/${path}`)]);
    answer.milliseconds = performance.now() - started;
    return answer;
  },

  // The folder `files` (name -> bytes or null) as one zip archive: {bytes}.
  zipFolder(files) {
    writeFolder(files);
    const made = withBytes(encoder.encode(`/${format.folder}\0`),
      (pointer) => module._studio_zip_folder(pointer));
    return made === 0 ? { bytes: savedBytes() } : null;
  },
};

self.onmessage = async ({ data }) => {
  try {
    const answer = await ops[data.op](...data.args);
    const transfer = answer && answer.bytes ? [answer.bytes.buffer] : [];
    self.postMessage({ id: data.id, result: answer }, transfer);
  } catch (error) {
    self.postMessage({ id: data.id, error: String(error && error.stack ? error.stack : error) });
  }
};
