// Where the stage goes on the screen: the picture as large as the window (or the host's frame)
// allows, keeping 5 : 3. When the picture's size in device pixels is close to a whole multiple of
// 500 by 300 it is taken down to that multiple, so that each picture pixel is a crisp block;
// otherwise it fills the room and is smoothed. The canvas's backing store holds the picture at the
// whole device-pixel ratio (one to three times 500 by 300) and is scaled from there, which holds
// a large screen's picture in a few hundred kilobytes. A narrow, tall screen (a phone held upright) shows
// the picture across its whole width with the buttons in a row below it; anywhere else the
// buttons stand over the picture where the desktop has them, scaled with it (style.css).

// Narrower than this and tall enough for the rows below, the buttons go below the picture.
const UPRIGHT_WIDTH = 600;
// Below the picture when upright: the buttons' row and the end's row, with their gaps.
export const BELOW_ROWS = 8 + 64 + 12 + 64 + 8;
// A whole multiple is taken when it loses at most this share of the size.
const CRISP_LOSS = 0.1;

// The stage for a room of `width` by `height` CSS pixels at `ratio` device pixels per CSS pixel,
// for a picture of `size` (the module's width and height): whether the buttons go below, the
// picture's CSS size and scale, whether it is drawn in crisp blocks, the canvas's backing store,
// and where the stage stands.
export function stageLayout(width, height, ratio, size) {
  const { width: WIDTH, height: HEIGHT } = size;
  const upright = width < UPRIGHT_WIDTH && height >= (width * HEIGHT) / WIDTH + BELOW_ROWS;
  const roomHeight = upright ? height - BELOW_ROWS : height;
  let scale = Math.max(Math.min(width / WIDTH, roomHeight / HEIGHT), 0.1);
  const multiple = Math.floor(scale * ratio + 1e-6);
  const crisp = multiple >= 1 && scale * ratio <= multiple * (1 + CRISP_LOSS);
  if (crisp) scale = multiple / ratio;
  // In whole device pixels, so that the picture's edges (and a crisp picture's blocks) fall on them.
  const picture = { width: Math.round(WIDTH * scale * ratio) / ratio,
    height: Math.round(HEIGHT * scale * ratio) / ratio };
  const stored = Math.max(1, Math.floor(ratio));
  const snap = (length) => Math.max(0, Math.floor(length * ratio)) / ratio;
  return {
    upright,
    scale,
    crisp,
    store: { width: WIDTH * stored, height: HEIGHT * stored },
    picture,
    left: snap((width - picture.width) / 2),
    top: upright ? 0 : snap((roomHeight - picture.height) / 2),
    height: upright ? picture.height + BELOW_ROWS : picture.height,
  };
}

// The room of a stage that has the whole window (or the host's frame): its CSS size.
export const windowRoom = (doc) =>
  ({ width: doc.documentElement.clientWidth, height: doc.defaultView.innerHeight });

// Keeps the stage fitted to its room: on load, on every resize, turn or zoom, and on entering or
// leaving full screen. `onLayout` gets each new layout (the picture's canvas follows it). `room`
// gives the room's CSS size for the picture's `size`: the window's by default; a page that gives
// the game a box of its own (the studio's play pane) passes its own, and the stage then follows
// that box's size too.
export class Stage {
  constructor(doc, onLayout, room = windowRoom) {
    this.doc = doc;
    this.game = doc.getElementById('game');
    this.stage = doc.getElementById('stage');
    this.onLayout = onLayout;
    this.room = room;
    this.size = null;  // the picture's size, once the module gives it (setPicture)
    const view = doc.defaultView;
    const fit = () => this.fit();
    if (room !== windowRoom && view.ResizeObserver) new view.ResizeObserver(fit).observe(this.game);
    view.addEventListener('resize', fit);
    doc.addEventListener('fullscreenchange', fit);
    if (view.visualViewport) view.visualViewport.addEventListener('resize', fit);
    // A change of zoom (or a move to a screen of another density) changes the ratio alone.
    this.watchRatio(view);
    this.fit();
  }

  // The picture's layout from the module (pictureLayout): its size in picture pixels, the text's
  // origin and the buttons' boxes, which style.css scales with the picture. The stage is fitted
  // from then on.
  setPicture(layout) {
    this.size = { width: layout.width, height: layout.height };
    const { next, special } = layout.buttons;
    const style = this.stage.style;
    style.setProperty('--button-x', `${next.x}px`);
    style.setProperty('--button-w', `${next.width}px`);
    style.setProperty('--button-h', `${next.height}px`);
    style.setProperty('--button-gap', `${special.y - next.y - next.height}px`);
    style.setProperty('--button-bottom', `${special.y + special.height}px`);
    style.setProperty('--text-x', `${layout.textX}px`);
    this.fit();
  }

  watchRatio(view) {
    const query = view.matchMedia(`(resolution: ${view.devicePixelRatio}dppx)`);
    query.addEventListener('change', () => {
      this.fit();
      this.watchRatio(view);
    }, { once: true });
  }

  fit() {
    if (!this.size) return;
    const { width, height } = this.room(this.doc, this.size);
    const layout = stageLayout(width, height, this.doc.defaultView.devicePixelRatio || 1, this.size);
    const style = this.stage.style;
    style.setProperty('--s', String(layout.scale));
    style.setProperty('--w', `${layout.picture.width}px`);
    style.setProperty('--h', `${layout.picture.height}px`);
    style.width = `${layout.picture.width}px`;
    style.height = `${layout.height}px`;
    style.marginLeft = `${layout.left}px`;
    style.marginTop = `${layout.top}px`;
    style.marginBottom = `${layout.top}px`;
    this.game.classList.toggle('upright', layout.upright);
    this.onLayout(layout);
  }
}
