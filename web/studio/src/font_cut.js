// The site's face cut down in the page: HarfBuzz's own subsetter (harfbuzzjs's
// harfbuzz-subset.wasm, a module of its own with no imports), run with its default choices as
// story_export's hb-subset runs it, keeping the glyphs of the given characters.
const HB_MEMORY_MODE_WRITABLE = 2;
const FAMILY = 'IPAPGothic';  // the face's name in its name table (ASCII and UTF-16BE records)

// Whether `font` (bytes) names itself IPA P Gothic, the face whose licence goes with the site.
export function isIpaPGothic(font) {
  const text = new TextDecoder('latin1').decode(font);
  return text.includes(FAMILY) || text.includes([...FAMILY].map((c) => `\0${c}`).join(''));
}

let subsetter = null;

// Made once from the subsetter's bytes; synchronous, for the worker.
export function loadSubsetter(wasmBytes) {
  if (!subsetter) {
    subsetter = new WebAssembly.Instance(new WebAssembly.Module(wasmBytes), {}).exports;
  }
  return subsetter;
}

// `font` (bytes) cut down to the characters of `text`: the new font's bytes, or null when
// HarfBuzz cannot read the font or cut it.
export function cutFont(hb, font, text) {
  const at = hb.malloc(font.length);
  if (!at) return null;
  new Uint8Array(hb.memory.buffer).set(font, at);
  const blob = hb.hb_blob_create(at, font.length, HB_MEMORY_MODE_WRITABLE, 0, 0);
  const face = hb.hb_face_create(blob, 0);
  hb.hb_blob_destroy(blob);
  const input = hb.hb_subset_input_create_or_fail();
  let cut = null;
  if (input) {
    const characters = hb.hb_subset_input_unicode_set(input);
    for (const character of text) hb.hb_set_add(characters, character.codePointAt(0));
    const subset = hb.hb_subset_or_fail(face, input);
    hb.hb_subset_input_destroy(input);
    if (subset) {
      const result = hb.hb_face_reference_blob(subset);
      const data = hb.hb_blob_get_data(result, 0);
      const length = hb.hb_blob_get_length(result);
      if (length > 0) cut = new Uint8Array(hb.memory.buffer, data, length).slice();
      hb.hb_blob_destroy(result);
      hb.hb_face_destroy(subset);
    }
  }
  hb.hb_face_destroy(face);
  hb.free(at);
  return cut;
}
