// What the page itself has to tell the player, in Japanese, below the game:
// a browser without WebAssembly, storage it may not use, a file it could
// not download. Each notice is said once, and stays until the player
// closes it; the game's screen leaves it the room it takes (--notices), so
// that it never stands over a button of the game.
export const kNoWebAssembly =
  'このブラウザでは WebAssembly が使えないため、ゲームを動かせません。' +
  '最新のブラウザで開くか、ブラウザの設定で WebAssembly（JavaScript の最適化機能）を有効にしてください。';
export const kStorageBlocked =
  'このブラウザではページのデータ保存（IndexedDB）が禁止されているため、セーブとロードはできません。' +
  'ゲームはそのまま遊べます。保存するにはサイトデータの保存を許可してください。';
export const kEngineFailed =
  'ゲーム本体をダウンロードできませんでした。通信状態を確かめて、ページを再読み込みしてください。';
export const kEngineStopped =
  'ゲームが続けられなくなりました。ページを再読み込みすると、最初から遊べます。';

export function downloadFailed(name) {
  return `ファイル「${name}」をダウンロードできませんでした。このファイルを使う場面は表示されません。`;
}

export class Notices {
  constructor(box) {
    this.box = box;
    this.said = new Set();
    const room = () => box.ownerDocument.documentElement.style.setProperty('--notices', `${box.offsetHeight}px`);
    new ResizeObserver(room).observe(box);
  }

  say(text) {
    if (this.said.has(text)) return;
    this.said.add(text);
    const doc = this.box.ownerDocument;
    const line = doc.createElement('p');
    const close = doc.createElement('button');
    close.type = 'button';
    close.className = 'close';
    close.textContent = '×';
    close.setAttribute('aria-label', '閉じる');
    close.addEventListener('click', () => line.remove());
    line.append(doc.createTextNode(text), close);
    this.box.append(line);
  }
}
