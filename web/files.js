// The story folder's files, from the server beside the page or from the player's own disk. Their
// names and the rule that picks the folder holding the story come from the module (storyFormat),
// as the game and the checker have them. A file that is not there is left out: the game then says
// what it says on the desktop.

// What the module says of the story folder: the game's paths of its files ('dat/story.txt', ...,
// the story first), the game's folder and the files' names in it, and `inDat(folderHasStory,
// datHasStory)`: whether the story of a folder the player picks lies in its dat/ folder.
export function storyFormat(module) {
  const paths = module.UTF8ToString(module._story_file_names()).split('\n');
  const [folder] = paths[0].split('/');
  const names = paths.map((path) => path.slice(folder.length + 1));
  return {
    paths,
    folder,
    names,
    story: names[0],
    inDat: (folderHasStory, datHasStory) =>
      module._story_in_dat_folder(folderHasStory ? 1 : 0, datHasStory ? 1 : 0) === 1,
  };
}

async function fetchOne(base, path) {
  try {
    const response = await fetch(new URL(path, base), { cache: 'no-cache' });
    return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
  } catch {
    return null;
  }
}

async function readAll(format, fileOf) {
  const entries = await Promise.all(format.names.map(async (name) => {
    const file = await fileOf(name);
    return [name, file ? new Uint8Array(await file.arrayBuffer()) : null];
  }));
  return new Map(entries);
}

// The story folder beside `base` (the page's address): name → bytes, or null when missing.
export async function fetchStory(base, format) {
  const bytes = await Promise.all(format.paths.map((path) => fetchOne(base, path)));
  return new Map(format.names.map((name, i) => [name, bytes[i]]));
}

// The story folder among picked files: the chosen folder itself, or its dat/ (format.inDat).
export async function readPicked(fileList, format) {
  const byPath = new Map();
  for (const file of fileList) {
    const parts = (file.webkitRelativePath || file.name).split('/');
    byPath.set(parts.slice(1).join('/') || parts[0], file);
  }
  const inDat = format.inDat(byPath.has(format.story),
    byPath.has(`${format.folder}/${format.story}`));
  const prefix = inDat ? `${format.folder}/` : '';
  return readAll(format, (name) => byPath.get(prefix + name));
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

// The story folder from a dropped folder: the folder itself, or its dat/ (format.inDat).
export async function readDropped(dataTransfer, format) {
  const items = [...(dataTransfer.items || [])];
  const entry = items.map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry())
    .find((e) => e && e.isDirectory);
  if (!entry) return null;
  const dat = await subdirectory(entry, format.folder);
  const folderHasStory = Boolean(await entryFile(entry, format.story));
  const datHasStory = Boolean(dat && await entryFile(dat, format.story));
  const folder = format.inDat(folderHasStory, datHasStory) ? dat : entry;
  return readAll(format, (name) => entryFile(folder, name));
}
