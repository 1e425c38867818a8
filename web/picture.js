// The picture area. Each render tick is composed on a back canvas of the picture's size exactly as the desktop
// composes its back buffer (the frame, the page's lines, the heat pixels the rules rasterised), then
// shown on the screen canvas, whose backing store follows the device-pixel ratio: whole ratios
// show each picture pixel as a crisp block, others are smoothed.

// The faces to draw the text in, the site's own first. The size, weight, origin, line step and
// colours are the game's, from the module (picture_layout).
const FACES = 'LuxarimGothic, IPAPGothic, "IPA Pゴシック", "MS PGothic", "ＭＳ Ｐゴシック", ' +
  '"Hiragino Kaku Gothic ProN", "Noto Sans CJK JP", sans-serif';

// The picture's layout as the module gives it (page_facts.h): width, height, textX, textY,
// lineStep, font, textColour, blankColour, captions.
export function pictureLayout(module) {
  return JSON.parse(module.UTF8ToString(module._picture_layout()));
}

export class Picture {
  constructor(screen, layout) {
    this.screen = screen;
    this.layout = layout;
    this.font = `${layout.font} ${FACES}`;
    this.back = document.createElement('canvas');
    this.back.width = layout.width;
    this.back.height = layout.height;
    this.context = this.back.getContext('2d', { alpha: false });
    this.frames = [];
    this.lines = [];
    this.ratio = 0;
    this.ascent = 0;
  }

  // A new game: no frames, no page, and a black back buffer, as a new bitmap is.
  reset() {
    this.frames = [];
    this.lines = [];
    this.context.fillStyle = '#000';
    this.context.fillRect(0, 0, this.back.width, this.back.height);
  }

  // Where the top of the text cell lies above the baseline, in the loaded face.
  measureText() {
    this.context.font = this.font;
    const metrics = this.context.measureText('あ');
    this.ascent = Math.round(metrics.fontBoundingBoxAscent ?? 17);
  }

  loadFrame(index, width, height, rgba) {
    this.frames[index] = new ImageData(new Uint8ClampedArray(rgba), width, height);
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
    const image = this.frames[frame];
    if (frame < 0 || !image) {
      c.fillStyle = this.layout.blankColour;
      c.fillRect(0, 0, this.back.width, this.back.height);
    } else {
      c.putImageData(image, 0, 0);
    }
    this.drawLines();
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

  fitScreen() {
    const ratio = window.devicePixelRatio || 1;
    if (ratio === this.ratio) return;
    this.ratio = ratio;
    this.screen.width = Math.round(this.back.width * ratio);
    this.screen.height = Math.round(this.back.height * ratio);
  }

  present() {
    this.fitScreen();
    const c = this.screen.getContext('2d', { alpha: false });
    c.imageSmoothingEnabled = !Number.isInteger(this.ratio);
    c.drawImage(this.back, 0, 0, this.screen.width, this.screen.height);
  }
}
