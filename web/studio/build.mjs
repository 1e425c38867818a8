// Bundles the studio at build time:
//   node build.mjs MODULE_DIR OUT_DIR SINGLE_FILE PAGE_DIR PLAYER_MODULE_DIR FACE LICENCE
//   MODULE_DIR   the built luxarim.js/.wasm (the player) and luxarim_studio.js/.wasm (the checker)
//   OUT_DIR      gets studio.html and studio/ (the page's script and style, the checker's wasm,
//                the publish kit, HarfBuzz's subsetter and the whole face), served beside the
//                player's site (its luxarim.wasm and fonts/)
//   SINGLE_FILE  the same studio as one HTML file: scripts, styles, both modules, the publish kit
//                and the subsetter inlined, the worker started from a blob, for opening from the
//                disk (without the whole face: publishing there asks for it)
//   PAGE_DIR, PLAYER_MODULE_DIR  the player's files as story_export takes them (its page, and
//                its module with the icons); FACE, LICENCE  the face a site's font is cut from and
//                its licence
import { build } from 'esbuild';
import { copyFile, mkdir, readdir, readFile, writeFile } from 'node:fs/promises';
import { dirname, join, relative, resolve } from 'node:path';
import { LICENCE, MODULE_WASM, packKit } from './src/publish_kit.js';

const here = dirname(new URL(import.meta.url).pathname);
const [moduleDir, outDir, singleFile, pageDir, playerModuleDir, face, licence] =
  process.argv.slice(2).map((path) => resolve(path));
if (!licence) {
  console.error('usage: node build.mjs MODULE_DIR OUT_DIR SINGLE_FILE PAGE_DIR PLAYER_MODULE_DIR FACE LICENCE');
  process.exit(2);
}

// Node's modules, which the Emscripten output names only on its Node path.
const NODE_ONLY = ['fs', 'path', 'crypto', 'url', 'module', 'worker_threads', 'perf_hooks'];

// The modules' factories come from the build; the player's dynamic import of its own module is
// never taken in the studio (the studio makes the module itself).
function modules() {
  return {
    name: 'modules',
    setup(b) {
      b.onResolve({ filter: /^luxarim-module$/ }, () => ({ path: join(moduleDir, 'luxarim.js') }));
      b.onResolve({ filter: /^luxarim-studio-module$/ },
        () => ({ path: join(moduleDir, 'luxarim_studio.js') }));
      b.onResolve({ filter: /^\.\/luxarim\.js$/ }, (args) =>
        (args.importer.endsWith('player.js') ? { path: './luxarim.js', external: true } : undefined));
    },
  };
}

const common = { bundle: true, minify: true, logLevel: 'warning', external: NODE_ONLY,
  loader: { '.txt': 'text' },
  target: ['chrome100', 'firefox100', 'safari15'], legalComments: 'none' };

async function bundleWorker() {
  const result = await build({ ...common, entryPoints: [join(here, 'src/worker.js')],
    format: 'iife', write: false, plugins: [modules()],
    // A classic worker has no module address; the wasm arrives as bytes, never by its address.
    define: { 'import.meta.url': JSON.stringify('https://studio.invalid/worker.js') } });
  return result.outputFiles[0].text;
}

async function bundlePage(workerSource) {
  const source = {
    name: 'worker-source',
    setup(b) {
      b.onResolve({ filter: /^studio-worker-source$/ }, () => ({ path: 'worker', namespace: 'ws' }));
      b.onLoad({ filter: /.*/, namespace: 'ws' }, () => ({
        contents: `export default ${JSON.stringify(workerSource)};`, loader: 'js' }));
    },
  };
  const result = await build({ ...common, entryPoints: [join(here, 'src/main.js')], format: 'esm',
    write: false, plugins: [modules(), source] });
  return result.outputFiles[0].text;
}

// The element with id `id` in `html`, from its start tag to its end tag (same-named elements
// inside it counted), or to the start tag's end for an element without content.
function elementById(html, id) {
  const start = html.search(new RegExp(`<([a-z]+)[^>]*\\sid="${id}"`));
  if (start < 0) throw new Error(`the player's index.html has no #${id}`);
  const tag = /^<([a-z]+)/.exec(html.slice(start))[1];
  if (['input', 'img', 'br'].includes(tag)) return html.slice(start, html.indexOf('>', start) + 1);
  const tags = new RegExp(`<(/?)${tag}\\b[^>]*>`, 'g');
  tags.lastIndex = start;
  for (let depth = 0, match; (match = tags.exec(html));) {
    depth += match[1] ? -1 : 1;
    if (depth === 0) return html.slice(start, tags.lastIndex);
  }
  throw new Error(`#${id} is not closed in the player's index.html`);
}

