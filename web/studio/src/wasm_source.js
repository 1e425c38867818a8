// The bytes the page needs: inlined in the one-file studio (base64 in data elements), else
// fetched beside the page.
import { fetchStory } from '../../files.js';

function inlineBytes(doc, id) {
  const inline = doc.getElementById(id);
  if (!inline) return null;
  const text = atob(inline.textContent.trim());
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  return bytes;
}

export async function wasmBytes(doc, id, url) {
  const inline = inlineBytes(doc, id);
  if (inline) return inline.buffer;
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return response.arrayBuffer();
}

// The bundled story folder's frames and sounds (its story.txt too, where the server has it): the
// one-file studio holds them; from the disk without them there are none. `format`: the story
// folder's (storyFormat).
export async function bundledFiles(doc, format) {
  if (doc.querySelector('script[id^="dat-"]')) {
    return new Map(format.names.map((name) => [name, inlineBytes(doc, `dat-${name}`)]));
  }
  return location.protocol === 'file:' ? new Map() : fetchStory(location.href, format);
}
