// The game's windows on the page. Each wait of the game opens (or keeps
// open) one window and is answered by one click in it: NEXT, YES or NO,
// OK, a command, the picture, or the message label itself. The windows the
// game places stand where it says, in twips of the screen; the others open
// where they were designed. A window can be dragged by its caption, except
// the main window while another window of the game is open.
const kFrame = 45;     // border, in twips

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
  // addressOf(file): where a picture of the game's folder is on the site.
  constructor(doc, answer, addressOf) {
    this.doc = doc;
    this.answer = answer;
    this.addressOf = addressOf;
    this.main = doc.getElementById('Form1');
    this.menuFocus = null;
    this.menuPlaced = false;
    this.topmost = 1;
    this.wire();
    this.makeDraggable();
  }

  byId(id) {
    return this.doc.getElementById(id);
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
    for (const button of this.byId('Form8').querySelectorAll('button[data-row]')) {
      button.addEventListener('click', (e) => {
        this.menuFocus = button;
        this.answer('Form8', Number(button.dataset.row), e);
      });
    }
    // Enter in a box of the name window or in the list presses its OK, as in
    // a dialog of the desktop; not while an input method is composing.
    const okOnEnter = (id, ok) => this.byId(id).addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.isComposing) return;
      e.preventDefault();
      this.byId(ok).click();
    });
    okOnEnter('Text1', 'nameOk');
    okOnEnter('Text2', 'nameOk');
    okOnEnter('List1', 'listOk');
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
    if (name === 'lblMsg') return;
    const win = this.byId(name);
    const opening = win.hidden;
    if (name === 'Form3' || name === 'Form2' || name === 'Form5') place(win, left, top);
    if (!opening) return;
    if (name === 'Form5') this.fillList(argument);
    if (name === 'Form8') this.fillMenu(argument);
    if (name === 'Form7') this.showPicture(argument);
    win.style.zIndex = ++this.topmost;  // the NEXT of the picture window stands above it
    win.hidden = false;
    fitCaption(win);
    this.focusFirst(name);
  }

  // After its answer a window hides, except those the game closes itself:
  // the name window after a valid OK, the picture window after its NEXT.
  answered(name, value) {
    if (name === 'lblMsg' || name === 'Form7' || (name === 'Form4' && value === 0)) return;
    this.close(name);
  }

  close(name) {
    const win = this.byId(name);
    if (win) win.hidden = true;
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
      (this.menuFocus || this.byId('Form8').querySelector('button')).focus({ preventScroll: true });
    } else if (first) {
      this.byId(first).focus({ preventScroll: true });
    }
  }

  fillList(entries) {
    const list = this.byId('List1');
    list.replaceChildren(...entries.split('\n').map((text) => new Option(text)));
    list.selectedIndex = -1;
  }

  // The menu never follows the main window: it opens once beside it.
  fillMenu(captions) {
    const texts = captions.split('\n');
    for (const button of this.byId('Form8').querySelectorAll('button[data-row]')) {
      button.textContent = texts[Number(button.dataset.row)] || '';
      button.setAttribute('aria-description', 'このコマンドを選びます');
    }
    if (this.menuPlaced) return;
    this.menuPlaced = true;
    const [left, top] = position(this.main);
    place(this.byId('Form8'), left + 8535 + 2 * kFrame + 15, top);
  }

  // At its own size from the corner; without a picture the whole window
  // takes the click, or the game could never go on.
  showPicture(file) {
    const image = this.byId('Image1');
    const address = this.addressOf(file);
    image.classList.add('missing');
    image.onload = () => {
      image.style.setProperty('--iw', image.naturalWidth);
      image.classList.remove('missing');
    };
    image.removeAttribute('src');
    if (address) image.src = address;
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
        const twipsPerCssPixel = 760 * 15 / this.byId('screen').getBoundingClientRect().width;
        const [left, top] = position(win);
        const start = [e.clientX, e.clientY];
        caption.setPointerCapture(e.pointerId);
        const move = (m) => place(win, Math.round(left + (m.clientX - start[0]) * twipsPerCssPixel),
          Math.round(top + (m.clientY - start[1]) * twipsPerCssPixel));
        caption.addEventListener('pointermove', move);
        caption.addEventListener('pointerup', () => caption.removeEventListener('pointermove', move),
          { once: true });
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
  if (wanted > room.clientWidth) text.style.transform = `scaleX(${room.clientWidth / wanted})`;
}
