// The player's comforts around the game's own windows, as the desktop game
// has them: the keys, the wheel, the history, full screen, the music's
// volume and mute, auto-advance, skipping what has been read, going back
// and forward through the steps of the game, the story map, reached from a
// menu (right click, the menu key or the ≡ button) and F2; and, for a page,
// the save slots' files to download or bring in. They never change what the
// game does: the only answers they give are the ones the player's own click
// would give, or (going forward) gave before.
import {
  kBack, kCanGoBack, kCanGoForward, kForward, kQuickLoad, kQuickSave, kSkipHold, kSkipLetGo, kSkipStop,
  kAlbum, kSkipToggle, kSlotWords, kStoryMap,
} from './page_codes.js';
import { paintLight } from './scene_light.js';
import * as table from './page_table.js';
import { slotParts } from './windows.js';

const kSettingsKey = 'velmora.comforts';
const kDefaults = {
  volume: 100, muted: false, wheelDownPressesNext: false, autoAdvance: false, skipUnread: false,
  autoAdvancePace: table.kDefaultAutoAdvancePace, textSpeed: table.kDefaultTextSpeed,
};

// Auto-advance's pace, whatever the storage held: one of the game's.
function paceIndex(pace) {
  return Math.min(Math.max(Math.round(Number(pace)) || 0, 0), table.kAutoAdvancePaces.length - 1);
}

// The text's speed, whatever the storage held: one of the game's.
function speedIndex(speed) {
  const step = Math.round(Number(speed));
  return Number.isFinite(step) ? Math.min(Math.max(step, 0), table.kTextSpeeds.length - 1) : table.kDefaultTextSpeed;
}

function paceOf(pace) {
  return table.kAutoAdvancePaces[paceIndex(pace)];
}

function loadSettings() {
  try {
    return { ...kDefaults, ...JSON.parse(localStorage.getItem(kSettingsKey) || '{}') };
  } catch (e) {
    return { ...kDefaults };
  }
}

// The music's gain at a step of the volume's slider, whatever the storage held.
function gainOf(volume) {
  const steps = table.kVolumeGains;
  return steps[Math.min(Math.max(Math.round(Number(volume)) || 0, 0), steps.length - 1)];
}

function element(tag, properties = {}, ...children) {
  const e = Object.assign(document.createElement(tag), properties);
  e.append(...children);
  return e;
}

// A comfort window's last row: its close button. Esc is named only where
// there is a keyboard (phone.css hides it on a touch screen).
function closeRow(close) {
  const key = element('span', { className: 'key-name' }, '（Esc）');
  return element('p', { className: 'close-row' },
    element('button', { type: 'button', onclick: close }, '閉じる', key));
}

// A comfort's window, a dialog to a screen reader, named by its title.
function panel(id, label) {
  const box = element('section', { id, className: 'comfort', hidden: true });
  box.setAttribute('role', 'dialog');
  box.setAttribute('aria-modal', 'true');
  box.setAttribute('aria-label', label);
  return box;
}

function typing() {
  const focus = document.activeElement;
  return Boolean(focus) && focus.tagName === 'INPUT' && focus.type !== 'checkbox' && focus.type !== 'range';
}

