// What the game (the WebAssembly module) sees of the page: the calls of
// backends/web/web_platform.cpp and web_files.cpp arrive here. Every wait
// is a promise that the player's answer resolves; a report of the page that
// comes while the game waits (the window hidden or shown, slot files brought
// in) resolves it first, and the game asks again once it has dealt with it.
import { Appearing } from './appearing.js';
import { MainWindowPictures, Pictures } from './pictures.js';
import { Music } from './music.js';
import { SlotStorage } from './slot_storage.js';
import { Windows } from './windows.js';
import {
  kCanGoBack, kCanGoForward, kFirstText, kResized, kSecondText, kSkipping, kSlotWords, kUploadConfirmed,
  kUploadFlags, kUploadSlot, kUploadText, kUploaded,
} from './page_codes.js';

// The rules that answer with a number; the others answer with a text.
const kNumberRules = new Set(['velmora_menu_focus', 'velmora_wheel', 'velmora_button', 'velmora_narrowing']);

// The windows one wait answers; a step back or forward, or a NEXT passed by
// skipping, ends a wait with its window still open.
const kAnsweredWindows = ['Form2', 'Form3', 'Form5', 'Form8'];
// A finger's quick second tap lands on what took NEXT's place under it: the
// question in a phone's bar, the menu or a list risen over the message. A
// touch answers them once they have stood this long, longer than the gap
// between a double tap's taps.
const kChoices = new Set(['Form2', 'Form5', 'Form8']);
const kSettleMs = 500;

// Texts and bytes handed to the game wait here until it copies them.
class Shelf {
  constructor() {
    this.items = new Map();
    this.encoder = new TextEncoder();
  }

  put(place, value) {
    this.items.set(place, typeof value === 'string' ? this.encoder.encode(value) : value);
  }

  size(place) {
    return (this.items.get(place) || []).length;
  }

  take(place) {
    const bytes = this.items.get(place) || new Uint8Array(0);
    this.items.delete(place);
    return bytes;
  }
}

export class GamePage {
  constructor(doc, manifest, notices) {
    this.shelf = new Shelf();
    this.files = new SlotStorage(manifest, this.shelf, notices);
    this.pictures = new Pictures(this.files);
    this.mainWindow = new MainWindowPictures(doc, this.pictures);
    this.music = new Music(this.files, manifest);
    this.windows = new Windows(doc, (name, value, event) => this.answer(name, value, event),
      (file) => this.files.addressOf(file), (...rule) => this.rule(...rule));
    this.label = doc.getElementById('lblMsg');
    this.appearing = new Appearing(this.label, () => this.tell('whole'));
    this.msPerLetter = 0;  // the text's speed the player chose: 0, whole at once
    this.pending = null;
    this.reports = [];
    this.slots = [];  // the game's slots, as it names them
    this.slotFileLimit = 0;  // the most bytes the game's reader takes of a slot's file
    this.listeners = {
      message: [], whole: [], wait: [], end: [], skipping: [], storyMap: [], album: [], slotWords: [], offerContinue: [], say: [],
    };
    this.continueOffer = null;  // 続きから on the title, where the page has it
    this.steps = 0;
    this.skipping = false;
    this.restoring = false;  // a step back or forward draws its screen again
    this.skipUnread = false;
    this.uploadAnswer = null;
    // What the page has done, for the player's history and for tests.
    // settlesAt: when a touch may first answer the choice that waits.
    this.status = { waitingFor: null, waits: 0, messages: [], clicks: [], ended: false, settlesAt: 0 };
    this.pointer = '';  // the kind of the last press: 'touch' for a finger
    doc.addEventListener('pointerdown', (e) => { this.pointer = e.pointerType; }, true);
    this.answeredAt = null;
    this.answered = null;
    this.early = null;  // a press that came before its wait: { name, event }
    this.drawn = false;  // a message drawn since the player's last answer
    this.begun = false;  // the title's message clicked
    this.blocked = 0;  // a comfort window above the game takes its clicks
    this.engine = null;  // the game's module, once loaded: the rules it answers
  }

