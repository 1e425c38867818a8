// The modules' wasm bytes: inlined in the one-file studio (base64 in a data element), else
// fetched beside the page.
export async function wasmBytes(doc, id, url) {
  const inline = doc.getElementById(id);
  if (inline) {
    const text = atob(inline.textContent.trim());
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes.buffer;
  }
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return response.arrayBuffer();
}
