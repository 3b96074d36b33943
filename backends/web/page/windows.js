// The game's windows on the page. Each wait of the game opens (or keeps
// open) one window and is answered by one click in it: NEXT, YES or NO,
// OK, a command, the picture, or the message label itself. The windows the
// game places stand where it says, in twips of the screen; the others open
// where they were designed. A window can be dragged by its caption, except
// the main window while another window of the game is open. Every window
// stays on the screen as the window program keeps them: the main window
// keeps its caption on it, the others stand whole on it.
import { kWaitForFocus } from './page_table.js';

const kFrame = 45;     // border, in twips
const kScreen = [760 * 15, 460 * 15];  // the screen the windows stand on, in twips
const kGap = 4 * 15;  // between the list and its details, in twips
const kKeptSaid = 16;  // the last things said, kept for a screen reader that reads them late
// The message window as a screen reader describes it: waiting for its
// click (window-move mode; the title's own words are the page's), or not.
const kMessageWaits = '物語のメッセージ。クリック、Enter または Space で進みます。';
const kMessage = '物語のメッセージ';
// The menu beside the main window's right edge, as the window program puts it.
const kMenuBeside = [8535 + 2 * kFrame + 15, 0];

function place(win, left, top) {
  win.style.setProperty('--wx', left);
  win.style.setProperty('--wy', top);
}

function position(win) {
  const style = win.style;
  return [Number(style.getPropertyValue('--wx')), Number(style.getPropertyValue('--wy'))];
}

// A slot's words from the game as its name (with the space after it) and
// the lines after it: the name stands in a column of its own and the lines
// below it (indented for the desktop's list) wrap in theirs, never under
// the name.
export function slotParts(words) {
  const [, name, rest] = /^(\S+\u3000)([\s\S]*)$/.exec(words) || [null, words, ''];
  return [name, rest.replace(/\n\u3000+/g, '\n')];
}

export class Windows {
  // answer(window, value, event): the player answered the window that waits;
  // addressOf(file): where a picture of the game's folder is on the site;
  // rule(...): a rule the game answers (GamePage.rule).
  constructor(doc, answer, addressOf, rule) {
    this.doc = doc;
    this.answer = answer;
    this.addressOf = addressOf;
    this.rule = rule;
    this.main = doc.getElementById('Form1');
    this.menuPressed = -1;  // the menu's button pressed last, in the Tab order
    this.menuPlace = kMenuBeside;  // by the main window, as the player left it
    this.moved = {};  // the windows where the player has moved the focus since they opened
    this.focusedBefore = {};  // what had the focus as each window opened
    this.details = '';
    this.told = null;  // what the window about to open tells a screen reader
    this.topmost = 1;
    this.wire();
    this.makeDraggable();
  }

  // The player has moved the focus in the window since it opened; until
  // then a question, a list and the menu draw no focus (velmora.css), as
  // Enter and Space do nothing there yet.
  setMoved(name, moved) {
    this.moved[name] = moved;
    this.byId(name)?.toggleAttribute('data-keys-wait', kWaitForFocus.includes(name) && !moved);
  }

  byId(id) {
    return this.doc.getElementById(id);
  }

  menuButtons() {
    return [...this.byId('Form8').querySelectorAll('button[data-row]')];
  }