  // One of the rules the game answers for the page (backends/web/page_rules.cpp),
  // or null before the game has loaded. Called straight, not through ccall:
  // the game is asleep in a wait meanwhile, and a call must not wait for it.
  rule(name, ...args) {
    const engine = this.engine;
    if (!this.status?.waits || !engine || !engine['_' + name]) return null;
    const texts = [];
    try {
      const inC = args.map((a) => {
        if (typeof a !== 'string') return Number(a);
        const size = engine.lengthBytesUTF8(a) + 1;
        const at = engine._malloc(size);
        texts.push(at);
        engine.stringToUTF8(a, at, size);
        return at;
      });
      const answer = engine['_' + name](...inC);
      return kNumberRules.has(name) ? answer : engine.UTF8ToString(answer);
    } finally {
      texts.forEach((at) => engine._free(at));
    }
  }

  on(what, listener) {
    this.listeners[what].push(listener);
  }

  tell(what, ...args) {
    for (const listener of this.listeners[what]) listener(...args);
  }

  // --- the game's drawing calls ---
  call(what, a, b, c, d) {
    switch (what) {
      case 'message':
        // Skipping shows each message whole, and so does a step back or
        // forward until the game waits again: the player has read them.
        this.appearing.show(' \n' + a.replace(/\r\n/g, '\n'),
          this.skipping || this.restoring ? 0 : this.msPerLetter);
        this.drawn = true;
        this.status.messages.push(a);
        this.tell('message', a);
        break;
      case 'scene': this.mainWindow.showScene(a, Number(b || -1), Number(c || 0), d); break;
      case 'light': this.mainWindow.relight(Number(a)); break;
      case 'layer': this.mainWindow.showLayer(a, b); break;
      case 'hideLayer': this.mainWindow.hideLayer(); break;
      case 'paintPortrait': this.mainWindow.paintPortrait(a, b); break;
      case 'side': this.mainWindow.showSide(a, b); break;
      case 'clock': this.mainWindow.showClock(a, b, c); break;
      case 'design': this.mainWindow.showDesign(a); break;
      case 'skipping':
        // Skipping passes messages unheard: a screen reader hears the mark,
        // then the message where skipping stops, told as its window waits.
        this.skipping = Boolean(a);
        if (this.skipping) this.appearing.showWhole();
        this.tell('skipping', this.skipping);
        break;
      case 'tell':
        // NEXT's words are said now; another window's as it opens.
        if (a === 'next') this.windows.say(c);
        else this.windows.told = { name: b, said: c };
        break;
      case 'storyMap': this.tell('storyMap', JSON.parse(a)); break;
      case 'album': this.tell('album', JSON.parse(a)); break;
      case 'slotDetails': this.windows.slotDetails(a); break;
      case 'slots':
        this.slots = a ? a.split('\n') : [];
        this.slotFileLimit = Number(b);
        break;
      case 'slotWords': this.tell('slotWords', a ? a.split('\x1e') : []); break;
      case 'openName':
        this.windows.close('Form3');
        this.windows.open('Form4');
        break;
      case 'close': this.windows.close(a); break;
      case 'stopSound': this.music.stop(); break;
      case 'playLoop': this.music.play(a); break;
      case 'notice': this.files.notices.say(a); break;
      case 'offerContinue': this.tell('offerContinue', a); break;
      case 'say': this.tell('say', a); break;
      case 'end': this.end(); break;
    }
  }

  mainWindowPosition() {
    return this.windows.mainPosition();
  }

  // --- waits ---
  wait(name, argument, left, top, steps) {
    this.steps = steps;
    this.restoring = false;
    if (this.reports.length) return Promise.resolve(this.reports.shift());
    for (const other of kAnsweredWindows) if (other !== name) this.windows.close(other);
    this.windows.open(name, argument, left, top);
    this.status.waitingFor = name;
    this.status.settlesAt = kChoices.has(name) ? performance.now() + kSettleMs : 0;
    ++this.status.waits;
    this.measureAnswer(name);
    this.tell('wait', name);
    const early = this.early?.name === name ? this.early.event : null;
    this.early = null;
    if (early) queueMicrotask(() => this.answer(name, 0, early));
    return new Promise((resolve) => { this.pending = { name, resolve }; });
  }

