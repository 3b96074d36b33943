// The pictures of the main window: the scene picture box (a canvas, since
// line mode paints pixels into it), the prepared portrait over it, the side
// picture and the clock column. The browser decodes the GIF and JPEG files
// itself; each is decoded once and kept.
import { paintLight } from './scene_light.js';
import { fileKey } from './slot_storage.js';

const kLightYellow = 'rgb(255, 255, 192)';
const kSceneWidth = 300;
const kSceneHeight = 260;
// The time's face at the design's size: bold 20.25 pt, in design pixels.
const kTimeFont = 'bold 27px "Velmora P Gothic"';

function nextFrame() {
  return new Promise((resolve) => requestAnimationFrame(() => resolve()));
}

// Line mode, as the game was designed: every pixel of the portrait's top-left
// 300 x 260 that is not exactly light cyan (red 0, green 255, blue 255)
// replaces the scene's; the rows of one parity (0 even, 1 odd) at a time.
export function paintPortraitRows(portrait, scene, parity) {
  const rows = Math.min(kSceneHeight, portrait.height, scene.height);
  const columns = Math.min(kSceneWidth, portrait.width, scene.width);
  const from = portrait.data;
  const to = scene.data;
  for (let y = parity; y < rows; y += 2) {
    for (let x = 0; x < columns; ++x) {
      const p = (y * portrait.width + x) * 4;
      if (from[p] === 0 && from[p + 1] === 255 && from[p + 2] === 255) continue;
      const s = (y * scene.width + x) * 4;
      to[s] = from[p];
      to[s + 1] = from[p + 1];
      to[s + 2] = from[p + 2];
      to[s + 3] = 255;
    }
  }
}

// The colours exactly as the file has them; a browser that does not take
// the options decodes without them.
function decode(blob) {
  return createImageBitmap(blob, { colorSpaceConversion: 'none', premultiplyAlpha: 'none' })
    .catch(() => createImageBitmap(blob))
    .catch(() => null);
}

export class Pictures {
  constructor(storage) {
    this.storage = storage;
    this.decoded = new Map();
  }

  // The decoded picture, or null when the file is missing or unreadable.
  get(name) {
    if (!name || !this.storage.addressOf(name)) return Promise.resolve(null);
    const key = fileKey(name);
    if (!this.decoded.has(key)) {
      const picture = this.storage.download(name).then((bytes) => bytes && decode(new Blob([bytes])));
      this.decoded.set(key, picture);
    }
    return this.decoded.get(key);
  }

  // The pixels of a picture as it is stored, exact, for line mode.
  async pixels(name) {
    const picture = await this.get(name);
    if (!picture) return null;
    const canvas = document.createElement('canvas');
    canvas.width = picture.width;
    canvas.height = picture.height;
    const context = canvas.getContext('2d', { willReadFrequently: true });
    context.drawImage(picture, 0, 0);
    return context.getImageData(0, 0, picture.width, picture.height);
  }
}

// Shows a picture in an image element at its own size, or nothing.
async function showIn(img, pictures, name) {
  img.dataset.file = name;
  const address = name ? pictures.storage.addressOf(name) : null;
  const picture = await pictures.get(name);
  if (img.dataset.file !== name) return;  // another picture came meanwhile
  img.style.setProperty('--iw', picture ? picture.width : 0);
  img.removeAttribute('srcset');  // the design's drawing for a fine screen
  img.src = picture ? address : '';
}

export class MainWindowPictures {
  constructor(doc, pictures) {
    this.pictures = pictures;
    this.canvas = doc.getElementById('picMainCanvas');
    this.context = this.canvas.getContext('2d', { willReadFrequently: true });
    this.layer = doc.getElementById('imgMain');
    this.side = doc.getElementById('imgSub');
    this.date = doc.querySelector('#picHinichi > img');
    this.place = doc.querySelector('#picBasho > img');
    this.time = doc.querySelector('#lblJikoku > span');
    this.timePlate = doc.querySelector('#Picture3 > img');
    this.measure = doc.createElement('canvas').getContext('2d');
    this.work = Promise.resolve();  // the scene box's drawing, in the game's order
    this.scene = null;  // the picture shown, its light and line mode's portraits over it
    this.engine = null;  // the game's module, which paints the light of the hour
  }

  // Resolves once every drawing asked for so far is on the canvas.
  settled() {
    return this.work;
  }

  queue(step) {
    this.work = this.work.then(step).catch(() => {});
  }

  // `lit` numbers the place pictures the light of the hour falls on; `words`
  // are what a screen reader reads of it (the place, 「公園」).
  showScene(name, lit = -1, light = 0, words = '') {
    const scene = { picture: this.pictures.get(name), lit, light, portraits: [] };
    this.scene = scene;
    this.canvas.setAttribute('aria-label', words);
    this.queue(() => this.compose(scene, light));
  }

