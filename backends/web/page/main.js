// Starts the page. The title screen is drawn by index.html and velmora.css
// alone, with a sign that the game is loading; this checks what the browser
// can do, opens the player's storage, loads the game (velmora-engine.js and
// .wasm) once what the title is drawn from has arrived (on a slow network
// the title first), and hands it the page. A click on the title before the
// game is loaded (index.html keeps one that comes before this script) waits
// for it, and the sign says so.
import { Comforts } from './comforts.js';
import { GamePage } from './game_page.js';
import { kResized } from './page_codes.js';
import { kEngineFailed, kEngineStopped, kNoWebAssembly, Notices } from './notices.js';
import { keepForOffline } from './offline.js';
import { Touch } from './touch.js';

const notices = new Notices(document.getElementById('notices'));
document.getElementById('boot-notice').remove();
window.velmora = { titlePaintedAt: null };
const titleArrived = markTitlePainted();

function webAssemblyWorks() {
  try {
    const empty = new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]);
    return typeof WebAssembly === 'object' && new WebAssembly.Module(empty) instanceof WebAssembly.Module;
  } catch (e) {
    return false;
  }
}

// The title counts as painted once its pictures and its face are ready
// and the frame after that begins.
async function markTitlePainted() {
  const decode = (src) => { const img = new Image(); img.src = src; return img.decode().catch(() => {}); };
  await Promise.all([
    document.fonts.load('bold 16px "Velmora P Gothic"', 'このメッセージラベル').catch(() => {}),
    ...['design/background.png', 'design/title_art.jpg', 'design/plate_date.png'].map(decode),
  ]);
  requestAnimationFrame(() => { window.velmora.titlePaintedAt = performance.now(); });
}

// The sign that the game is loading goes once it waits for the player, or
// once it cannot come.
function loaded() {
  const sign = document.getElementById('loading');
  if (sign) sign.remove();
}

// The engine's WebAssembly comes beside its script, not after it.
function preloadEngine() {
  const link = Object.assign(document.createElement('link'), {
    rel: 'preload', href: 'velmora-engine.wasm', as: 'fetch', type: 'application/wasm', crossOrigin: 'anonymous',
  });
  document.head.append(link);
}

function loadScript(src) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = src;
    script.onload = resolve;
    script.onerror = reject;
    document.head.append(script);
  });
}

async function start() {
  if (!webAssemblyWorks()) {
    loaded();
    notices.say(kNoWebAssembly);
    return;
  }
  let manifest;
  try {
    const listed = fetch('files.json');
    listed.catch(() => {});  // said below
    await titleArrived;
    preloadEngine();
    await loadScript('velmora-engine.js');
    const listing = await listed;
    if (!listing.ok) throw new Error(listing.status);
    manifest = await listing.json();
  } catch (e) {
    loaded();
    notices.say(kEngineFailed);
    return;
  }
  const page = new GamePage(document, manifest, notices);
  page.on('wait', loaded);
  // The sound device opens at the player's first touch, click or key.
  for (const kind of ['pointerdown', 'keydown']) {
    window.addEventListener(kind, () => page.music.prepare(), { capture: true, once: true });
  }
  if (window.velmoraEarlyClick) page.answer('lblMsg', 0, window.velmoraEarlyClick);
  Object.assign(window.velmora, { page, status: page.status });
  new Touch(document, page, new Comforts(document, page));
  // The main window hidden with its tab, or shown again, is a resizing.
  document.addEventListener('visibilitychange', () => page.report(kResized));
  let failed = false;
  const stop = () => {
    loaded();
    if (!failed) notices.say(page.status.waits ? kEngineStopped : kEngineFailed);
    failed = true;
  };
  // The module the game runs in answers the page's rules once it has loaded,
  // and paints the light of the hour over the main window's pictures.
  page.engine = { page, onAbort: stop, printErr: (text) => console.warn(text) };
  createVelmoraEngine(page.engine)
    .then((engine) => { page.mainWindow.engine = engine; })
    .catch(stop);
  // After the engine: on a slow network it comes first.
  let preloading = false;
  page.on('wait', () => {
    if (!preloading) preload(page, manifest);
    preloading = true;
  });
}

// Every shipped file is fetched and every picture and music decoded once
// the title stands, so that no click waits for the network later; then the
// whole site is kept for the next start. A few at a time, a few milliseconds
// of a moment the page is idle: a player's touch never waits behind them.
function preload(page, manifest) {
  const tasks = [];
  for (const name of Object.keys(manifest.files)) {
    if (/\.(gif|jpe?g|png)$/.test(name)) tasks.push(() => page.pictures.get(name));
    else if (/\.dat$/.test(name)) tasks.push(() => page.files.download(name));
  }
  for (const name of Object.keys(manifest.music || {})) tasks.push(() => page.music.buffer(name));
  tasks.push(() => keepForOffline(manifest));
  const work = (deadline) => {
    const until = performance.now() + 6;
    do tasks.shift()(); while (tasks.length && performance.now() < until && deadline.timeRemaining() > 1);
    if (tasks.length) whenIdle(work);
  };
  whenIdle(work);
}

function whenIdle(task) {
  if (window.requestIdleCallback) window.requestIdleCallback(task, { timeout: 1000 });
  else setTimeout(() => task({ timeRemaining: () => 0 }), 50);
}

start();