  // The player's answer to the window that waits; any other click is lost,
  // as on a window that a modal one blocks. Two presses wait for their
  // window: a click on the title before the game has loaded, and NEXT
  // pressed on a message already drawn before the game waits on it (a
  // reader as quick as the page under load); a NEXT pressed twice still
  // passes one message, and none is kept while skipping.
  answer(name, value, event) {
    // NEXT pressed, or the message clicked, while it appears: it shows
    // whole, and nothing else happens.
    if ((name === 'Form3' || name === 'lblMsg') && !this.blocked && this.appearing.showWhole()) return;
    if (!this.pending) this.keepEarly(name, event);
    if (!this.pending || this.pending.name !== name || this.blocked) return;
    if (this.tooSoonForAFinger(event)) return;
    if (name === 'Form4') {
      const [nameText, nickname] = this.windows.nameEntry();
      this.shelf.put(kFirstText, nameText);
      this.shelf.put(kSecondText, nickname);
    }
    if (name === 'lblMsg') this.begun = true;  // from now on its wait is window-move mode
    const { resolve } = this.pending;
    this.pending = null;
    this.status.waitingFor = null;
    this.answeredAt = event && event.timeStamp ? event.timeStamp : performance.now();
    this.answered = name;
    this.drawn = false;
    this.windows.answered(name, value);
    this.music.unlock();
    resolve(value);
  }

  tooSoonForAFinger(event) {
    const finger = (event?.pointerType || this.pointer) === 'touch';
    return Boolean(event) && finger && performance.now() < this.status.settlesAt;
  }

  keepEarly(name, event) {
    const title = name === 'lblMsg' && !this.status.waits;
    const next = name === 'Form3' && this.drawn && !this.skipping && !this.blocked;
    if (title || next) this.early = { name, event };
  }

  // The time from the player's click to the next wait (the page changed),
  // and to the frame that shows it; next: the window that waits then (the
  // menu, after the automatic save).
  measureAnswer(next) {
    const clicked = this.answeredAt;
    if (clicked === null) return;
    this.answeredAt = null;
    const changed = performance.now() - clicked;
    const window = this.answered;
    requestAnimationFrame(() => {
      this.status.clicks.push({ window, next, changed, frame: performance.now() - clicked });
    });
  }

  // A NEXT passed by skipping: its caption is painted, then the game goes on
  // with what the player pressed meanwhile (0: nothing).
  pace() {
    return new Promise((resolve) => setTimeout(() => resolve(this.reports.shift() || 0), 0));
  }

  skipsUnread() {
    return this.skipUnread;
  }

  report(code) {
    if (this.pending) {
      const { resolve } = this.pending;
      this.pending = null;
      resolve(code);
    } else {
      this.reports.push(code);
    }
  }

  // Slot files from the player: the game checks and keeps them, or first
  // has the player asked (confirmed: the player said YES to its question).
  upload(slot, flags, text, confirmed = false) {
    this.shelf.put(kUploadSlot, slot);
    this.shelf.put(kUploadFlags, flags);
    this.shelf.put(kUploadText, text);
    return new Promise((resolve) => {
      this.uploadAnswer = resolve;
      this.report(confirmed ? kUploadConfirmed : kUploaded);
    });
  }

  uploadDone(saved, why, question) {
    if (this.uploadAnswer) this.uploadAnswer({ saved, why, question });
    this.uploadAnswer = null;
  }

  end() {
    for (const id of ['Form2', 'Form3', 'Form4', 'Form5', 'Form7', 'Form8']) this.windows.close(id);
    this.music.stop();
    this.status.ended = true;
    this.appearing.show(' \nゲームは終わりました。ページを再読み込みすると、最初から遊べます。', 0);
    // The last NEXT is gone: the focus goes to the message, so a screen
    // reader reads that the game is over rather than nothing.
    this.label.focus({ preventScroll: true });
    this.tell('end');
  }
}
