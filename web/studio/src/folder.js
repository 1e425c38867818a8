// The story folder on the author's disk. With the File System Access API (Chromium, Edge) the
// author picks the folder and the studio reads and writes it in place; elsewhere a folder picker
// reads it and saving downloads the file. The story folder is the folder itself, or its dat/
// when the folder holds no story.txt of its own and dat/story.txt is there.
import { readPicked, STORY_FILES } from '../../files.js';

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
export async function storyDirectory(directory) {
  if (await fileBytes(directory, 'story.txt')) return directory;
  const dat = await subfolder(directory, 'dat');
  return dat && (await fileBytes(dat, 'story.txt')) ? dat : directory;
}

// {name, directory, files}: the folder's files (name -> bytes, or null when missing).
export async function readDirectory(picked) {
  const directory = await storyDirectory(picked);
  const bytes = await Promise.all(STORY_FILES.map((name) => fileBytes(directory, name)));
  return { name: picked.name, directory, files: new Map(STORY_FILES.map((n, i) => [n, bytes[i]])) };
}

// A folder from the fallback picker (an <input webkitdirectory>): read-only.
export async function readFileList(fileList) {
  const first = fileList[0];
  const name = first ? (first.webkitRelativePath || first.name).split('/')[0] : '';
  return { name, directory: null, files: await readPicked(fileList) };
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

// Saves by download where the folder cannot be written.
export function download(doc, name, bytes) {
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const link = Object.assign(doc.createElement('a'), { href: url, download: name });
  doc.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}
