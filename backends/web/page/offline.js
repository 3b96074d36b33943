// The installed game: once the page has loaded, a service worker
// (service_worker.js, written by tools/web/build_site.py) keeps the whole
// site, so that the next start needs no network. It is registered with the
// form of the music this browser plays, the only one it keeps of three.
import { musicForm } from './music.js';

export function keepForOffline(manifest) {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  const address = `service_worker.js?music=${encodeURIComponent(musicForm(manifest))}`;
  navigator.serviceWorker.register(address).catch((e) => console.warn(`service worker: ${e}`));
}
