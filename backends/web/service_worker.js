// Keeps one whole version of the site, so that the game, once visited (or
// installed on a phone's home screen), starts and plays without the network.
//
// tools/web/build_site.py writes the version above this code: every file of
// the site with its SHA-256, and which form of the music each file is. The
// worker of a version fetches all of them when it installs, and keeps them
// only if every one is the file of its own version (a site changing while a
// player's browser downloads it gives no half-old, half-new game); it then
// answers every request of the site from that version alone. A new version
// installs beside the one in use and takes over at the game's next start, once
// no page of the old one is open: the browser's own way for a service worker,
// so no page ever runs on files of two versions.
//
// Of the music a browser keeps the one form it plays (the page names it when it
// registers this worker); a page that falls back on another form fetches that
// one through the worker, which keeps it too.
const site = self.velmoraSite;
const kCacheName = `velmora-${site.version}`;
const kWantedForm = new URL(self.location).searchParams.get('music');

function kept(name) {
  const form = site.musicForms[name];
  return form === undefined || form === kWantedForm || !kWantedForm;
}

async function sha256(buffer) {
  const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', buffer));
  return [...digest].map((b) => b.toString(16).padStart(2, '0')).join('');
}

// The file of this version from the site, or a refusal: never another one.
async function fetchOfThisVersion(name) {
  const response = await fetch(name, { cache: 'no-cache' });
  if (!response.ok) throw new Error(`${name}: ${response.status}`);
  const bytes = await response.clone().arrayBuffer();
  if (await sha256(bytes) !== site.files[name]) throw new Error(`${name} is of another version`);
  return response;
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(kCacheName);
    const names = Object.keys(site.files).filter(kept);
    try {
      const responses = await Promise.all(names.map(fetchOfThisVersion));
      await Promise.all(names.map((name, i) => cache.put(name, responses[i])));
    } catch (e) {
      await caches.delete(kCacheName);  // tried again at the next visit
      throw e;
    }
  })());
});

// The old version's files go once no page uses them.
self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('velmora-') && name !== kCacheName) await caches.delete(name);
    }
  })());
});

// The site's file a request asks for, or null: the folder itself is its page.
function fileOf(request) {
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) {
    return null;
  }
  const name = decodeURIComponent(url.pathname.slice(scope.pathname.length)) || 'index.html';
  return name in site.files ? name : null;
}

async function answer(name) {
  const cache = await caches.open(kCacheName);
  const known = await cache.match(name);
  if (known) return known;
  const response = await fetchOfThisVersion(name);  // a form of the music not kept yet
  await cache.put(name, response.clone());
  return response;
}

self.addEventListener('fetch', (event) => {
  const name = fileOf(event.request);
  if (name) event.respondWith(answer(name));
});
