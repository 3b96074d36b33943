// What the player sees of the page, for the contract's page driver: one
// snapshot (contract.py names its parts), where a named control stands, and
// whether the page has taken the player's last step. Installed in every page
// the driver opens; it only reads the page, except writeSlots, which puts a
// start's slots into the page's storage before the game looks at them.
window.contractSees = (() => {
  const $ = (selector) => document.querySelector(selector);
  const ratio = () => window.devicePixelRatio || 1;
  const shown = (e) => Boolean(e) && !e.hidden && !e.closest('[hidden]') && e.getClientRects().length > 0;
  const rect = (e) => {
    if (!shown(e)) return null;
    const r = e.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height].map((v) => v * ratio());
  };
  const union = (rects) => {
    const all = rects.filter(Boolean);
    if (!all.length) return null;
    const left = Math.min(...all.map((r) => r[0]));
    const top = Math.min(...all.map((r) => r[1]));
    return [left, top, Math.max(...all.map((r) => r[0] + r[2])) - left,
      Math.max(...all.map((r) => r[1] + r[3])) - top];
  };
  const text = (e) => (e ? e.textContent.replace(/\s+$/, '') : null);

  const kGameWindows = { main: 'Form1', NEXT: 'Form3', question: 'Form2', list: 'Form5', menu: 'Form8',
    name: 'Form4', picture: 'Form7' };
  const kComforts = { history: '履歴', settings: '設定', storyMap: 'ストーリーマップ', slots: 'セーブデータ',
    album: 'アルバム', comfortMenu: 'メニュー' };

  function windows() {
    const all = {};
    for (const [name, id] of Object.entries(kGameWindows)) {
      const win = document.getElementById(id);
      if (!shown(win)) continue;
      const buttons = [...win.querySelectorAll('.client button')].filter((b) => b.offsetLeft < 150 * 15);
      all[name] = {
        rect: rect(win), bar: rect(win.querySelector(':scope > .caption')), frame: false,
        close: rect(win.querySelector(':scope > .caption .close')),
        button: buttons.length ? Math.min(...buttons.map((b) => rect(b) ? rect(b)[3] : 0)) : 0,
        element: win,
      };
    }
    for (const [id, title] of Object.entries(kComforts)) {
      const win = document.getElementById(id);
      if (!shown(win)) continue;
      all[title] = {
        rect: rect(win), bar: rect(win.querySelector(':scope > .caption, :scope > h2')), frame: false,
        close: rect(win.querySelector(':scope > .caption .close')), button: 0, element: win,
      };
    }
    const details = $('#slotDetails');
    if (shown(details)) all.details = { rect: rect(details), bar: null, frame: false, close: null, element: details };
    const plates = union(['#picHinichi', '#picBasho', '#Picture3'].map((s) => rect($(s))));
    if (plates) all.plates = { rect: plates, bar: null, frame: false, close: null, element: null };
    return all;
  }

  // Bottom to top, as they are painted: where two overlap, the one the
  // browser hits at the middle of their overlap stands above.
  function stacking(all) {
    const names = Object.keys(all).filter((n) => all[n].element);
    const overlap = (a, b) => {
      const left = Math.max(a[0], b[0]); const top = Math.max(a[1], b[1]);
      const right = Math.min(a[0] + a[2], b[0] + b[2]); const bottom = Math.min(a[1] + a[3], b[1] + b[3]);
      return right > left && bottom > top ? [(left + right) / 2 / ratio(), (top + bottom) / 2 / ratio()] : null;
    };
    const order = (x, y) => {
      const at = overlap(all[x].rect, all[y].rect);
      if (at) {
        const hit = document.elementFromPoint(at[0], at[1]);
        if (hit && all[x].element.contains(hit)) return 1;
        if (hit && all[y].element.contains(hit)) return -1;
      }
      const z = (n) => Number(getComputedStyle(all[n].element).zIndex) || 0;
      return z(x) - z(y) || (all[x].element.compareDocumentPosition(all[y].element) &
        Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1);
    };
    return names.sort(order);
  }

  // The window the player sees waiting: the game's window on top of those
  // shown (NEXT above the picture window); where none is shown while the
  // game waits, the message itself (the title, window-move mode).
  function waits(all, page) {
    const open = stacking(all).filter((name) => name !== 'main' && kGameWindows[name]);
    if (open.length) return open[open.length - 1];
    return page && page.pending && !page.status.ended ? 'message' : null;
  }

  function focus() {
    const e = document.activeElement;
    if (!e || e === document.body) return null;
    if (e.tagName === 'SELECT' || e.getAttribute('role') === 'listbox') return 'list';
    if (e.tagName === 'INPUT') return e.id || e.type;
    if (e.classList.contains('close')) return '×';
    return e.textContent.trim() || e.id;
  }

  // The lines of an element as the browser lays them out.
  function renderedLines(e) {
    if (!shown(e)) return null;
    const lines = [];
    let top = null;
    const walker = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      for (let i = 0; i < node.data.length; ++i) {
        const range = document.createRange();
        range.setStart(node, i);
        range.setEnd(node, i + 1);
        const box = range.getClientRects()[0];
        if (!box || node.data[i] === '\n') continue;
        if (top === null || box.top > top + box.height / 2) {
          lines.push('');
          top = box.top;
        }
        lines[lines.length - 1] += node.data[i];
      }
    }
    return lines.map((l) => l.trim()).filter(Boolean);
  }

  // The time's text against the room its plate gives it: two pixels from
  // the label's left to five short of its right, and what the label shows.
  function timeFit() {
    const label = $('#lblJikoku');
    if (!shown(label)) return null;
    const range = document.createRange();
    range.selectNodeContents(label);
    const ink = range.getBoundingClientRect();
    const box = label.getBoundingClientRect();
    const plate = $('#Picture3').getBoundingClientRect();
    const px = plate.width / 142;
    const label0 = plate.left + 20 * px;
    const room = [Math.max(label0 + 2 * px, box.left), Math.min(label0 + 116 * px, box.right)];
    return { ink: [ink.left * ratio(), ink.right * ratio()], room: room.map((v) => v * ratio()) };
  }

  function comfortMenu() {
    const menu = $('#comfortMenu');
    if (!shown(menu)) return null;
    const items = {};
    for (const b of menu.querySelectorAll('button')) {
      items[(b.firstElementChild || b).textContent.trim()] = !b.disabled;
    }
    return items;
  }

  function storyMap() {
    const map = $('#storyMap');
    if (!shown(map)) return null;
    const hint = [...map.querySelectorAll('td.hint')].map((t) => t.textContent).find((t) => t && t !== 'ヒント');
    return { said: text(map.querySelector('.trouble')), hint: hint || null };
  }

  // The album: each tile by what a screen reader reads of it, and the
  // picture open, if any: its name, the size it is drawn at and a tile's.
  function album() {
    const box = $('#album');
    if (!shown(box)) return null;
    const tiles = [...box.querySelectorAll('.tiles button')];
    const opened = box.querySelector('.opened canvas');
    const size = (e) => (e ? [e.getBoundingClientRect().width, e.getBoundingClientRect().height] : [0, 0]);
    return {
      tiles: tiles.map((t) => t.getAttribute('aria-label')),
      opened: shown(opened) ? { name: opened.parentElement.getAttribute('aria-label'), size: size(opened),
        tile: size(tiles.find((t) => t.getClientRects().length > 0) || tiles[0]) } : null,
    };
  }

  // Whether the game has the music going: from its call to play until its
  // call to stop, whether or not the browser has decoded it yet.
  function musicGoing(page) {
    const music = page && page.music;
    if (!music) return false;
    if (!music.contractWatched) {
      const [play, stop] = [music.play.bind(music), music.stop.bind(music)];
      music.contractGoing = music.playing();
      music.play = (name) => { play(name); music.contractGoing = true; };
      music.stop = () => { music.contractGoing = false; stop(); };
      music.contractWatched = true;
    }
    return music.contractGoing;
  }

  function settings() {
    try {
      return JSON.parse(localStorage.getItem('velmora.comforts') || '{}');
    } catch (e) {
      return {};
    }
  }

  // The message as far as it is drawn (it may be appearing letter by letter).
  function messageDrawn(page) {
    if (!page || !page.appearing) return null;
    const drawn = page.appearing.drawn();
    return drawn.startsWith(' \n') ? drawn.slice(2) : drawn;
  }

  // The settings' sliders of named steps: {caption: the step's name}.
  function steps() {
    return Object.fromEntries([...document.querySelectorAll('.comfort input[type=range]')]
      .filter((e) => shown(e) && e.ariaValueText).map((e) => [e.getAttribute('aria-label'), e.ariaValueText]));
  }

  // The letters' clock held (or let go): a message appearing stays as drawn.
  // A pad of the contract's own behind navigator.getGamepads, in the
  // standard mapping: a button pressed or let go, then two frames for the
  // page to read it.
  const kPadButtons = { A: 0, B: 1, X: 2, Y: 3, L: 4, R: 5, Back: 8, Start: 9, Up: 12, Down: 13,
    Left: 14, Right: 15 };
  let pad = null;
  function padButton(name, down) {
    if (!(name in kPadButtons)) throw new Error(`no such button: ${name}`);
    if (!pad) {
      pad = { id: 'contract pad', mapping: 'standard', connected: true, axes: [0, 0, 0, 0],
        buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
      navigator.getGamepads = () => [pad];
      window.dispatchEvent(new Event('gamepadconnected'));
    }
    pad.buttons[kPadButtons[name]] = { pressed: down, value: down ? 1 : 0 };
    return new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => done(true))));
  }

  function holdText(held) {
    const page = window.velmora && velmora.page;
    if (page && page.appearing) page.appearing.hold(held);
  }

  function snapshot() {
    const page = window.velmora && velmora.page;
    const all = windows();
    const message = $('#lblMsg').textContent;
    const notice = $('#notice');
    const list = $('#List1');
    const date = $('#picHinichi > img');
    const day = date && date.dataset.file ? '１２３４５６７８'.indexOf(date.dataset.file.slice(2, 3)) + 1 : 1;
    const comforts = Object.entries(kComforts).filter(([id]) => shown(document.getElementById(id)))
      .map(([, title]) => title);
    const question = $('#importQuestion');
    return {
      waits: waits(all, page),
      message: message.startsWith(' \n') ? message.slice(2) : message,
      messageShows: shown($('#lblMsg')),
      messageDrawn: messageDrawn(page),
      messageName: $('#lblMsg').getAttribute('aria-label') || $('#lblMsg').innerText.trim(),
      steps: steps(),
      time: $('#lblJikoku').textContent, day,
      focus: focus(),
      highlight: shown(list) && list.selectedIndex >= 0 ? list.options[list.selectedIndex].text : null,
      nameBox: $('#Text1').value,
      notice: shown(notice) ? notice.textContent : null,
      told: [...document.querySelectorAll('#spoken > p')].map((p) => p.textContent),
      music: musicGoing(page),
      muted: Boolean(settings().muted),
      skipping: Boolean(page && page.skipping),
      comforts,
      comfortMenu: comfortMenu(),
      details: shown($('#slotDetails')) ? renderedLines($('#slotDetails')) : null,
      keyHelp: renderedLines($('#settings .keys') || $('#settings p:not(.close-row)')),
      listScrolls: shown(list) ? list.scrollHeight > list.clientHeight : null,
      storyMap: storyMap(),
      album: album(),
      importQuestion: shown(question) ? question.textContent : null,
      continueOffer: shown($('#continueOffer')) ? $('#continueOffer').innerText : null,
      timeFit: timeFit(),
      windows: Object.fromEntries(Object.entries(all).map(([n, w]) => {
        const { element, ...seen } = w;
        return [n, seen];
      })),
      stacking: stacking(all),
      screen: [window.innerWidth * ratio(), window.innerHeight * ratio()],
      fullScreen: Boolean(document.fullscreenElement),
      ended: Boolean(page && page.status.ended),
    };
  }

  // The middle of the control a row names, in CSS pixels, or null.
  function where(target) {
    const centre = (e) => {
      if (!shown(e)) return null;
      if (e.tagName === 'OPTION' || e.getAttribute('role') === 'option') e.scrollIntoView({ block: 'nearest' });
      const r = e.getBoundingClientRect();
      return r.width > 0 ? [r.left + r.width / 2, r.top + r.height / 2] : null;
    };
    const named = { 'the message': '#lblMsg', 'the scene': '#picMain', NEXT: '#next', 'ＹＥＳ': '#cmdYes',
      NO: '#cmdNo', '≡': '#comfortButton' };
    if (named[target]) return centre($(named[target]));
    if (target === 'OK') return centre([$('#listOk'), $('#nameOk')].find(shown));
    let m = /^the close box of (.+)$/.exec(target);
    if (m) {
      const name = { 'the question': 'Form2', 'the menu': 'Form8', 'the list': 'Form5', 'the main window': 'Form1' }[m[1]];
      return name ? centre(document.querySelector(`#${name} > .caption .close`)) : null;
    }
    m = /^the title bar of (.+)$/.exec(target);
    if (m) {
      const name = { 'the menu': 'Form8', 'the main window': 'Form1' }[m[1]];
      return name ? centre(document.querySelector(`#${name} > .caption span`)) : null;
    }
    m = /^「(.+)」$/.exec(target);
    if (!m) return null;
    const caption = m[1];
    const slider = [...document.querySelectorAll('.comfort input[type=range]')]
      .find((e) => e.getAttribute('aria-label') === caption);
    if (slider) return centre(slider);
    const candidates = [
      ...document.querySelectorAll('#comfortMenu button, .comfort button, #List1 option, #List1 [role=option], #Form8 button[data-row], .window.dialog button, #continueOffer'),
    ].filter(shown);
    const headed = (e) => e.closest('#comfortMenu') || e.id === 'continueOffer';
    const own = (e) => (headed(e) && e.firstElementChild ? e.firstElementChild : e).textContent.trim();
    return centre(candidates.find((e) => own(e) === caption));
  }

  // The page has taken the player's last step: the game waits for the next
  // one (or has ended), and the comforts' windows are drawn.
  function settled() {
    const page = window.velmora && velmora.page;
    musicGoing(page);
    return Boolean(page && (page.pending || page.status.ended));
  }


  // --- what the explorer of the game's windows looks at (windows_explorer.py) ---
  // The part of an element its clipping boxes let show, in CSS px, or null.
  function seenPart(e) {
    if (!shown(e) || getComputedStyle(e).visibility === 'hidden') return null;
    const r = e.getBoundingClientRect();
    let [left, top, right, bottom] = [r.left, r.top, r.right, r.bottom];
    let scrolled = false;  // some of it hidden by a box that scrolls to it
    for (let a = e.parentElement; a && a !== document.documentElement; a = a.parentElement) {
      const s = getComputedStyle(a);
      if (s.overflowX === 'visible' && s.overflowY === 'visible') continue;
      // Clipped at its padding box, inside its border.
      const b = a.getBoundingClientRect();
      const c = { left: b.left + a.clientLeft, top: b.top + a.clientTop };
      [c.right, c.bottom] = [c.left + (a.clientWidth || b.width), c.top + (a.clientHeight || b.height)];
      const clipped = [Math.max(left, c.left), Math.max(top, c.top), Math.min(right, c.right), Math.min(bottom, c.bottom)];
      if (clipped.some((v, i) => Math.abs(v - [left, top, right, bottom][i]) > 0.5) &&
          /auto|scroll/.test(s.overflowY + s.overflowX)) scrolled = true;
      [left, top, right, bottom] = clipped;
    }
    return right > left && bottom > top ? { left, top, right, bottom, scrolled } : null;
  }

  const kLookWindows = { ...Object.fromEntries(Object.entries(kGameWindows).map(([n, id]) => [n, `#${id}`])),
    ...Object.fromEntries(Object.entries(kComforts).map(([id, title]) => [title, `#${id}`])),
    details: '#slotDetails', notices: '#notices' };
  const kControls = 'button, input, #List1 option, [role=option], #lblMsg, .plate, #Image1, #imgSub';

  function kindOf(e) {
    if (e.id === 'lblMsg') return 'message';
    if (e.classList.contains('plate')) return 'plate';
    if (e.id === 'Image1') return 'picture';
    if (e.id === 'imgSub') return 'side';
    if (e.classList.contains('close')) return 'mark';
    if (e.tagName === 'OPTION' || e.getAttribute('role') === 'option') return 'row';
    if (e.tagName === 'SELECT' || e.getAttribute('role') === 'listbox') return 'list';
    if (e.type === 'checkbox') return 'box';
    if (e.type === 'range') return 'slider';
    if (e.tagName === 'INPUT') return 'field';
    return 'button';
  }

  function nameOf(e) {
    if (e.classList.contains('close')) return '×';
    if (e.tagName === 'INPUT' && e.type !== 'text') return e.getAttribute('aria-label') || e.id || e.type;
    const own = e.closest('#comfortMenu') && e.firstElementChild ? e.firstElementChild : e;
    return own.textContent.trim() || e.id || e.getAttribute('aria-label') || e.tagName;
  }

  function shortName(e) {
    return (e.matches(kControls) ? nameOf(e) : e.id || e.tagName.toLowerCase()).slice(0, 24);
  }

  function windowOf(e) {
    for (const [name, selector] of Object.entries(kLookWindows)) {
      const win = document.querySelector(selector);
      if (win && win.contains(e) && !Object.values(kLookWindows).some((s) => s !== selector &&
        win.contains(document.querySelector(s)) && document.querySelector(s).contains(e))) return name;
    }
    return null;
  }

  // A switch is pressed by its words too: its label is its target.
  function controlSeen(control) {
    const e = control.type === 'checkbox' && control.closest('label') ? control.closest('label') : control;
    const whole = e.getBoundingClientRect();
    const part = seenPart(e);
    // What a box scrolls (a list's entries, the story map's rows) is
    // clicked where it shows; it is cut only where it cannot be scrolled to.
    const row = part.scrolled || e.tagName === 'OPTION';
    const r = row ? { left: part.left, top: part.top, right: part.right, bottom: part.bottom } : whole;
    const d = ratio();
    const px = document.getElementById('screen').getBoundingClientRect().width / 760;
    // 2 px inside each corner, and inside its rounding, where a click lands on the control.
    const style = getComputedStyle(e);
    const inset = (corner) => 2 / d + parseFloat(style[`border${corner}Radius`]) * (1 - Math.SQRT1_2);
    const [tl, tr, bl, br] = ['TopLeft', 'TopRight', 'BottomLeft', 'BottomRight'].map(inset);
    const points = [[(r.left + r.right) / 2, (r.top + r.bottom) / 2], [r.left + tl, r.top + tl],
      [r.right - tr, r.top + tr], [r.left + bl, r.bottom - bl], [r.right - br, r.bottom - br]];
    let by = null;
    const hits = points.map(([x, y]) => {
      const at = document.elementFromPoint(x, y);
      const reached = Boolean(at) && (e.contains(at) || (e.tagName === 'OPTION' && at === e.parentElement));
      if (!reached && by === null) by = at ? `${windowOf(at) || 'the page'} ${shortName(at)}` : 'nothing';
      return reached;
    });
    const cutBy = Math.max(part.left - r.left, part.top - r.top, r.right - part.right, r.bottom - part.bottom) * d;
    const scrolled = part.scrolled;
    return { name: nameOf(e), kind: kindOf(control), rect: [whole.left, whole.top, whole.width, whole.height].map((v) => v * d),
      hits, by, cutBy, scrolled, text: parseFloat(getComputedStyle(e).fontSize) * d,
      design: [whole.width / px, whole.height / px] };
  }

  function look() {
    const windows = [];
    for (const [name, selector] of Object.entries(kLookWindows)) {
      const win = document.querySelector(selector);
      if (!seenPart(win)) continue;
      // A sliver a box has scrolled nearly out of view is not yet a target.
      const seenEnough = (e) => {
        const p = seenPart(e);
        return p && Math.min(p.right - p.left, p.bottom - p.top) * ratio() >= 5;
      };
      const controls = [...win.querySelectorAll(kControls)]
        .filter((e) => windowOf(e) === name && seenEnough(e) && !e.closest('[hidden]') &&
          !(e.tagName === 'INPUT' && e.type === 'hidden'));
      if (name === 'main') controls.push(...[$('#comfortButton')].filter((e) => e && seenPart(e)));
      const sizes = [...win.querySelectorAll('*')].filter((e) => windowOf(e) === name && seenPart(e) &&
        [...e.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.data.trim()))
        .map((e) => parseFloat(getComputedStyle(e).fontSize) * ratio()).sort((a, b) => a - b);
      const sideways = [...win.querySelectorAll('*'), win].some((e) => {
        const s = getComputedStyle(e);
        return (s.overflowX === 'auto' || s.overflowX === 'scroll') && e.scrollWidth > e.clientWidth + 1;
      });
      windows.push({ name, rect: rect(win), text: sizes.length ? sizes[Math.floor(sizes.length / 2)] : 0,
        sideways, controls: controls.map(controlSeen) });
    }
    const focused = document.activeElement;
    return { windows, ratio: ratio(), focus: focused && focused !== document.body ? windowOf(focused) : null,
      focusControl: focused && focused !== document.body ? nameOf(focused) : null };
  }

  async function writeSlots(files) {
    const storage = velmora.page.files;
    await storage.opened;
    await storage.writeAll(Object.entries(files).map(([name, b64]) => ({
      name, bytes: Uint8Array.from(atob(b64), (c) => c.charCodeAt(0)),
    })));
  }

  async function slot(name) {
    const files = await velmora.page.files.slotFiles(name);
    const b64 = (bytes) => btoa(String.fromCharCode(...bytes));
    return files && { [name]: b64(files.flags), [`${name}_text`]: b64(files.text) };
  }

  return { snapshot, where, settled, writeSlots, slot, look, holdText, padButton };
})();
