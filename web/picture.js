// The picture area. Each render tick is composed on a back canvas of the picture's size exactly as the desktop
// composes its back buffer (the frame, the page's lines, the heat pixels the rules rasterised), then
// shown on the screen canvas, whose backing store follows the device-pixel ratio (the whole
// ratio: each picture pixel a crisp block of it); the stage (stage.js) scales the canvas to the
// screen, in crisp blocks at whole multiples of the picture and smoothed otherwise.
// The frames stay in the module's memory, where the rules decoded them as RGBA: the page holds
// only views of those bytes.

// The faces to draw the text in, the site's own first (the family its font is renamed to). The
// size, weight, origin, line step and colours are the game's, from the module (picture_layout).
export const SITE_FACE = 'LuxarimGothic';
const FACES = `${SITE_FACE}, IPAPGothic, "IPA Pゴシック", "MS PGothic", "ＭＳ Ｐゴシック", ` +
  '"Hiragino Kaku Gothic ProN", "Noto Sans CJK JP", sans-serif';

// The CSS font the page's lines are drawn in: the module's weight and size in the faces above.
export function textFont(layout) {
  return `${layout.font} ${FACES}`;
}

// The picture's layout as the module gives it (page_facts.h): width, height, textX, textY,
// lineStep, font, textColour, blankColour, captions.
export function pictureLayout(module) {
  return JSON.parse(module.UTF8ToString(module._picture_layout()));
}

export class Picture {
  // `layout` is the module's (pictureLayout); `memory` gives the module's memory as bytes (a new
  // array whenever the memory grows).
  constructor(screen, layout, memory) {
    this.screen = screen;
    this.layout = layout;
    this.font = textFont(layout);
    this.memory = memory;
    this.back = document.createElement('canvas');
    this.back.width = layout.width;
    this.back.height = layout.height;
    this.context = this.back.getContext('2d', { alpha: false });
    this.frames = [];
    this.lines = [];
    this.painted = false;
    this.ascent = 0;
  }

  // A new game: no frames, no page, and a black back buffer, as a new bitmap is.
  reset() {
    this.frames = [];
    this.lines = [];
    this.painted = false;
    this.context.fillStyle = '#000';
    this.context.fillRect(0, 0, this.back.width, this.back.height);
  }

  // Where the top of the text cell lies above the baseline, in the loaded face.
  measureText() {
    this.context.font = this.font;
    const metrics = this.context.measureText('あ');
    this.ascent = Math.round(metrics.fontBoundingBoxAscent ?? 17);
  }

  // Frame `index`: width * height RGBA pixels at `pointer` in the module's memory, there until
  // dropFrames.
  loadFrame(index, width, height, pointer) {
    this.frames[index] = { pointer, width, height, image: null };
  }

  // The frame's pixels as an ImageData over the module's memory, made again when the memory has
  // grown (the old view then holds no bytes).
  frameImage(index) {
    const frame = this.frames[index];
    if (!frame) return null;
    const memory = this.memory();
    if (!frame.image || frame.image.data.buffer !== memory.buffer) {
      const bytes = new Uint8ClampedArray(memory.buffer, frame.pointer, frame.width * frame.height * 4);
      frame.image = new ImageData(bytes, frame.width, frame.height);
    }
    return frame.image;
  }

  dropFrames() {
    this.frames = [];
  }

  setPage(lines) {
    this.lines = lines;
  }

  // One tick: the frame (or white), the page's lines, the heat pixels (x, y, 0xRRGGBB triples).
  paint(frame, strokes) {
    const c = this.context;
    const image = frame < 0 ? null : this.frameImage(frame);
    if (!image) {
      c.fillStyle = this.layout.blankColour;
      c.fillRect(0, 0, this.back.width, this.back.height);
    } else {
      c.putImageData(image, 0, 0);
    }
    this.drawLines();
    this.painted = true;
    for (let i = 0; i + 2 < strokes.length; i += 3) {
      c.fillStyle = '#' + strokes[i + 2].toString(16).padStart(6, '0');
      c.fillRect(strokes[i], strokes[i + 1], 1, 1);
    }
    this.present();
  }

  drawLines() {
    const c = this.context;
    const { textX, textY, lineStep, textColour } = this.layout;
    c.font = this.font;
    c.fillStyle = textColour;
    c.textBaseline = 'alphabetic';
    this.lines.forEach((line, i) => c.fillText(line, textX, textY + lineStep * i + this.ascent));
  }

  // The stage's new layout: crisp or smooth scaling, and the backing store's size (a new size
  // clears it: the last picture is shown again).
  fit(layout) {
    this.screen.classList.toggle('crisp', layout.crisp);
    if (this.screen.width === layout.store.width && this.screen.height === layout.store.height) return;
    this.screen.width = layout.store.width;
    this.screen.height = layout.store.height;
    if (this.painted) this.present();
  }

  present() {
    const c = this.screen.getContext('2d', { alpha: false });
    c.imageSmoothingEnabled = false;
    c.drawImage(this.back, 0, 0, this.screen.width, this.screen.height);
  }
}