  relight(light) {
    const scene = this.scene;
    if (!scene || scene.light === light) return;
    scene.light = light;
    this.queue(() => this.compose(scene, light));
  }

  // The picture at its own size, clipped by the box, in its light; then
  // the portraits line mode painted over it.
  async compose(scene, light) {
    const drawn = await scene.picture;
    this.context.fillStyle = kLightYellow;
    this.context.fillRect(0, 0, kSceneWidth, kSceneHeight);
    if (drawn) {
      this.context.drawImage(drawn, 0, 0);
      paintLight(this.engine, this.context, scene.lit, light);
    }
    this.canvas.style.backgroundImage = 'none';
    if (!scene.portraits.length) return;
    const pixels = this.context.getImageData(0, 0, kSceneWidth, kSceneHeight);
    for (const portrait of scene.portraits) {
      paintPortraitRows(portrait, pixels, 0);
      paintPortraitRows(portrait, pixels, 1);
    }
    this.context.putImageData(pixels, 0, 0);
  }

  // The player sees the even rows before the odd ones. The character
  // belongs to the scene now, read after it (「公園、久美」).
  paintPortrait(name, words = '') {
    this.canvas.setAttribute('aria-label', `${this.canvas.getAttribute('aria-label')}、${words}`);
    const portrait = this.pictures.pixels(name);
    const shown = this.scene;
    this.queue(async () => {
      const pixels = await portrait;
      if (!pixels) return;
      if (shown) shown.portraits.push(pixels);
      const scene = this.context.getImageData(0, 0, kSceneWidth, kSceneHeight);
      paintPortraitRows(pixels, scene, 0);
      this.context.putImageData(scene, 0, 0);
      await nextFrame();
      paintPortraitRows(pixels, scene, 1);
      this.context.putImageData(scene, 0, 0);
    });
  }

  // words: the character, as a screen reader reads it while it is in view.
  showLayer(name, words = '') {
    this.layer.alt = words;
    this.layer.hidden = false;
    this.layer.classList.remove('away');
    showIn(this.layer, this.pictures, name);
  }

  // Moved out of view, beyond the box's right edge; it keeps its picture.
  hideLayer() {
    this.layer.classList.add('away');
    this.layer.alt = '';
  }

  showSide(name, words = '') {
    this.side.alt = words;
    showIn(this.side, this.pictures, name);
  }

  // The title screen's pictures and plates again, no portrait in view;
  // words: what a screen reader reads of the title's artwork.
  showDesign(words) {
    this.canvas.setAttribute('aria-label', words);
    this.side.alt = words;
    this.layer.alt = '';
    this.scene = null;
    this.queue(async () => {
      this.context.clearRect(0, 0, kSceneWidth, kSceneHeight);
      this.canvas.style.backgroundImage = '';
    });
    this.layer.classList.add('away');
    for (const [img, src] of [[this.side, 'design/title_art.jpg'], [this.date, 'design/plate_date.png'],
      [this.place, 'design/plate_place.png']]) {
      img.dataset.file = '';
      img.style.removeProperty('--iw');
      img.src = src;
      if (img !== this.side) img.srcset = `${src} 1x, ${src.replace('.png', '_large.png')} 3x`;
    }
    this.showTime('AM 9:00', 2, 1);
    this.readPlatesAs('4月1日', '午前9時', 'アパート');
  }

  // The time's ink from its origin and its advance, in design pixels, for
  // the game to fit it into its plate (player/plate_fit.h).
  measureTime(text) {
    this.measure.font = kTimeFont;
    const m = this.measure.measureText(text);
    return [-m.actualBoundingBoxLeft, m.actualBoundingBoxRight, m.width];
  }

  // origin, narrowing: where the text starts in the plate's label, in design
  // pixels, and how much it is narrowed to fit, as the game fitted it.
  // words: the plates as a screen reader reads them ("4月1日", "午前9時",
  // "アパート"), the date's empty with its picture.
  showClock(date, time, place, origin, narrowing, words) {
    if (date) showIn(this.date, this.pictures, date);
    this.showTime(time, origin, narrowing);
    showIn(this.place, this.pictures, place);
    this.readPlatesAs(...words);
  }

  readPlatesAs(date, time, place) {
    if (date) this.date.alt = date;
    this.timePlate.alt = time;
    this.place.alt = place;
  }

  showTime(text, origin, narrowing) {
    this.time.textContent = text;
    this.time.style.transform = `translateX(calc(${origin} * var(--px))) scaleX(${narrowing})`;
  }
}
