// The game's folder in the browser. The shipped files (scenario files,
// pictures, music) are downloaded from the site as files.json lists them;
// the files the game writes, its save slots, are kept in IndexedDB under
// this page's origin, byte for byte as the desktop game writes them. Names
// are found without regard to letter case, as on the desktop.
//
// Other tabs of the site (or its installed app) keep their slots in the same
// database, and IndexedDB locks nothing from one transaction to the next: a
// write first compares, in its own transaction, what each file holds with
// what this page last read of it, and writes nothing when another tab has
// changed it meanwhile (the game then asks, or reads again).
import { downloadFailed, kStorageBlocked } from './notices.js';
import { kChanged, kNotEnded, kWritten } from './page_codes.js';

const kDatabase = 'velmora';
const kStore = 'files';
const kNoStorage = 'このブラウザではデータを保存できません。';

// Letter case of the game's file names is ASCII only, as on the desktop.
export function fileKey(name) {
  return name.replace(/[A-Z]/g, (c) => c.toLowerCase());
}

function sameBytes(a, b) {
  if (!a || !b) return a === b;
  return a.length === b.length && a.every((byte, i) => byte === b[i]);
}

function whyNotWritten(e) {
  return e && e.message === kNoStorage ? kNoStorage :
    `ブラウザの保存領域に書き込めませんでした（${(e && e.name) || e}）。`;
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
    this.lastRead = new Map();  // key → the bytes this page last read of a saved file, or null
    this.db = null;
    this.opened = this.open();
    // The automatic save written while the game goes on: its files are
    // read once it is written; its outcome waits to be asked.
    this.behind = Promise.resolve();
    this.behindKeys = new Set();
    this.behindOutcome = null;  // '' written, the reason, or null: none ended
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
  // What it read of a saved file is what the next write of it expects to find.
  async read(name, place) {
    const saved = !this.addressOf(name);
    const bytes = saved ? await this.readSaved(name) : await this.download(name);
    if (saved && this.db) this.lastRead.set(fileKey(name), bytes);
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
    if (this.behindKeys.has(fileKey(name))) await this.behind;
    return this.stored(name);
  }

  async stored(name) {
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
  // transaction: all of them or none. Resolves, once it has completed,
  // with kWritten, kChanged (another tab changed one of them since this
  // page read it: nothing written) or 0 (the reason on the shelf).
  async commit(place) {
    const files = this.staged;
    this.staged = [];
    try {
      return (await this.written(files)) ? kWritten : kChanged;
    } catch (e) {
      this.shelf.put(place, whyNotWritten(e));
      return 0;
    }
  }

  // Writes the files added since the last commit as commit does, but the
  // game goes on at once: the automatic save, begun as the menu appears.
  // Another tab's automatic save is replaced, as the game replaces it when
  // it is asked.
  commitBehind() {
    const files = this.staged;
    this.staged = [];
    for (const f of files) this.behindKeys.add(fileKey(f.name));
    this.behind = this.behind.then(async () => {
      try {
        while (!(await this.written(files))) {
          for (const f of files) {
            const now = await this.stored(f.name);
            this.lastRead.set(fileKey(f.name), now ? now.bytes : null);
          }
        }
        this.behindOutcome = '';
      } catch (e) {
        this.behindOutcome = whyNotWritten(e);
      }
    });
  }

  // kWritten or 0 (the reason on the shelf) for the last write begun
  // behind the game that ended since last asked; kNotEnded for none.
  behindEnded(place) {
    const outcome = this.behindOutcome;
    this.behindOutcome = null;
    if (outcome === null) return kNotEnded;
    if (outcome === '') return kWritten;
    this.shelf.put(place, outcome);
    return 0;
  }

  async written(files) {
    await this.opened;
    if (!this.db) throw new Error(kNoStorage);
    if (!(await this.writeAll(files))) return false;
    if (navigator.storage && navigator.storage.persist) navigator.storage.persist();
    return true;
  }

  // Resolves true once written, false when a file was not as last read.
  writeAll(files) {
    return new Promise((resolve, reject) => {
      const tx = this.db.transaction(kStore, 'readwrite', { durability: 'strict' });
      const store = tx.objectStore(kStore);
      const savedAt = Date.now();
      let changed = false;
      let left = files.length;
      // Each file is compared before any is put: the transaction holds the
      // store from the first request to the last, so no other tab's write
      // comes between.
      for (const f of files) {
        const key = fileKey(f.name);
        store.get(key).onsuccess = (got) => {
          const now = got.target.result ? got.target.result.bytes : null;
          changed = changed || (this.lastRead.has(key) && !sameBytes(now, this.lastRead.get(key)));
          if (--left > 0) return;
          if (changed) {
            tx.abort();
            return;
          }
          for (const g of files) store.put({ name: g.name, bytes: g.bytes, savedAt }, fileKey(g.name));
        };
      }
      tx.oncomplete = () => {
        for (const f of files) this.lastRead.set(fileKey(f.name), f.bytes);
        resolve(true);
      };
      tx.onerror = () => { if (!changed) reject(tx.error); };
      tx.onabort = () => (changed ? resolve(false) : reject(tx.error || new Error('abort')));
    });
  }

  // Both files of a slot, for the player to download, or null.
  async slotFiles(slot) {
    const flags = await this.readSaved(slot);
    const text = await this.readSaved(slot + '_text');
    return flags && text ? { flags, text } : null;
  }
}
