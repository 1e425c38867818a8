// The story folder on the author's disk. With the File System Access API (Chromium, Edge) the
// author picks the folder and the studio reads and writes it in place; elsewhere a folder picker
// reads it and saving downloads the file. Which folder holds the story (the folder itself or its
// dat/) and the files' names come from the module, as the player and the checker have them
// (`format`: storyFormat).
import { readPicked } from '../../files.js';

async function fileBytes(directory, name) {
  try {
    const file = await (await directory.getFileHandle(name)).getFile();
    return new Uint8Array(await file.arrayBuffer());
  } catch {
    return null;
  }
}

async function subfolder(directory, name) {
  try {
    return await directory.getDirectoryHandle(name);
  } catch {
    return null;
  }
}

// The story folder a picked directory stands for.
export async function storyDirectory(directory, format) {
  const dat = await subfolder(directory, format.folder);
  const folderHasStory = Boolean(await fileBytes(directory, format.story));
  const datHasStory = Boolean(dat && (await fileBytes(dat, format.story)));
  return format.inDat(folderHasStory, datHasStory) ? dat : directory;
}

// {name, directory, files}: the folder's files (name -> bytes, or null when missing).
export async function readDirectory(picked, format) {
  const directory = await storyDirectory(picked, format);
  const bytes = await Promise.all(format.names.map((name) => fileBytes(directory, name)));
  return { name: picked.name, directory, files: new Map(format.names.map((n, i) => [n, bytes[i]])) };
}

// A folder from the fallback picker (an <input webkitdirectory>): read-only.
export async function readFileList(fileList, format) {
  const first = fileList[0];
  const name = first ? (first.webkitRelativePath || first.name).split('/')[0] : '';
  return { name, directory: null, files: await readPicked(fileList, format) };
}

export const canWriteFolders = () => typeof window.showDirectoryPicker === 'function';

export async function pickDirectory() {
  return window.showDirectoryPicker({ id: 'story', mode: 'readwrite' });
}

// Writes the whole file or nothing: the browser writes to a file of its own beside it and puts it
// in place only when the stream closes; a failure before then leaves the file as it was.
export async function writeWhole(directory, name, bytes) {
  const handle = await directory.getFileHandle(name, { create: true });
  const stream = await handle.createWritable({ keepExistingData: false });
  try {
    await stream.write(bytes);
    await stream.close();
  } catch (error) {
    await stream.abort().catch(() => {});
    throw error;
  }
}

// Which of `names` `directory` holds already.
export async function heldNames(directory, names) {
  const held = await Promise.all(names.map((name) => directory.getFileHandle(name).then(() => true, () => false)));
  return names.filter((name, i) => held[i]);
}

// The names an earlier publish listed in its record (`.story_export`: "crc size name" lines).
export function listedNames(record) {
  const lines = new TextDecoder().decode(record).split('\n').slice(1);
  return new Set(lines.map((line) => line.split(' ').slice(2).join(' ')).filter(Boolean));
}

// A folder chosen to publish into, as publishing needs to see it (the site writer's rules, which
// decide what it may replace, read it): {folders, files}, every folder and file by its path
// ('/' between names), and the bytes of the record and of the files it lists (null for the
// others, whose names alone count).
export async function readOldFolder(directory, record = '.story_export') {
  const folders = [];
  const files = {};
  const walk = async (folder, prefix) => {
    for await (const [name, handle] of folder.entries()) {
      if (handle.kind === 'directory') {
        folders.push(prefix + name);
        await walk(handle, `${prefix}${name}/`);
      } else {
        files[prefix + name] = null;
      }
    }
  };
  await walk(directory, '');
  if (!(record in files)) return { folders, files };
  files[record] = new Uint8Array(await (await (await directory.getFileHandle(record)).getFile()).arrayBuffer());
  for (const name of listedNames(files[record])) {
    if (name in files) files[name] = await bytesAt(directory, name);
  }
  return { folders, files };
}

// The folder that holds `path` ('/' between names) under `directory`, made when `make`.
async function parentOf(directory, path, make) {
  let folder = directory;
  for (const part of path.split('/').slice(0, -1)) folder = await folder.getDirectoryHandle(part, { create: make });
  return folder;
}

async function bytesAt(directory, path) {
  const file = await (await (await parentOf(directory, path, false)).getFileHandle(path.split('/').pop())).getFile();
  return new Uint8Array(await file.arrayBuffer());
}

// Removes the entry at `path` under `directory` (with `recursive`, a folder and all it holds).
export async function removeAt(directory, path, options = {}) {
  await (await parentOf(directory, path, false)).removeEntry(path.split('/').pop(), options);
}

// Writes the whole file at `path` ('/' between folders) under `directory`, making its folders.
export async function writeAt(directory, path, bytes) {
  await writeWhole(await parentOf(directory, path, true), path.split('/').pop(), bytes);
}

// Saves by download where the folder cannot be written.
export function download(doc, name, bytes) {
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const link = Object.assign(doc.createElement('a'), { href: url, download: name });
  doc.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}
