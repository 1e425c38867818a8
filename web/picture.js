// The picture area. Each render tick is composed on a 500 by 300 back canvas exactly as the desktop
// composes its back buffer (the frame, the page's lines, the heat pixels the rules rasterised), then
// shown on the screen canvas, whose backing store follows the device-pixel ratio: whole ratios
// show each picture pixel as a crisp block, others are smoothed.

export const WIDTH = 500;
export const HEIGHT = 300;
const TEXT_X = 230;
const TEXT_Y = 50;
const LINE_STEP = 20;
// 14 points at 96 dots per inch, bold, black.
export const TEXT_FONT =
  'bold 19px LuxarimGothic, IPAPGothic, "IPA Pゴシック", "MS PGothic", "ＭＳ Ｐゴシック", ' +
  '"Hiragino Kaku Gothic ProN", "Noto Sans CJK JP", sans-serif';

export class Picture {
  constructor(screen) {
    this.screen = screen;
    this.back = document.createElement('canvas');
    this.back.width = WIDTH;
    this.back.height = HEIGHT;
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
    this.context.fillRect(0, 0, WIDTH, HEIGHT);
  }

  // Where the top of the text cell lies above the baseline, in the loaded face.
  measureText() {
    this.context.font = TEXT_FONT;
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
      c.fillStyle = '#fff';
      c.fillRect(0, 0, WIDTH, HEIGHT);
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
    c.font = TEXT_FONT;
    c.fillStyle = '#000';
    c.textBaseline = 'alphabetic';
    this.lines.forEach((line, i) => c.fillText(line, TEXT_X, TEXT_Y + LINE_STEP * i + this.ascent));
  }

  fitScreen() {
    const ratio = window.devicePixelRatio || 1;
    if (ratio === this.ratio) return;
    this.ratio = ratio;
    this.screen.width = Math.round(WIDTH * ratio);
    this.screen.height = Math.round(HEIGHT * ratio);
  }

  present() {
    this.fitScreen();
    const c = this.screen.getContext('2d', { alpha: false });
    c.imageSmoothingEnabled = !Number.isInteger(this.ratio);
    c.drawImage(this.back, 0, 0, this.screen.width, this.screen.height);
  }
}