function download(name, bytes) {
  const link = element('a', {
    href: URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' })),
    download: name,
  });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

export class Comforts {
  constructor(doc, page) {
    this.doc = doc;
    this.page = page;
    this.screen = doc.getElementById('screen');
    this.settings = loadSettings();
    this.open = null;  // the comfort window shown, if any
    this.autoTimer = null;
    this.lastLength = 0;
    this.swallowKeyUp = null;
    this.noticeTimer = null;
    this.hidden = null;  // while the player has hidden the message window: the focus to give back
    this.apply();
    this.build();
    this.listen();
  }

  save() {
    try {
      localStorage.setItem(kSettingsKey, JSON.stringify(this.settings));
    } catch (e) {
      // Without storage the comforts last as long as the page.
    }
  }

  apply() {
    this.page.music.setVolume(this.settings.muted ? 0 : gainOf(this.settings.volume));
    this.page.skipUnread = this.settings.skipUnread;
    this.page.msPerLetter = table.kTextSpeeds[speedIndex(this.settings.textSpeed)];
    if (!this.page.msPerLetter) this.page.appearing.showWhole();
    this.save();
  }

  // A key or an item that changes a comfort says what it did, in the game's
  // words: the player may not hear the music stop or see the next message wait.
  toggle(option) {
    this.settings[option] = !this.settings[option];
    this.apply();
    if (option === 'autoAdvance') this.armAutoAdvance();
    const words = { muted: 'music', autoAdvance: 'autoAdvance' }[option];
    if (words) {
      this.say(this.page.rule('velmora_words', words, this.settings[option],
        paceIndex(this.settings.autoAdvancePace)));
    }
  }

  // A short notice over the scene's top-left corner that goes by itself.
  say(text) {
    if (!text) return;
    const notice = this.doc.getElementById('notice');
    notice.textContent = text;
    notice.hidden = false;
    clearTimeout(this.noticeTimer);
    this.noticeTimer = setTimeout(() => { notice.hidden = true; },
      Math.max(table.kNoticeMs, table.kNoticeMsPerCharacter * [...text].length));
  }

  // --- windows of the comforts ---
  build() {
    const button = (caption, action, extra = {}) =>
      element('button', { type: 'button', onclick: action, ...extra }, caption);
    this.historyText = element('div', { id: 'historyText' });
    this.historyText.setAttribute('aria-label', '履歴の本文');
    this.history = panel('history', '履歴');
    this.history.append(element('h2', {}, '履歴'), this.historyText,
      closeRow(() => this.close()));
    this.settingsBox = panel('settings', '設定');
    this.slots = panel('slots', 'セーブデータ');
    this.storyMap = panel('storyMap', 'ストーリーマップ');
    this.album = panel('album', 'アルバム');
    this.menu = element('section', { id: 'comfortMenu', className: 'comfort', hidden: true });
    this.skipMark = element('div', { id: 'skipMark', className: 'tw', hidden: true }, '既読スキップ');
    this.skipMark.style.cssText = '--x:5700;--y:4380;--w:1440;--h:300';
    this.menuButton = button('≡', (e) => this.openMenu(e), {
      id: 'comfortButton', title: 'メニュー', ariaLabel: 'メニュー',
    });
    this.menuButton.className = 'tw';
    this.menuButton.style.cssText = '--x:60;--y:6615;--w:270;--h:270';
    this.screen.append(this.history, this.settingsBox, this.slots, this.storyMap, this.album, this.menu,
      this.menuButton);
    this.doc.getElementById('Form1').querySelector('.client').append(this.skipMark);
  }

  show(box) {
    this.close();
    this.open = box;
    this.focusedBefore = this.doc.activeElement;
    box.hidden = false;
    ++this.page.blocked;
    (box.querySelector('input:enabled, button:enabled, pre') || box).focus({ preventScroll: true });
  }

  // The focus goes back where it was (the menu's button the player had
  // moved to, not its first).
  close() {
    if (!this.open) return;
    this.open.hidden = true;
    this.open = null;
    --this.page.blocked;
    this.page.windows.focusBack(this.focusedBefore, this.page.status.waitingFor);
  }

  // Each message a paragraph; the focus on the newest, where a screen reader
  // reads from.
  openHistory() {
    const said = this.page.status.messages.map((m) => element('p', {}, m.replace(/\r\n/g, '\n')));
    this.historyText.replaceChildren(...said);
    this.show(this.history);
    const newest = said[said.length - 1];
    if (newest) {
      newest.tabIndex = -1;
      newest.focus({ preventScroll: true });
    }
    this.historyText.scrollTop = this.historyText.scrollHeight;
  }

  openSettings() {
    const s = this.settings;
    const check = (caption, option) => element('label', {},
      element('input', { type: 'checkbox', checked: s[option], onchange: () => this.toggle(option) }),
      ' ' + caption);
    const volume = element('input', {
      type: 'range', min: 0, max: table.kVolumeGains.length - 1, value: s.volume,
      ariaLabel: table.kCaptionVolume,
      oninput: () => { s.volume = Number(volume.value); this.apply(); },
    });
    // A pace or a speed: a few named steps on a slider, each step's name
    // beside it and told to a screen reader as the slider's value.
    const steps = (option, count, index, caption, words, changed) => {
      const named = (step) => this.page.rule('velmora_words', words, 0, step) || '';
      const shown = element('output', {}, named(index(s[option])));
      const slider = element('input', {
        type: 'range', min: 0, max: count - 1, value: index(s[option]), id: option, ariaLabel: caption,
        oninput: () => {
          s[option] = Number(slider.value);
          shown.textContent = named(s[option]);
          slider.ariaValueText = shown.textContent;
          this.apply();
          changed();
        },
      });
      slider.ariaValueText = shown.textContent;
      return element('label', {}, caption + ' ', slider, ' ', shown);
    };
    this.settingsBox.replaceChildren(element('h2', {}, '設定'),
      element('label', {}, table.kCaptionVolume + ' ', volume),
      check(table.kCaptionMuted, 'muted'),
      check(table.kCaptionWheelDownPressesNext, 'wheelDownPressesNext'),
      check(table.kCaptionAutoAdvance, 'autoAdvance'),
      steps('autoAdvancePace', table.kAutoAdvancePaces.length, paceIndex, table.kCaptionAutoAdvancePace,
        'paceName', () => this.armAutoAdvance()),
      steps('textSpeed', table.kTextSpeeds.length, speedIndex, table.kCaptionTextSpeed, 'textSpeedName',
        () => {}),
      check(table.kCaptionSkipUnread, 'skipUnread'),
      element('p', { className: 'keys' }, this.page.rule('velmora_words', 'keyHelp', 0) || ''),
      closeRow(() => this.close()));
    this.show(this.settingsBox);
  }

  // The game's words of each slot arrive as the window opens; once the
  // game has ended, the window lists the slots without them.
  async openSlots() {
    this.slotWords = null;
    this.slotResult = element('p', { role: 'status' });
    this.slotsWanted = true;
    if (!this.page.status.ended) {
      this.page.report(kSlotWords);
      return;
    }
    await this.showSlots();
  }

  // Shown once asked for, or drawn again with the game's words of each slot
  // while it is open; a window closed meanwhile stays closed.
  async showSlots() {
    const opening = this.slotsWanted;
    if (!opening && this.open !== this.slots) return;
    this.slotsWanted = false;
    await this.listSlots(this.slotResult);
    if (opening && this.open !== this.slots) this.show(this.slots);
  }

  async listSlots(result) {
    const rows = [];
    for (const [i, slot] of this.page.slots.entries()) {
      const files = await this.page.files.slotFiles(slot);
      const get = element('button', {
        type: 'button', disabled: !files,
        onclick: () => { download(slot, files.flags); download(slot + '_text', files.text); },
      }, 'ダウンロード');
      const said = this.slotWords ? slotParts(this.slotWords[i] || slot)[1] :
        (files ? table.kSlotFilesKept : table.kSlotFilesNone);
      rows.push(element('tr', {}, element('th', { scope: 'row' }, slot), element('td', { className: 'words' }, said),
        element('td', {}, get)));
    }
    // The browser's own file control speaks its language, not the game's:
    // it stays out of sight, pressed by a button of the game's words.
    const picker = element('input', { type: 'file', multiple: true, id: 'slotUpload', hidden: true });
    const choose = element('button', { type: 'button', id: 'slotChoose', onclick: () => picker.click() }, 'ファイルを選ぶ…');
    // Emptied at once, so that the same files chosen again are taken again.
    picker.onchange = () => {
      const chosen = [...picker.files];
      picker.value = '';
      this.bringIn(chosen, result);
    };
    // One question box for the window's life: the slots' words may arrive
    // and draw the window again while it asks.
    this.question = this.question || element('div', { id: 'importQuestion', hidden: true });
    this.slots.replaceChildren(element('h2', {}, 'セーブデータ'), this.question,
      element('p', {}, '各スロットは 2 つのファイル（例: file1 と file1_text）です。' +
        'デスクトップ版のゲームフォルダーにある同じ名前のファイルとそのまま交換できます。'),
      element('table', {}, ...rows),
      element('p', {}, 'ファイルを読み込む（2 つ一緒に選んでください）: ', choose, picker), result,
      closeRow(() => this.close()));
  }

  // The two files of a slot, named as the game names them, replace it
  // together once the game has read them as a slot, and once the player has
  // said YES where they would replace a save.
  async bringIn(files, result) {
    result.textContent = '';  // the word on the files brought in before is not this one
    const byName = new Map(files.map((f) => [f.name.toLowerCase(), f]));
    const slot = this.page.slots.find((s) => byName.has(s) && byName.has(s + '_text'));
    if (!slot || files.length !== 2) {
      const chosen = files.map((f) => f.name).join('、');
      result.textContent = 'スロットの 2 つのファイルを、file1 と file1_text のようにスロットの名前のままで一緒に選んでください' +
        `（選んだファイル：${chosen || 'なし'}）。`;
      return;
    }
    // As large as the game's own reader takes (the game says how large):
    // a larger file is refused before it is read.
    if (files.some((f) => f.size > this.page.slotFileLimit)) {
      result.textContent = '大きすぎるファイルです。ゲームのスロットのファイルを選んでください。';
      return;
    }
    if (this.page.status.ended) {
      result.textContent = 'ゲームが終わっているため読み込めません。ページを再読み込みしてください。';
      return;
    }
    const bytes = async (name) => new Uint8Array(await byName.get(name).arrayBuffer());
    const [flags, text] = [await bytes(slot), await bytes(slot + '_text')];
    let answer = await this.page.upload(slot, flags, text);
    if (answer.question) {
      if (!(await this.ask(answer.question))) {
        result.textContent = `${slot} はそのままです。`;
        return;
      }
      answer = await this.page.upload(slot, flags, text, true);
    }
    result.textContent = answer.saved ? `${slot} に読み込みました。` :
      `${slot} に読み込めませんでした。${answer.why}`;
    if (answer.saved) this.page.report(kSlotWords);
  }

  // The game's question in the slot window; resolves with the answer.
  ask(question) {
    return new Promise((resolve) => {
      const answer = (yes) => {
        this.question.hidden = true;
        resolve(yes);
      };
      const yes = element('button', { type: 'button', onclick: () => answer(true) }, 'はい');
      this.question.replaceChildren(element('p', {}, question), element('p', { className: 'close-row' },
        yes, ' ', element('button', { type: 'button', onclick: () => answer(false) }, 'いいえ')));
      this.question.hidden = false;
      yes.focus({ preventScroll: true });
    });
  }

  // The arrows, Home and End go through the menu's entries, as a menu's
  // do (and a pad's D-pad, which is the arrows).
  menuKey(e) {
    const entries = [...this.menu.querySelectorAll('button:not(:disabled)')];
    const focused = entries.indexOf(this.doc.activeElement);
    const at = focused < 0 && e.key === 'ArrowUp' ? 0 : focused;
    const to = { ArrowDown: (at + 1) % entries.length, ArrowUp: (at - 1 + entries.length) % entries.length,
      Home: 0, End: entries.length - 1 }[e.key];
    if (to === undefined || !entries.length) return;
    entries[to].focus();
    e.preventDefault();
  }

  openMenu(event) {
    const item = (caption, keys, action, checked) => {
      const b = element('button', { type: 'button', onclick: () => { this.close(); action(); } },
        element('span', {}, caption), element('span', {}, keys));
      if (checked !== undefined) b.setAttribute('aria-checked', String(checked));
      b.setAttribute('role', checked === undefined ? 'menuitem' : 'menuitemcheckbox');
      return b;
    };
    this.menu.setAttribute('role', 'menu');
    this.menu.onkeydown = (e) => this.menuKey(e);
    const steps = this.page.steps;
    const back = item('ひとつ戻る', 'Page Up・←・ホイール上', () => this.back());
    const forward = item('ひとつ進む', 'Page Down・ホイール下', () => this.forward());
    // Greyed where there is no step to go to (the start, right after a load).
    back.disabled = !(steps & kCanGoBack) || this.page.status.ended;
    forward.disabled = !(steps & kCanGoForward) || this.page.status.ended;
    // Where the game saves and loads: at the command menu.
    const quickSave = item('クイックセーブ', 'F5', () => this.quick(kQuickSave));
    const quickLoad = item('クイックロード', 'F9', () => this.quick(kQuickLoad));
    quickSave.disabled = quickLoad.disabled = this.page.status.waitingFor !== 'Form8';
    const offer = this.page.continueOffer;
    const resume = offer && offer.offered() ? [item('続きから', 'C', () => offer.take())] : [];
    this.menu.replaceChildren(
      ...resume,
      item('履歴を見る', 'H', () => this.openHistory()),
      back, forward,
      item('既読スキップ', 'Ctrl・Tab', () => this.page.report(kSkipToggle), this.page.skipping),
      item('ストーリーマップ', 'S', () => this.askStoryMap()),
      item('アルバム', 'G', () => this.askAlbum()),
      item(this.page.rule('velmora_words', 'hideWindow', 0), 'V', () => this.hideWindow()),
      item('全画面', 'F11', () => this.toggleFullScreen(), Boolean(document.fullscreenElement)),
      item('自動送り', 'A', () => this.toggle('autoAdvance'), this.settings.autoAdvance),
      item('音楽を消す', 'M', () => this.toggle('muted'), this.settings.muted),
      quickSave, quickLoad,
      item('設定…', 'F2・Ctrl+,', () => this.openSettings()),
      item('セーブデータ（ダウンロード・読み込み）…', '', () => this.openSlots()));
    const bounds = this.screen.getBoundingClientRect();
    const at = event && event.clientX !== undefined && event.clientX > 0 ?
      [event.clientX - bounds.left, event.clientY - bounds.top] : [bounds.width / 3, bounds.height / 4];
    this.menu.style.left = `${Math.min(at[0], bounds.width * 0.6)}px`;
    this.menu.style.top = `${Math.min(at[1], bounds.height * 0.5)}px`;
    this.show(this.menu);
    // Every entry within the game's screen, however many the moment offers:
    // the menu rises where it would run past the screen's foot.
    const room = bounds.height - this.menu.getBoundingClientRect().height;
    this.menu.style.top = `${Math.max(0, Math.min(at[1], room))}px`;
  }

  // The quick save and load answer the command menu where it waits.
  quick(code) {
    if (this.page.status.waitingFor !== 'Form8') return false;
    this.page.answer('Form8', code);
    return true;
  }

  toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }

  // --- the album ---
  // The game lists it (player/album.h: its pictures, and which this player
  // has seen); a picture not seen comes as a blank tile's words alone.
  askAlbum() {
    this.page.report(kAlbum);
  }

  // A picture of the album drawn in its light on a canvas of its own size.
  async albumPicture(tile) {
    const canvas = element('canvas', { width: 300, height: 260 });
    const picture = await this.page.pictures.get(tile.file);
    if (!picture) return canvas;
    canvas.width = picture.width;
    canvas.height = picture.height;
    const context = canvas.getContext('2d', { willReadFrequently: true });
    context.drawImage(picture, 0, 0);
    paintLight(this.page.engine, context, tile.lit, tile.light);
    return canvas;
  }

  // The tiles, a button each: a seen one opens its picture full size, which
  // a click or Escape closes again; a blank one shows nothing of its picture.
  showAlbum(tiles) {
    const grid = element('div', { className: 'tiles' });
    const opened = element('button', { type: 'button', className: 'opened', hidden: true });
    opened.onclick = () => this.closeAlbumPicture();
    this.albumOpened = opened;
    for (const tile of tiles) {
      const button = element('button', { type: 'button', className: tile.seen ? 'seen' : 'blank' });
      button.setAttribute('aria-label', tile.words);
      if (tile.seen) {
        this.albumPicture(tile).then((canvas) => button.append(canvas));
        button.onclick = () => this.openAlbumPicture(tile, button);
      }
      grid.append(button);
    }
    grid.onkeydown = (e) => this.moveInAlbum(grid, e);
    const seen = tiles.filter((t) => t.seen).length;
    this.album.replaceChildren(element('h2', {}, 'アルバム'),
      element('p', { className: 'count' }, `見た絵 ${seen} / ${tiles.length}`),
      element('div', { className: 'scroll' }, grid), opened, closeRow(() => this.close()));
    this.show(this.album);
  }

  // The arrows go from tile to tile, up and down by a row, as in the
  // window program's grid.
  moveInAlbum(grid, e) {
    const tiles = [...grid.children];
    const at = tiles.indexOf(document.activeElement);
    const row = tiles.filter((t) => t.offsetTop === tiles[0].offsetTop).length;
    const step = { ArrowRight: 1, ArrowLeft: -1, ArrowDown: row, ArrowUp: -row }[e.key];
    if (at < 0 || !step) return;
    e.preventDefault();
    const to = tiles[Math.max(0, Math.min(tiles.length - 1, at + step))];
    to.focus();
  }

  async openAlbumPicture(tile, from) {
    const opened = this.albumOpened;
    opened.from = from;
    opened.setAttribute('aria-label', tile.words);
    opened.replaceChildren(await this.albumPicture(tile));
    opened.hidden = false;
    this.album.classList.add('picture-open');
    opened.focus({ preventScroll: true });
  }

  // True when a picture was open: Escape closes it before the album.
  closeAlbumPicture() {
    const opened = this.albumOpened;
    if (this.open !== this.album || !opened || opened.hidden) return false;
    opened.hidden = true;
    this.album.classList.remove('picture-open');
    if (opened.from) opened.from.focus({ preventScroll: true });
    return true;
  }

  // --- the story map ---
  // The game writes it (it knows the story and what this player has seen).
  askStoryMap() {
    this.page.report(kStoryMap);
  }

  // Every event by day and place: a seen one by its title, the others as
  // unseen, each with a hint shown only when asked for, one at a time; and
  // what is wrong with the file of its words, if anything. The game gives
  // every word of it, each day by its caption.
  showStoryMap(map) {
    const rows = [];
    let day = '';
    let hintShown = null;
    for (const entry of map.entries) {
      if (entry.day !== day) {
        day = entry.day;
        rows.push(element('tr', { className: 'day' }, element('th', { colSpan: 3 }, day)));
      }
      const hint = element('td', { className: 'hint' });
      const ask = element('button', { type: 'button' }, 'ヒント');
      // Read by itself, it says whose hint it asks for.
      ask.setAttribute('aria-label', `ヒント：${day} ${entry.place || ''}`.trim());
      // The hint takes the button's place and its focus, where a screen
      // reader reads it.
      ask.onclick = () => {
        if (hintShown) hintShown.replaceChildren(hintShown.ask);
        hint.ask = ask;
        const said = element('span', { tabIndex: -1 }, `ヒント：${entry.hint}`);
        // The hint heard, the arrows go on to the ヒント of the next or the
        // last unseen row, as Tab does.
        said.onkeydown = (e) => {
          if (e.key !== 'ArrowDown' && e.key !== 'ArrowUp') return;
          const asks = [...this.storyMap.querySelectorAll('td.hint button')];
          const row = said.closest('tr');
          const after = asks.filter((b) => row.compareDocumentPosition(b) & Node.DOCUMENT_POSITION_FOLLOWING);
          const next = e.key === 'ArrowDown' ? after[0] : asks.filter((b) => !after.includes(b)).pop();
          if (next) next.focus();
          e.preventDefault();
        };
        hint.replaceChildren(said);
        hintShown = hint;
        // The button pressed is gone: the focus stays in the map, on the hint.
        said.focus({ preventScroll: true });
      };
      if (!entry.seen) hint.append(ask);
      rows.push(element('tr', { className: entry.seen ? 'seen' : 'unseen' },
        // Read with its day: the day's own row is passed by.
        element('td', { ariaLabel: `${day} ${entry.place || ''}`.trim() }, entry.place || '—'),
        element('td', {}, entry.title), hint));
    }
    // What is wrong with the file of the map's words, said as the game says it.
    const trouble = map.trouble ? [element('p', { className: 'trouble' }, map.trouble)] : [];
    this.storyMap.replaceChildren(element('h2', {}, 'ストーリーマップ'),
      element('p', { className: 'count' }, map.count),
      ...trouble,
      element('div', { className: 'scroll' }, element('table', {}, ...rows)),
      closeRow(() => this.close()));
    this.show(this.storyMap);
  }

  // --- going back and forward, skipping ---
  back() {
    if (this.page.status.ended) return;
    this.page.restoring = true;
    this.page.report(kBack);
  }

  // Forward through the steps gone back to.
  forward() {
    if (this.page.status.ended || !(this.page.steps & kCanGoForward)) return;
    this.page.restoring = true;
    this.page.report(kForward);
  }

  // --- auto-advance ---
  // It counts from the moment the whole message shows.
  armAutoAdvance() {
    clearTimeout(this.autoTimer);
    if (!this.settings.autoAdvance || this.page.status.waitingFor !== 'Form3') return;
    if (this.page.appearing.appearing) return;
    const [perMessage, perCharacter] = paceOf(this.settings.autoAdvancePace);
    this.autoTimer = setTimeout(() => this.autoPress(), perMessage + perCharacter * this.lastLength);
  }

  // Only the NEXT window, and only while no comfort window stands above it
  // and the player has not hidden it to look at the scene.
  autoPress() {
    if (!this.settings.autoAdvance || this.page.status.waitingFor !== 'Form3') return;
    if (this.open || this.hidden) {
      this.autoTimer = setTimeout(() => this.autoPress(), paceOf(this.settings.autoAdvancePace)[0]);
      return;
    }
    this.doc.getElementById('next').click();
  }

  // --- input ---
  listen() {
    this.page.on('message', (text) => { this.lastLength = [...text].length; });
    this.page.on('wait', () => this.armAutoAdvance());
    this.page.on('whole', () => this.armAutoAdvance());
    this.page.on('end', () => clearTimeout(this.autoTimer));
    this.page.on('skipping', (on) => {
      if (on && this.skipMark.hidden) this.page.windows.say(this.skipMark.textContent);
      this.skipMark.hidden = !on;
    });
    this.page.on('say', (text) => this.say(text));
    this.page.on('storyMap', (map) => this.showStoryMap(map));
    this.page.on('album', (tiles) => this.showAlbum(tiles));
    this.page.on('slotWords', async (words) => {
      this.slotWords = words;
      await this.showSlots();
    });
    this.doc.addEventListener('keydown', (e) => this.onKey(e));
    this.doc.addEventListener('keyup', (e) => this.onKeyUp(e));
    this.screen.addEventListener('wheel', (e) => this.onWheel(e), { passive: false });
    this.screen.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      if (this.dropMenu) {
        this.dropMenu = false;
        return;
      }
      this.openMenu(e);
    });
    // While the window is hidden a press anywhere only brings it back: the
    // press and the click it leaves behind reach nothing else.
    this.showingTouches = new Set();
    this.doc.addEventListener('pointerdown', (e) => this.onButton(e), true);
    for (const kind of ['pointerup', 'pointercancel']) {
      this.doc.addEventListener(kind, (e) => this.showingTouches.delete(e.pointerId), true);
    }
    this.doc.addEventListener('click', (e) => {
      if (!this.dropClick) return;
      this.dropClick = false;
      e.preventDefault();
      e.stopPropagation();
    }, true);
    // A click of the player on a waiting message turns auto-advance off
    // (one on a message still appearing only shows it whole).
    this.screen.addEventListener('pointerdown', (e) => {
      if (this.page.skipping && !e.target.closest('.comfort')) this.page.report(kSkipStop);
      if (e.isTrusted && e.button === 0 && this.settings.autoAdvance && !this.page.appearing.appearing &&
          this.page.status.waitingFor === 'Form3' && !e.target.closest('.comfort')) {
        this.toggle('autoAdvance');
      }
      if (this.open === this.menu && !e.target.closest('#comfortMenu')) this.close();
    });
  }

  press(id) {
    this.doc.getElementById(id).click();
    return true;
  }

  // The game goes on between two listeners of one key, so it may already
  // wait on its next window: a key a window took is not taken again here,
  // and a key taken here is not also a press of the focused button (Space
  // presses one when it is let go, by then the next NEXT).
  onKey(e) {
    if (e.defaultPrevented || !this.handleKey(e)) return;
    e.preventDefault();
    this.swallowKeyUp = e.key;
  }

  onKeyUp(e) {
    if (e.key === 'Control') this.page.report(kSkipLetGo);
    if (e.key !== this.swallowKeyUp) return;
    e.preventDefault();
    this.swallowKeyUp = null;
  }

  // What the key does here is the game's rule (player/player_keys.h);
  // the page carries it out with its own elements.
  handleKey(e) {
    // Before the game first waits it cannot be asked its rule: the title's
    // keys are kept for it as a click on the message is (index.html).
    if (!this.page.status.waits) {
      const titleKey = table.kTitleKeys.some((k) => k.key === e.key && k.ctrl === e.ctrlKey &&
        k.shift === e.shiftKey && k.other === (e.altKey || e.metaKey));
      if (titleKey) this.page.answer('lblMsg', 0, e);
      return titleKey;
    }
    const waiting = this.page.status.waitingFor;
    const window = this.open ? table.kComfortWindow : waiting || '';
    const list = this.doc.getElementById('List1');
    const flags = (e.ctrlKey ? table.kKeyCtrl : 0) | (e.shiftKey ? table.kKeyShift : 0) |
      (e.altKey || e.metaKey ? table.kKeyAltOrMeta : 0) | (e.repeat ? table.kKeyRepeat : 0) |
      (typing() ? table.kKeyTyping : 0) | (this.page.windows.moved[waiting] ? table.kKeyMoved : 0) |
      (waiting === 'Form3' && !this.open ? table.kKeyNextWaits : 0) |
      (waiting === 'lblMsg' && !this.open ? table.kKeyMessageWaits : 0) |
      (waiting === 'lblMsg' && !this.open && this.page.begun ? table.kKeyWindowMoves : 0) |
      (this.hidden ? table.kKeyHidden : 0);
    const said = this.page.rule('velmora_key', e.key, window, flags, list.selectedIndex,
      list.options.length);
    if (!said) return false;
    const [does, moves, stops, entry] = said.split(' ').map(Number);
    if (stops && this.page.skipping) this.page.report(kSkipStop);
    if (moves && waiting) this.page.windows.setMoved(waiting, true);
    return this.carryOut(does, entry, waiting);
  }

  carryOut(does, entry, waiting) {
    const windows = this.page.windows;
    switch (does) {
      case table.kDoesNothing: return true;
      case table.kDoesPressNext: return this.press('next');
      case table.kDoesClickMessage: return this.press('lblMsg');
      case table.kDoesClickPicture: return this.press('Image1');
      case table.kDoesPressOk: return this.press('listOk');  // the list's, the one window that has it
      case table.kDoesMoveWindow: return true;  // the page is its own window: nothing moves, ← stays put
      case table.kDoesFocusNext: return windows.stepFocus(waiting, true) || true;
      case table.kDoesFocusPrevious: return windows.stepFocus(waiting, false) || true;
      case table.kDoesFocusFirst: return windows.focusEnd(waiting, false) || true;
      case table.kDoesFocusLast: return windows.focusEnd(waiting, true) || true;
      case table.kDoesListMove: {
        const list = this.doc.getElementById('List1');
        list.selectedIndex = entry;
        list.focus({ preventScroll: true });
        return true;
      }
      case table.kDoesYes: return this.press('cmdYes');
      case table.kDoesNo: return this.press('cmdNo');
      case table.kDoesBack: return this.back() || true;
      case table.kDoesForward: return this.forward() || true;
      case table.kDoesSkip: return this.page.report(kSkipToggle) || true;
      case table.kDoesHoldSkip: return this.page.report(kSkipHold) && false;
      case table.kDoesHistory: return this.openHistory() || true;
      case table.kDoesMute: return this.toggle('muted') || true;
      case table.kDoesAutoAdvance: return this.toggle('autoAdvance') || true;
      case table.kDoesStoryMap: return this.askStoryMap() || true;
      case table.kDoesFullScreen: return this.toggleFullScreen() || true;
      case table.kDoesSettings: return this.openSettings() || true;
      case table.kDoesComfortMenu: return this.openMenu() || true;
      case table.kDoesCloseComfort: return this.closeAlbumPicture() || this.close() || true;
      case table.kDoesAlbum: return this.askAlbum() || true;
      case table.kDoesQuickSave: return this.quick(kQuickSave);
      case table.kDoesQuickLoad: return this.quick(kQuickLoad);
      case table.kDoesContinue: return Boolean(this.page.continueOffer && this.page.continueOffer.take());
      case table.kDoesHideWindow: return this.hideWindow() || true;
      case table.kDoesTellHowToChoose:
        return this.page.windows.say(this.page.rule('velmora_words', 'chooseFirst',
          waiting === 'Form2' ? 1 : 0)) || true;
      case table.kDoesShowWindow: return this.showWindow() || true;
      default: return false;
    }
  }

  // --- the hidden window ---
  // The middle button over the game's windows hides the message window
  // and the window that waits (a two-finger tap on a phone, touch.js); any
  // press then shows them again (player/player_keys.h).
  onButton(e) {
    // The other fingers of the touch that showed the window touch nothing.
    if (e.pointerType === 'touch' && this.showingTouches.size) {
      this.showingTouches.add(e.pointerId);
      e.stopImmediatePropagation();
      return;
    }
    if (this.hidden && e.pointerType === 'touch') this.showingTouches.add(e.pointerId);
    if (!this.hidden && (this.open || e.button !== 1 || !e.target.closest('#gameLayer'))) return;
    this.pressButton(e.button, e);
  }

  pressButton(button, e) {
    if (!this.page.status.waits) return false;
    const does = this.page.rule('velmora_button', button, this.hidden ? 1 : 0);
    if (does !== table.kDoesHideWindow && does !== table.kDoesShowWindow) return false;
    if (e) {
      e.preventDefault();
      e.stopImmediatePropagation();
    }
    this.dropClick = Boolean(e) && button === 0;
    this.dropMenu = Boolean(e) && button === 2;
    return this.carryOut(does);
  }

  hideWindow() {
    if (this.hidden || this.open) return;
    if (this.page.skipping) this.page.report(kSkipStop);  // as any other key or click would
    this.hidden = { focus: this.doc.activeElement };
    this.screen.classList.add('windowHidden');
    // The keys that show them again come to the main window, never the page itself.
    const main = this.doc.getElementById('Form1');
    main.tabIndex = -1;
    main.focus({ preventScroll: true });
    this.page.windows.say(this.page.rule('velmora_words', 'hidden', 0));
  }

  showWindow() {
    if (!this.hidden) return;
    const { focus } = this.hidden;
    this.hidden = null;
    this.screen.classList.remove('windowHidden');
    if (focus && focus !== this.doc.body && focus.isConnected) focus.focus({ preventScroll: true });
  }

  onWheel(e) {
    if (this.hidden) {
      e.preventDefault();
      this.showWindow();
      return;
    }
    if (this.open || e.target.closest('#List1') || !e.deltaY) return;  // a list scrolls itself
    const steps = this.page.steps;
    const flags = (steps & kCanGoForward ? table.kWheelCanGoForward : 0) |
      (this.settings.wheelDownPressesNext ? table.kWheelDownPressesNext : 0) |
      (this.page.status.waitingFor === 'Form3' ? table.kWheelNextWaits : 0);
    const does = this.page.rule('velmora_wheel', e.deltaY < 0, flags);
    if (does === null || does === table.kDoesNothing) return;
    e.preventDefault();
    if (does === table.kDoesBack) this.back();
    if (does === table.kDoesForward) this.forward();
    if (does === table.kDoesPressNext) this.press('next');
  }
}
