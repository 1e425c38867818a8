// The story folder's seven files, from the server beside the page or from the player's own disk.
// A file that is not there is left out: the game then says what it says on the desktop.

export const STORY_FILES = [
  'story.txt', 'a0.bmp', 'a1.bmp', 'a2.bmp', 'a3.bmp', 'a4.bmp', 'a5.bmp', 'up.wav', 'suka.wav',
];

async function fetchOne(base, name) {
  try {
    const response = await fetch(new URL(`dat/${name}`, base), { cache: 'no-cache' });
    return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
  } catch {
    return null;
  }
}

// The files of dat/ beside `base` (the page's address): name → bytes, or null when missing.
export async function fetchStory(base) {
  const bytes = await Promise.all(STORY_FILES.map((name) => fetchOne(base, name)));
  return new Map(STORY_FILES.map((name, i) => [name, bytes[i]]));
}

// The story folder among picked files: the chosen folder itself, or its dat/ when it has one.
export async function readPicked(fileList) {
  const byPath = new Map();
  for (const file of fileList) {
    const parts = (file.webkitRelativePath || file.name).split('/');
    byPath.set(parts.slice(1).join('/') || parts[0], file);
  }
  const prefix = [...byPath.keys()].some((path) => path.startsWith('dat/')) ? 'dat/' : '';
  const entries = await Promise.all(STORY_FILES.map(async (name) => {
    const file = byPath.get(prefix + name);
    return [name, file ? new Uint8Array(await file.arrayBuffer()) : null];
  }));
  return new Map(entries);
}

function entryFile(directory, name) {
  return new Promise((resolve) => {
    directory.getFile(name, {}, (entry) => entry.file(resolve, () => resolve(null)),
      () => resolve(null));
  });
}

function subdirectory(directory, name) {
  return new Promise((resolve) => directory.getDirectory(name, {}, resolve, () => resolve(null)));
}

// The story folder from a dropped folder (or the folder that holds its dat/).
export async function readDropped(dataTransfer) {
  const items = [...(dataTransfer.items || [])];
  const entry = items.map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry())
    .find((e) => e && e.isDirectory);
  if (!entry) return null;
  const folder = (await subdirectory(entry, 'dat')) || entry;
  const entries = await Promise.all(STORY_FILES.map(async (name) => {
    const file = await entryFile(folder, name);
    return [name, file ? new Uint8Array(await file.arrayBuffer()) : null];
  }));
  return new Map(entries);
}