// The player's own markup that its script drives: the stage, the live regions, the message
// dialog, and its folder input (unused in the studio, hidden).
function playerMarkup(index) {
  const folderInput = elementById(index, 'open-folder').replace(/>$/, ' hidden>');
  return {
    stage: ['stage', 'page-text', 'move-notice'].map((id) => elementById(index, id)).join('\n')
      + `\n${folderInput}`,
    dialog: elementById(index, 'message'),
  };
}

// The player's files under `folder` as [site path, bytes]; the site writer leaves out the rest of
// what it leaves out of every site (package files, the studio's built page).
async function playerFiles(folder, top = folder) {
  const found = [];
  for (const entry of await readdir(folder, { withFileTypes: true })) {
    if (entry.name.startsWith('.') || ['tests', 'node_modules', 'studio'].includes(entry.name)) continue;
    const path = join(folder, entry.name);
    if (entry.isDirectory()) found.push(...await playerFiles(path, top));
    else if (entry.isFile()) found.push([relative(top, path).split('\\').join('/'), await readFile(path)]);
  }
  return found;
}

// The kit a site is published from: the page's files, then the module's (a file in both comes
// from the module, as story_export takes it) but the compiled module itself, and the face's
// licence.
async function publishKit() {
  const files = new Map([...await playerFiles(pageDir), ...await playerFiles(playerModuleDir)]);
  files.delete(MODULE_WASM);
  return packKit([...files].sort(([a], [b]) => (a < b ? -1 : 1))
    .concat([[LICENCE, await readFile(licence)]]));
}

const subsetterWasm = join(here, 'node_modules/harfbuzzjs/dist/harfbuzz-subset.wasm');

// Base64 text safe inside a <script> element.
const inlineData = (id, bytes) =>
  `<script type="application/octet-stream" id="${id}">${Buffer.from(bytes).toString('base64')}</script>`;

async function main() {
  const [studioPage, style, playerStyle, index] = await Promise.all([
    readFile(join(here, 'studio.html'), 'utf8'), readFile(join(here, 'studio.css'), 'utf8'),
    readFile(join(here, '../style.css'), 'utf8'), readFile(join(here, '../index.html'), 'utf8')]);
  const player = playerMarkup(index);
  const template = studioPage.replace('{{PLAYER}}', () => player.stage)
    .replace('{{PLAYER_DIALOG}}', () => player.dialog);
  const page = await bundlePage(await bundleWorker());
  await mkdir(join(outDir, 'studio'), { recursive: true });
  await writeFile(join(outDir, 'studio/studio.js'), page);
  await writeFile(join(outDir, 'studio/studio.css'), style);
  await copyFile(join(moduleDir, 'luxarim_studio.wasm'), join(outDir, 'studio/luxarim_studio.wasm'));
  const kit = await publishKit();
  await writeFile(join(outDir, 'studio/publish-kit.bin'), kit);
  await copyFile(subsetterWasm, join(outDir, 'studio/harfbuzz-subset.wasm'));
  await copyFile(face, join(outDir, 'studio/face.ttf'));
  const served = template
    .replace('{{STYLE}}', '<link rel="stylesheet" href="style.css"><link rel="stylesheet" href="studio/studio.css">')
    .replace('{{SCRIPT}}', '<script type="module" src="studio/studio.js"></script>')
    .replace('{{DATA}}', '');
  await writeFile(join(outDir, 'studio.html'), served);
  const [playerWasm, studioWasm, subsetter] = await Promise.all([
    readFile(join(moduleDir, 'luxarim.wasm')), readFile(join(moduleDir, 'luxarim_studio.wasm')),
    readFile(subsetterWasm)]);
  // The bundled portrait and sounds (every file of dat/ but the story), for a new story opened
  // from the disk.
  const datDir = join(here, '../../dat');
  const bundled = (await readdir(datDir)).filter((name) => name !== 'story.txt').sort();
  const dat = await Promise.all(bundled.map(async (name) =>
    inlineData(`dat-${name}`, await readFile(join(datDir, name)))));
  // The page's script may hold "</script": escaped where it would end the inline element.
  const inlineScript = page.replaceAll('</script', '<\\/script');
  const single = template
    .replace('{{STYLE}}', () => `<style>${playerStyle}\n${style}</style>`)
    .replace('{{SCRIPT}}', () => `<script type="module">${inlineScript}</script>`)
    .replace('{{DATA}}', () => inlineData('player-wasm', playerWasm) + inlineData('studio-wasm', studioWasm)
      + inlineData('publish-kit', kit) + inlineData('harfbuzz-subset', subsetter)
      + dat.join(''));
  await writeFile(singleFile, single);
}

await main();
