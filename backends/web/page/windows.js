// The game's windows on the page. Each wait of the game opens (or keeps
// open) one window and is answered by one click in it: NEXT, YES or NO,
// OK, a command, the picture, or the message label itself. The windows the
// game places stand where it says, in twips of the screen; the others open
// where they were designed. A window can be dragged by its caption, except
// the main window while another window of the game is open. Every window
// stays on the screen as the window program keeps them: the main window
// keeps its caption on it, the others stand whole on it.
const kFrame = 45;     // border, in twips
const kScreen = [760 * 15, 460 * 15];  // the screen the windows stand on, in twips
const kGap = 4 * 15;  // between the list and its details, in twips
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
    this.topmost = 1;
    this.wire();
    this.makeDraggable();
  }

  // The player has moved the focus in the window since it opened; until
  // then a question, a list and the menu draw no focus (velmora.css), as
  // Enter and Space do nothing there yet.
  setMoved(name, moved) {
    this.moved[name] = moved;
    const chooses = name === 'Form2' || name === 'Form5' || name === 'Form8';
    this.byId(name)?.toggleAttribute('data-keys-wait', chooses && !moved);
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
  }

  // The window that waits for the player, open and with its focus.
  open(name, argument, left, top) {
    // At the title and in window-move mode the message itself waits: the
    // focus on it, so that a screen reader reads it, as on the desktop.
    if (name === 'lblMsg') {
      this.byId('lblMsg').focus({ preventScroll: true });
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
      fitCaption(win);
      this.tellScreenReader(win, name, argument);
    }
    if (name === 'Form3' || name === 'Form2' || name === 'Form5') this.placeOnScreen(win, left, top);
    if (!opening) return;
    if (name === 'Form8') this.placeMenu();
    if (name === 'Form5') this.showDetails();
    this.focusFirst(name);
  }

  // What a screen reader hears as the window opens: the message it answers,
  // its first line as the window's name (「データをロードしますか？」), the
  // caption left as drawn; NEXT describes the message, so the focus moving
  // there speaks it, after what the plates say anew since the last message
  // (the game gives NEXT those words). The picture window keeps its own
  // words (what the picture shows): the message behind it is not what it
  // shows.
  tellScreenReader(win, name, plateNews) {
    if (name === 'Form7') return;
    const message = this.byId('lblMsg').textContent.trim();
    if (name === 'Form3') {
      const next = this.byId('next');
      next.dataset.does ??= next.getAttribute('aria-description');
      const news = plateNews ? `${plateNews}\n` : '';
      next.setAttribute('aria-description', `${news}${message}\n${next.dataset.does}`);
      return;
    }
    win.setAttribute('aria-label', message.split('\n')[0]);
    win.setAttribute('aria-description', message);
  }

  // After its answer a window hides, except those the game closes itself:
  // the name window after a valid OK, the picture window after its NEXT.
  answered(name, value) {
    if (name === 'lblMsg' || name === 'Form7' || (name === 'Form4' && value === 0)) return;
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
    const buttons = [...this.byId(name).querySelectorAll('.client button')]
      .filter((b) => b.offsetParent !== null);
    const at = buttons.indexOf(this.doc.activeElement);
    const next = at < 0 ? 0 : (at + (forward ? 1 : buttons.length - 1)) % buttons.length;
    buttons[next].focus({ preventScroll: true });
  }

  fillList(entries) {
    const list = this.byId('List1');
    list.replaceChildren(...entries.split('\n').map((text) => new Option(text)));
    list.selectedIndex = -1;
  }

  // The game lays the menu out (player/menu_layout.h): the client's height,
  // then a line for each button in the Tab order: its row (the answer), where
  // it stands and its size, what it is and its caption. Built once for the game's table.
  fillMenu(layout) {
    if (layout === this.menuLayout) return;
    this.menuLayout = layout;
    const [height, ...rows] = layout.split('\n');
    const client = this.byId('Form8').querySelector('.client');
    this.byId('Form8').style.setProperty('--ch', height);
    client.replaceChildren(...rows.map((line, tabOrder) => {
      const [row, x, y, w, h, kind, caption] = line.split('\t');
      const button = this.doc.createElement('button');
      button.className = 'tw';
      button.dataset.row = row;
      button.dataset.kind = kind;
      button.style.cssText = `--x:${x};--y:${y};--w:${w};--h:${h}`;
      button.textContent = caption;
      button.setAttribute('aria-description', 'このコマンドを選びます');
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

  showDetails() {
    const panel = this.byId('slotDetails');
    panel.textContent = this.details.replace(/\x1e/g, '\n');
    panel.hidden = !this.details;
    if (!panel.hidden) this.placeDetails(panel);
    this.details = '';
  }

  // Wholly on the screen beside the list, never over it: to the right, else
  // to the left, below or above, as the window program places it.
  placeDetails(panel) {
    const list = this.box(this.byId('Form5'));
    const size = this.box(panel);
    const fit = (at) => at[0] >= 0 && at[1] >= 0 && at[0] + size[2] <= kScreen[0] && at[1] + size[3] <= kScreen[1];
    const along = (at, length, room) => Math.min(Math.max(at, 0), Math.max(0, room - length));
    const beside = along(list[1], size[3], kScreen[1]);
    const under = along(list[0], size[2], kScreen[0]);
    const sides = [[list[0] + list[2] + kGap, beside], [list[0] - kGap - size[2], beside],
      [under, list[1] + list[3] + kGap], [under, list[1] - kGap - size[3]]];
    const at = sides.find(fit) || [along(list[0] + list[2], size[2], kScreen[0]), beside];
    place(panel, Math.round(at[0]), Math.round(at[1]));
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
      if (!win.hidden) fitCaption(win);
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
// wide for its small window instead of cutting it.
function fitCaption(win) {
  const room = win.querySelector(':scope > .caption > span');
  if (!room) return;
  if (!room.firstElementChild) {
    const text = win.ownerDocument.createElement('span');
    text.textContent = room.textContent.trim();
    room.replaceChildren(text);
  }
  const text = room.firstElementChild;
  text.style.transform = '';
  const wanted = text.offsetWidth;
  if (wanted > room.clientWidth) text.style.transform = `scaleX(${wanted ? room.clientWidth / wanted : 1})`;
}
