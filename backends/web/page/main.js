// Starts the page. The title screen is drawn by index.html and velmora.css
// alone, with a sign that the game is loading; this checks what the browser
// can do and, once the title is painted (on a slow network what the title
// is drawn from comes first, alone), loads the page's modules, opens the
// player's storage, loads the game (velmora-engine.js and .wasm) and hands it
// the page. A click on the title before the game is loaded (index.html keeps
// one that comes before this script) waits for it, and the sign says so.
import { kEngineFailed, kEngineStopped, kNoWebAssembly, Notices } from './notices.js';

const notices = new Notices(document.getElementById('notices'));
document.getElementById('boot-notice').remove();
window.velmora = { titlePaintedAt: null };
const titlePainted = markTitlePainted();

// The page's own modules, every one at once (those the game page imports
// beside those this script uses), so that none waits for another's arrival.
const kModules = ['appearing', 'comforts', 'continue_offer', 'game_page', 'page_codes', 'offline', 'touch', 'pad', 'pictures', 'music',
  'slot_storage', 'windows', 'scene_light'];

async function loadModules() {
  return Object.assign({}, ...await Promise.all(kModules.map((name) => import(`./${name}.js`))));
}

function webAssemblyWorks() {
  try {
    const empty = new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]);
    return typeof WebAssembly === 'object' && new WebAssembly.Module(empty) instanceof WebAssembly.Module;
  } catch (e) {
    return false;
  }
}

// The title counts as painted once its pictures and its face are ready
// and the frame after that begins; this resolves once that frame is on the
// screen (at once in a hidden tab, which paints no frame).
async function markTitlePainted() {
  const decode = (src) => { const img = new Image(); img.src = src; return img.decode().catch(() => {}); };
  await Promise.all([
    document.fonts.load('bold 16px "Velmora P Gothic"', 'このメッセージラベル').catch(() => {}),
    ...['design/background.png', 'design/title_art.jpg', 'design/plate_date.png'].map(decode),
  ]);
  if (document.visibilityState === 'hidden') return;
  await new Promise((resolve) => requestAnimationFrame(() => {
    window.velmora.titlePaintedAt = performance.now();
    setTimeout(resolve, 0);  // the task after the frame's painting
  }));
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
  let modules;
  try {
    await titlePainted;
    preloadEngine();
    const listed = fetch('files.json');
    listed.catch(() => {});  // said below
    // The whole face of P Gothic, for the first scene's words.
    document.fonts.load('16px "Velmora P Gothic"', '久').catch(() => {});
    modules = loadModules();
    modules.catch(() => {});  // said below
    await loadScript('velmora-engine.js');
    const listing = await listed;
    if (!listing.ok) throw new Error(listing.status);
    manifest = await listing.json();
    modules = await modules;
  } catch (e) {
    loaded();
    notices.say(kEngineFailed);
    return;
  }
  const { Comforts, ContinueOffer, GamePage, Pad, Touch, kResized, keepForOffline } = modules;
  // Each step of the start in a task of its own, between which the browser
  // paints and takes the player's touch: none holds the page for long.
  const nextTask = () => new Promise((resolve) => setTimeout(resolve, 0));
  const page = new GamePage(document, manifest, notices);
  page.on('wait', loaded);
  // The sound device opens at the player's first touch, click or key.
  for (const kind of ['pointerdown', 'keydown']) {
    window.addEventListener(kind, () => page.music.prepare(), { capture: true, once: true });
  }
  if (window.velmoraEarlyClick) page.answer('lblMsg', 0, window.velmoraEarlyClick);
  Object.assign(window.velmora, { page, status: page.status });
  await nextTask();
  new ContinueOffer(document, page);
  new Touch(document, page, new Comforts(document, page));
  new Pad(document);
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
  await nextTask();
  createVelmoraEngine(page.engine)
    .then((engine) => { page.mainWindow.engine = engine; })
    .catch(stop);
  // After the engine: on a slow network it comes first.
  let preloading = false;
  page.on('wait', () => {
    if (!preloading) preload(page, manifest, keepForOffline);
    preloading = true;
  });
}

// Every shipped file is fetched and every picture and music decoded once
// the title stands, so that no click waits for the network later; then the
// whole site is kept for the next start. A few at a time, a few milliseconds
// of a moment the page is idle: a player's touch never waits behind them.
function preload(page, manifest, keepForOffline) {
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
