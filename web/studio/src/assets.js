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
export function showAssets(holder, files, findings, missing, format) {
  const doc = holder.ownerDocument;
  const figures = format.names.filter((name) => name !== format.story).map((name) => {
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
