// The game's folder in the browser. The shipped files (scenario files,
// pictures, music) are downloaded from the site as files.json lists them;
// the files the game writes, its save slots, are kept in IndexedDB under
// this page's origin, byte for byte as the desktop game writes them. Names
// are found without regard to letter case, as on the desktop.
import { downloadFailed, kStorageBlocked } from './notices.js';

const kDatabase = 'velmora';
const kStore = 'files';
const kNoStorage = 'このブラウザではデータを保存できません。';

// Letter case of the game's file names is ASCII only, as on the desktop.
export function fileKey(name) {
  return name.replace(/[A-Z]/g, (c) => c.toLowerCase());
}

function request(r) {
  return new Promise((resolve, reject) => {
    r.onsuccess = () => resolve(r.result);
    r.onerror = () => reject(r.error);
  });
}

export class SlotStorage {
  constructor(manifest, shelf, notices) {
    this.shipped = manifest.files;  // key → address on the site
    this.shelf = shelf;
    this.notices = notices;
    this.downloads = new Map();  // key → promise of bytes or null
    this.staged = [];
    this.db = null;
    this.opened = this.open();
  }

  // Opens the player's database; without one the game goes on, unsaved.
  async open() {
    try {
      const opening = indexedDB.open(kDatabase, 1);
      opening.onupgradeneeded = () => opening.result.createObjectStore(kStore);
      this.db = await request(opening);
    } catch (e) {
      this.db = null;
      this.notices.say(kStorageBlocked);
    }
  }

  addressOf(name) {
    return this.shipped[fileKey(name)];
  }

  // The bytes of a shipped file, downloaded once.
  download(name) {
    const key = fileKey(name);
    if (!this.downloads.has(key)) {
      const address = this.shipped[key];
      const bytes = fetch(address)
        .then((r) => (r.ok ? r.arrayBuffer() : Promise.reject(r.status)))
        .then((b) => new Uint8Array(b))
        .catch(() => {
          this.notices.say(downloadFailed(name));
          this.downloads.delete(key);  // a later try may reach the site again
          return null;
        });
      this.downloads.set(key, bytes);
    }
    return this.downloads.get(key);
  }

  // The game reads a file: onto the shelf at place; false when there is none.
  async read(name, place) {
    const bytes = this.addressOf(name) ? await this.download(name) : await this.readSaved(name);
    if (!bytes) return false;
    this.shelf.put(place, bytes);
    return true;
  }

  async readSaved(name) {
    const record = await this.record(name);
    return record ? record.bytes : null;
  }

  // When the page wrote a file, in seconds since 1970; 0 when unknown.
  async savedAt(name) {
    const record = await this.record(name);
    return record && record.savedAt ? Math.floor(record.savedAt / 1000) : 0;
  }

  async record(name) {
    await this.opened;
    if (!this.db) return null;
    try {
      const tx = this.db.transaction(kStore, 'readonly');
      return (await request(tx.objectStore(kStore).get(fileKey(name)))) || null;
    } catch (e) {
      return null;
    }
  }

  add(name, bytes) {
    this.staged.push({ name, bytes });
  }

  // Writes every file added since the last commit in one read-write
  // transaction: all of them or none. Returns when it has completed.
  async commit(place) {
    const files = this.staged;
    this.staged = [];
    await this.opened;
    try {
      if (!this.db) throw new Error(kNoStorage);
      await this.writeAll(files);
      if (navigator.storage && navigator.storage.persist) navigator.storage.persist();
      return true;
    } catch (e) {
      const why = e && e.message === kNoStorage ? kNoStorage :
        `ブラウザの保存領域に書き込めませんでした（${(e && e.name) || e}）。`;
      this.shelf.put(place, why);
      return false;
    }
  }

  writeAll(files) {
    return new Promise((resolve, reject) => {
      const tx = this.db.transaction(kStore, 'readwrite', { durability: 'strict' });
      const store = tx.objectStore(kStore);
      const savedAt = Date.now();
      for (const f of files) store.put({ name: f.name, bytes: f.bytes, savedAt }, fileKey(f.name));
      tx.oncomplete = () => resolve();
      tx.onerror = () => reject(tx.error);
      tx.onabort = () => reject(tx.error || new Error('abort'));
    });
  }

  // Both files of a slot, for the player to download, or null.
  async slotFiles(slot) {
    const flags = await this.readSaved(slot);
    const text = await this.readSaved(slot + '_text');
    return flags && text ? { flags, text } : null;
  }
}
