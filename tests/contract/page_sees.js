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
    comfortMenu: 'メニュー' };

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
    if (e.tagName === 'SELECT') return 'list';
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
      time: $('#lblJikoku').textContent, day,
      focus: focus(),
      highlight: shown(list) && list.selectedIndex >= 0 ? list.options[list.selectedIndex].text : null,
      nameBox: $('#Text1').value,
      notice: shown(notice) ? notice.textContent : null,
      music: musicGoing(page),
      muted: Boolean(settings().muted),
      skipping: Boolean(page && page.skipping),
      comforts,
      comfortMenu: comfortMenu(),
      details: shown($('#slotDetails')) ? renderedLines($('#slotDetails')) : null,
      keyHelp: renderedLines($('#settings .keys') || $('#settings p:not(.close-row)')),
      listScrolls: shown(list) ? list.scrollHeight > list.clientHeight : null,
      storyMap: storyMap(),
      importQuestion: shown(question) ? question.textContent : null,
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
      if (e.tagName === 'OPTION') e.scrollIntoView({ block: 'nearest' });
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
    const candidates = [
      ...document.querySelectorAll('#comfortMenu button, .comfort button, #List1 option, #Form8 button[data-row], .window.dialog button'),
    ].filter(shown);
    const own = (e) => (e.closest('#comfortMenu') && e.firstElementChild ? e.firstElementChild : e).textContent.trim();
    return centre(candidates.find((e) => own(e) === caption));
  }

  // The page has taken the player's last step: the game waits for the next
  // one (or has ended), and the comforts' windows are drawn.
  function settled() {
    const page = window.velmora && velmora.page;
    musicGoing(page);
    return Boolean(page && (page.pending || page.status.ended));
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

  return { snapshot, where, settled, writeSlots, slot };
})();
