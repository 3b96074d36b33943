// Starts the page. The title screen is drawn by index.html and velmora.css
// alone; this checks what the browser can do, opens the player's storage,
// loads the game (velmora-engine.js and .wasm) and hands it the page. A
// click on the title before the game is loaded (index.html keeps one that
// comes before this script) waits for it.
import { Comforts } from './comforts.js';
import { GamePage, kResized } from './game_page.js';
import { kEngineFailed, kEngineStopped, kNoWebAssembly, Notices } from './notices.js';

const notices = new Notices(document.getElementById('notices'));
document.getElementById('boot-notice').remove();
window.velmora = { titlePaintedAt: null };
markTitlePainted();

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
    notices.say(kNoWebAssembly);
    return;
  }
  let manifest;
  try {
    const [listing] = await Promise.all([fetch('files.json'), loadScript('velmora-engine.js')]);
    if (!listing.ok) throw new Error(listing.status);
    manifest = await listing.json();
  } catch (e) {
    notices.say(kEngineFailed);
    return;
  }
  const page = new GamePage(document, manifest, notices);
  if (window.velmoraEarlyClick) page.answer('lblMsg', 0, window.velmoraEarlyClick);
  Object.assign(window.velmora, { page, status: page.status });
  new Comforts(document, page);
  // The main window hidden with its tab, or shown again, is a resizing.
  document.addEventListener('visibilitychange', () => page.report(kResized));
  let failed = false;
  const stop = () => {
    if (!failed) notices.say(page.status.waits ? kEngineStopped : kEngineFailed);
    failed = true;
  };
  createVelmoraEngine({ page, onAbort: stop, printErr: (text) => console.warn(text) })
    .then((engine) => { page.mainWindow.engine = engine; })
    .catch(stop);
  preload(page, manifest);
}

// Every shipped file is fetched and every picture decoded once the title
// stands, so that no click waits for the network later.
function preload(page, manifest) {
  const names = Object.keys(manifest.files);
  requestIdleCallbackOr(() => {
    page.music.prepare();
    for (const name of names) {
      if (/\.(gif|jpe?g|png)$/.test(name)) page.pictures.get(name);
      else if (/\.dat$/.test(name)) page.files.download(name);
    }
  });
}

function requestIdleCallbackOr(task) {
  if (window.requestIdleCallback) window.requestIdleCallback(task, { timeout: 1000 });
  else setTimeout(task, 200);
}

start();