  wire() {
    const on = (id, handler) => this.byId(id).addEventListener('click', handler);
    on('lblMsg', (e) => this.answer('lblMsg', 0, e));
    on('next', (e) => this.answer('Form3', 0, e));
    on('cmdYes', (e) => this.answer('Form2', 1, e));
    on('cmdNo', (e) => this.answer('Form2', 2, e));
    on('nameOk', (e) => this.answer('Form4', 0, e));
    on('listOk', (e) => this.answer('Form5', this.byId('List1').selectedIndex, e));
    on('Image1', (e) => this.answer('Form7', 0, e));
    // Enter in a box of the name window presses its OK, as in a dialog of
    // the desktop; not while an input method is composing.
    const okOnEnter = (id, ok) => this.byId(id).addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.isComposing) return;
      e.preventDefault();
      this.byId(ok).click();
    });
    okOnEnter('Text1', 'nameOk');
    okOnEnter('Text2', 'nameOk');
    // Closing through the window's own close box, as the window system would.
    const closed = { Form2: 0, Form3: 0, Form4: 1, Form8: -1 };
    for (const [id, value] of Object.entries(closed)) {
      this.byId(id).querySelector('.close').addEventListener('click', (e) => this.answer(id, value, e));
    }
    this.byId('Form5').querySelector('.close')
      .addEventListener('click', (e) => this.answer('Form5', this.byId('List1').selectedIndex, e));
    // A click beside a window that waits modally (on the main window, the
    // screen around it) leaves the keyboard's focus in it, as the desktop's
    // modal windows keep it: the page itself never takes it.
    this.doc.addEventListener('mousedown', (e) => {
      const modal = this.doc.querySelector('.window.dialog[aria-modal=true]:not([hidden])');
      if (modal && !modal.contains(e.target) && !e.target.closest('.comfort, #notices')) e.preventDefault();
    });
    this.makeListBox(this.byId('List1'));
    // A phone turned while the details show: placed again for its new layout.
    this.doc.defaultView.addEventListener('resize', () => {
      const panel = this.byId('slotDetails');
      if (!panel.hidden) this.placeDetails(panel);
    });
  }

  // The window that waits for the player, open and with its focus.
  open(name, argument, left, top) {
    // At the title and in window-move mode the message itself waits: the
    // focus on it, so that a screen reader reads it, as on the desktop.
    if (name === 'lblMsg') {
      const message = this.byId('lblMsg');
      if (this.waitedForMessage) message.setAttribute('aria-description', kMessageWaits);
      this.waitedForMessage = true;
      // A comfort window the player opened over the title keeps the focus
      // as the title waits again behind it.
      if (!this.doc.activeElement?.closest('.comfort')) message.focus({ preventScroll: true });
      return;
    }
    const win = this.byId(name);
    const opening = win.hidden;
    if (opening) {
      this.setMoved(name, false);
      this.focusedBefore[name] = this.doc.activeElement;
      if (name === 'Form5') this.fillList(argument);
      if (name === 'Form8') this.fillMenu(argument);
      if (name === 'Form7') this.showPicture(argument);
      win.style.zIndex = ++this.topmost;  // the NEXT of the picture window stands above it
      win.hidden = false;
      fitCaption(win, this.rule);
      this.tellScreenReader(win, name);
    }
    if (name === 'Form3' || name === 'Form2' || name === 'Form5') this.placeOnScreen(win, left, top);
    if (!opening) return;
    if (name === 'Form8') this.placeMenu();
    if (name === 'Form5') this.showDetails();
    this.focusFirst(name);
  }

  // What a screen reader hears as a window opens, in the game's words
  // (player/spoken_waits.h): its name (the message's first line, or its
  // caption where NEXT has just told the message) and how to answer; the
  // caption stays as drawn. NEXT tells each message in the spoken region
  // (say), its button only what it does, until it is first pressed. The
  // picture window keeps its own words (what the picture shows).
  tellScreenReader(win, name) {
    const told = this.told;
    this.told = null;
    if (!told || name === 'Form3' || name === 'Form7') return;
    const caption = win.querySelector(':scope > .caption > span')?.textContent.trim();
    win.setAttribute('aria-label', told.name || caption || win.getAttribute('aria-label'));
    win.setAttribute('aria-description', told.said);
  }

  // Said wherever the focus is; the last ones stay, unseen, for a screen
  // reader that comes to them late.
  say(words) {
    if (!words) return;
    const region = this.byId('spoken');
    region.append(Object.assign(this.doc.createElement('p'), { textContent: words }));
    while (region.childElementCount > kKeptSaid) region.firstElementChild.remove();
  }

  // After its answer a window hides, except those the game closes itself:
  // the name window after a valid OK, the picture window after its NEXT;
  // NEXT stays with the focus for the next message, until the game waits on
  // another window. Once pressed, NEXT's key is known.
  answered(name, value) {
    if (name === 'lblMsg') this.byId('lblMsg').setAttribute('aria-description', kMessage);
    if (name === 'Form3') this.byId('next').removeAttribute('aria-description');
    if (name === 'lblMsg' || name === 'Form3' || name === 'Form7' || (name === 'Form4' && value === 0)) return;
    this.close(name);
  }

  close(name) {
    const win = this.byId(name);
    if (!win) return;
    const hadFocus = win.contains(this.doc.activeElement);
    win.hidden = true;
    if (name === 'Form5') this.byId('slotDetails').hidden = true;
    if (hadFocus) this.focusBack(this.focusedBefore[name]);
  }

  // A window that closes with the focus gives it back to what had it
  // before it opened, if that still stands on the page; else to the window
  // that waits, else to the message: never to the page itself, where a
  // screen reader has nothing to read. The game's next window takes the
  // focus from there as it opens.
  focusBack(before, waiting = null) {
    if (before && before !== this.doc.body && before.isConnected && before.getClientRects().length &&
        !before.closest('[hidden]')) {
      before.focus({ preventScroll: true });
    } else if (waiting && waiting !== 'lblMsg') {
      this.focusFirst(waiting);
    } else {
      this.byId('lblMsg').focus({ preventScroll: true });
    }
  }

  // What the name window holds at its OK click.
  nameEntry() {
    return [this.byId('Text1').value, this.byId('Text2').value];
  }

  focusFirst(name) {
    const first = {
      Form2: 'cmdYes', Form3: 'next', Form4: 'Text1', Form5: 'List1', Form7: 'Image1',
    }[name];
    if (name === 'Form8') {
      const at = this.rule('velmora_menu_focus', this.menuPressed, 0);
      this.menuButtons()[at === null ? Math.max(0, this.menuPressed) : at].focus({ preventScroll: true });
    } else if (first) {
      this.byId(first).focus({ preventScroll: true });
    }
  }

  // The keyboard's focus to the button after or before it, in the Tab order.
  stepFocus(name, forward) {
    const buttons = this.seenInTabOrder(name);
    const at = buttons.indexOf(this.doc.activeElement);
    const next = at < 0 ? 0 : (at + (forward ? 1 : buttons.length - 1)) % buttons.length;
    buttons[next].focus({ preventScroll: true });
  }

  // To the first or the last button of the Tab order (Home, End).
  focusEnd(name, last) {
    const buttons = this.seenInTabOrder(name);
    buttons[last ? buttons.length - 1 : 0]?.focus({ preventScroll: true });
  }

  // The buttons the player sees, in the Tab order: the menu's 画像処理
  // beyond the window's edge is Tab's alone.
  seenInTabOrder(name) {
    const client = this.byId(name).querySelector('.client').getBoundingClientRect();
    return [...this.byId(name).querySelectorAll('.client button')].filter((b) => {
      const r = b.getBoundingClientRect();
      const x = r.left + r.width / 2;
      const y = r.top + r.height / 2;
      return b.offsetParent !== null && x >= client.left && x <= client.right && y >= client.top && y <= client.bottom;
    });
  }

  fillList(entries) {
    const list = this.byId('List1');
    list.replaceChildren(...entries.split('\n').map((text, i) => {
      const entry = this.doc.createElement('div');
      entry.setAttribute('role', 'option');
      entry.id = `List1-${i}`;
      entry.textContent = entry.text = text;
      entry.addEventListener('click', () => { list.selectedIndex = i; });
      return entry;
    }));
    list.selectedIndex = -1;
    list.scrollTop = 0;
  }

  // The list window's list: the page's own list box, whose entries are as
  // tall as the page's layout makes them in every browser (a finger's on a
  // phone), read as a select element is (selectedIndex, options).
  makeListBox(list) {
    const entries = () => list.querySelectorAll('[role=option]');
    Object.defineProperties(list, {
      options: { get: entries },
      selectedIndex: {
        get: () => [...entries()].findIndex((e) => e.getAttribute('aria-selected') === 'true'),
        set: (index) => {
          entries().forEach((e, i) => e.setAttribute('aria-selected', String(i === index)));
          const chosen = entries()[index];
          if (chosen) {
            chosen.scrollIntoView({ block: 'nearest' });
            list.setAttribute('aria-activedescendant', chosen.id);
          } else {
            list.removeAttribute('aria-activedescendant');
          }
        },
      },
    });
  }

  // The game lays the menu out (player/menu_layout.h): the client's height,
  // then a line for each button in the Tab order: its row (the answer), where
  // it stands and its size, what it is, its caption and what a screen reader
  // says it does. Built once for the game's table.
  fillMenu(layout) {
    if (layout === this.menuLayout) return;
    this.menuLayout = layout;
    const [height, ...rows] = layout.split('\n');
    const client = this.byId('Form8').querySelector('.client');
    this.byId('Form8').style.setProperty('--ch', height);
    client.replaceChildren(...rows.map((line, tabOrder) => {
      const [row, x, y, w, h, kind, caption, description] = line.split('\t');
      const button = this.doc.createElement('button');
      button.className = 'tw';
      button.dataset.row = row;
      button.dataset.kind = kind;
      button.style.cssText = `--x:${x};--y:${y};--w:${w};--h:${h}`;
      button.textContent = caption;
      button.setAttribute('aria-description', description);
      button.addEventListener('click', (e) => {
        this.menuPressed = tabOrder;
        this.answer('Form8', Number(row), e);
      });
      return button;
    }));
  }

  // Beside the main window, or where the player last dragged it by the main
  // window, for the rest of the game.
  placeMenu() {
    const [left, top] = position(this.main);
    this.placeOnScreen(this.byId('Form8'), left + this.menuPlace[0], top + this.menuPlace[1]);
  }

  // At its own size from the corner, named by what it shows; without a
  // picture the whole window takes the click, or the game could never go on.
  showPicture(argument) {
    const [file, words] = argument.split('\n');
    const image = this.byId('Image1');
    image.alt = words;
    this.byId('Form7').setAttribute('aria-label', words);
    const address = this.addressOf(file);
    image.classList.add('missing');
    image.onload = () => {
      image.style.setProperty('--iw', image.naturalWidth);
      image.classList.remove('missing');
    };
    image.removeAttribute('src');
    if (address) image.src = address;
  }

  // --- the slot details beside the list (the game's words, app/slot_lines.cpp) ---
  // Given as the list opens, and again when a slot it lists changes.
  slotDetails(lines) {
    this.details = lines;
    if (!this.byId('Form5').hidden) this.showDetails();
  }

  // Each entry says its slot's details after its name, as the panel shows
  // them (which a screen reader then leaves out).
  showDetails() {
    const panel = this.byId('slotDetails');
    const slots = this.details ? this.details.split('\x1e') : [];
    panel.replaceChildren(...slots.flatMap((words) => slotParts(words).map((text) =>
      Object.assign(this.doc.createElement('span'), { textContent: text }))));
    for (const [i, option] of [...this.byId('List1').options].entries()) {
      const details = (slots[i] || '').replace(option.text, '').replace(/\s+/g, ' ').trim();
      if (details) option.setAttribute('aria-description', details);
    }
    panel.hidden = !this.details;
    if (!panel.hidden) this.placeDetails(panel);
    this.details = '';
  }

  // Wholly on the screen beside the list, never over it: to the right, else
  // to the left, below or above, as the window program places it; clear of
  // the plates and the message where a side is.
  placeDetails(panel) {
    if (getComputedStyle(panel).position === 'fixed') {
      this.placeDetailsOnPhone(panel);
      return;
    }
    const list = this.box(this.byId('Form5'));
    const size = this.box(panel);
    const kept = ['picHinichi', 'picBasho', 'Picture3', 'lblMsg'].map((id) => this.box(this.byId(id)));
    const apart = (a, b) => a[0] + a[2] <= b[0] || b[0] + b[2] <= a[0] || a[1] + a[3] <= b[1] || b[1] + b[3] <= a[1];
    const onScreen = (at) => at[0] >= 0 && at[1] >= 0 && at[0] + size[2] <= kScreen[0] && at[1] + size[3] <= kScreen[1];
    const clear = (at) => onScreen(at) && kept.every((part) => apart([at[0], at[1], size[2], size[3]], part));
    const along = (at, length, room) => Math.min(Math.max(at, 0), Math.max(0, room - length));
    const beside = along(list[1], size[3], kScreen[1]);
    const under = along(list[0], size[2], kScreen[0]);
    const sides = [[list[0] + list[2] + kGap, beside], [list[0] - kGap - size[2], beside],
      [under, list[1] + list[3] + kGap], [under, list[1] - kGap - size[3]]];
    // Each side, slid along it (a design pixel at a time) as little as it
    // takes to stay clear of the plates and the message.
    const slid = sides.flatMap(([x, y], side) => Array.from({ length: 2 * 760 + 1 }, (_, i) => {
      const by = (i % 2 ? -1 : 1) * Math.ceil(i / 2) * 15;
      return side < 2 ? [x, y + by] : [x + by, y];
    }));
    const at = slid.find(clear) || sides.find(onScreen) || [along(list[0] + list[2], size[2], kScreen[0]), beside];
    place(panel, Math.round(at[0]), Math.round(at[1]));
  }

  // On a phone the list rises as a sheet: the details stand between the
  // message and the sheet, or beside the message where the sheet stands over
  // the scene (sideways), in the room the phone's layout leaves them.
  placeDetailsOnPhone(panel) {
    const message = this.byId('lblMsg').getBoundingClientRect();
    const sheet = this.byId('Form5').getBoundingClientRect();
    const gap = 6;
    const beside = sheet.right <= message.left;
    panel.style.setProperty('--top', `${message.bottom + gap}px`);
    panel.style.setProperty('--bottom', `${innerHeight - (beside ? sheet.bottom : sheet.top - gap)}px`);
    panel.style.setProperty('--left', `${beside ? message.left : 0}px`);
  }

  // A window's outer box, in twips of the screen.
  box(element) {
    const screen = this.byId('screen').getBoundingClientRect();
    const r = element.getBoundingClientRect();
    const twips = kScreen[0] / screen.width;
    return [(r.left - screen.left) * twips, (r.top - screen.top) * twips, r.width * twips, r.height * twips];
  }

  // Where the game or the player puts a window, kept whole on the screen;
  // the main window keeps its caption on it.
  placeOnScreen(win, left, top) {
    const [, , width, height] = win.hidden ? [0, 0, 0, 0] : this.box(win);
    const tall = win === this.main ? this.box(win.querySelector('.caption'))[3] : height;
    place(win, Math.round(Math.min(Math.max(left, 0), Math.max(0, kScreen[0] - width))),
      Math.round(Math.min(Math.max(top, 0), Math.max(0, kScreen[1] - tall))));
  }

  // The main window's outer corner, in twips, as the window system says.
  mainPosition() {
    return position(this.main);
  }

  anyOpen() {
    return [...this.doc.querySelectorAll('.window.dialog')].some((w) => !w.hidden);
  }

  makeDraggable() {
    for (const caption of this.doc.querySelectorAll('.window > .caption')) {
      const win = caption.parentElement;
      if (!win.hidden) fitCaption(win, this.rule);
      caption.addEventListener('pointerdown', (e) => {
        if (e.button !== 0 || e.target.closest('button')) return;
        if (win === this.main && this.anyOpen()) return;  // a disabled window stays put
        const twipsPerCssPixel = kScreen[0] / this.byId('screen').getBoundingClientRect().width;
        const [left, top] = position(win);
        const start = [e.clientX, e.clientY];
        caption.setPointerCapture(e.pointerId);
        const move = (m) => this.placeOnScreen(win, left + (m.clientX - start[0]) * twipsPerCssPixel,
          top + (m.clientY - start[1]) * twipsPerCssPixel);
        caption.addEventListener('pointermove', move);
        caption.addEventListener('pointerup', () => {
          caption.removeEventListener('pointermove', move);
          if (win.id !== 'Form8') return;
          const [menuLeft, menuTop] = position(win);
          const [mainLeft, mainTop] = position(this.main);
          this.menuPlace = [menuLeft - mainLeft, menuTop - mainTop];
        }, { once: true });
      });
    }
  }
}

// The design's captions carry leading spaces that only pushed the text towards
// the middle of the bar; the bar centres the text, and narrows a caption too
// wide for its small window instead of cutting it, as the game's rule says
// (before the game has loaded, a caption is drawn as it is).
function fitCaption(win, rule) {
  const room = win.querySelector(':scope > .caption > span');
  if (!room) return;
  if (!room.firstElementChild) {
    const text = win.ownerDocument.createElement('span');
    text.textContent = room.textContent.trim();
    room.replaceChildren(text);
  }
  const text = room.firstElementChild;
  text.style.transform = '';
  const narrowing = rule('velmora_narrowing', text.offsetWidth, room.clientWidth);
  if (narrowing !== null && narrowing !== 1) text.style.transform = `scaleX(${narrowing})`;
}
