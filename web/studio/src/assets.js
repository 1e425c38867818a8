// The story folder's frames and sounds, each shown (a picture, a player) with the checker's
// findings about it, or as missing.

const urls = new WeakMap();  // bytes -> their object URL, made once

function urlOf(bytes, type) {
  if (!urls.has(bytes)) urls.set(bytes, URL.createObjectURL(new Blob([bytes], { type })));
  return urls.get(bytes);
}

function media(doc, name, bytes) {
  if (name.endsWith('.bmp')) {
    return Object.assign(doc.createElement('img'), { src: urlOf(bytes, 'image/bmp'), alt: name });
  }
  return Object.assign(doc.createElement('audio'), { src: urlOf(bytes, 'audio/wav'), controls: true });
}

// `files`: name -> bytes or null; `findings`: the checker's; `missing`: the word for a file that
// is not there; `format`: the story folder's (storyFormat).
// Shown anew only when a file or its findings changed: a pause in typing leaves the pictures
// and a sound that is playing as they are.
const shown = new WeakMap();  // holder -> what it shows: the files' bytes and the findings' texts

export function showAssets(holder, files, findings, missing, format) {
  const names = format.names.filter((name) => name !== format.story);
  const now = { bytes: names.map((name) => files.get(name)),
    texts: findings.filter((f) => names.includes(f.file)).map((f) => f.text).join('\n') };
  const before = shown.get(holder);
  if (before && before.texts === now.texts && before.bytes.every((b, i) => b === now.bytes[i])) return;
  shown.set(holder, now);
  const doc = holder.ownerDocument;
  const figures = names.map((name) => {
    const figure = doc.createElement('figure');
    figure.className = 'asset';
    figure.dataset.file = name;
    const bytes = files.get(name);
    if (bytes) figure.append(media(doc, name, bytes));
    const caption = doc.createElement('figcaption');
    caption.textContent = bytes ? name : `${name} (${missing})`;
    for (const finding of findings.filter((f) => f.file === name)) {
      const line = doc.createElement('span');
      line.className = finding.error ? 'error' : 'warning';
      line.textContent = finding.text;
      caption.append(line);
    }
    figure.append(caption);
    return figure;
  });
  holder.replaceChildren(...figures);
}
