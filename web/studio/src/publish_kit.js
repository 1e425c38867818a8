// The kit's name of the face's licence (no player file can be named so).
export const LICENCE = ':licence';

// The player's compiled module, which the studio holds anyway: left out of the kit and added to
// the site from the studio's own copy.
export const MODULE_WASM = 'luxarim.wasm';

// The publish kit: the files a published site is made of besides the story (the player's page,
// script, module and icons, and the face's licence), packed by the build as one file: a 4-byte
// little-endian length, a JSON list of [name, size], then the files' bytes in that order.
export function packKit(files) {
  const header = new TextEncoder().encode(JSON.stringify(files.map(([name, bytes]) => [name, bytes.length])));
  const total = 4 + header.length + files.reduce((sum, [, bytes]) => sum + bytes.length, 0);
  const kit = new Uint8Array(total);
  new DataView(kit.buffer).setUint32(0, header.length, true);
  kit.set(header, 4);
  let at = 4 + header.length;
  for (const [, bytes] of files) {
    kit.set(bytes, at);
    at += bytes.length;
  }
  return kit;
}

// [name, bytes] for each file of a kit.
export function unpackKit(kit) {
  const length = new DataView(kit.buffer, kit.byteOffset).getUint32(0, true);
  const list = JSON.parse(new TextDecoder().decode(kit.subarray(4, 4 + length)));
  let at = 4 + length;
  return list.map(([name, size]) => {
    const bytes = kit.subarray(at, at + size);
    at += size;
    return [name, bytes];
  });
}
