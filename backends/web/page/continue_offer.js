// 続きから on the page's title: a button over the foot of the title's
// picture (on a phone, below the title's message) that says what the
// automatic save holds, as the slot details say a slot, and begins the game
// from it. The game offers it once it has read the automatic save whole; C
// and the page's menu do the same; it goes once the game has begun.
import { kContinueAnswer } from './page_codes.js';

export class ContinueOffer {
  constructor(doc, page) {
    this.page = page;
    this.button = Object.assign(doc.createElement('button'), {
      id: 'continueOffer', type: 'button', className: 'tw', hidden: true,
    });
    this.button.setAttribute('aria-keyshortcuts', 'C');
    this.button.onclick = (e) => this.take(e);
    doc.getElementById('Form1').querySelector('.client').append(this.button);
    page.continueOffer = this;
    page.on('offerContinue', (details) => this.offer(doc, details));
    page.on('wait', (name) => {
      if (name !== 'lblMsg') this.button.hidden = true;
      else this.tell();
    });
  }

  offer(doc, details) {
    const heading = Object.assign(doc.createElement('strong'), { textContent: '続きから' });
    const lines = Object.assign(doc.createElement('span'), { textContent: details });
    this.button.replaceChildren(heading, lines);
    this.button.hidden = false;
    this.details = details;
    this.tell();
  }

  // Said once, wherever the focus is, once the game can be asked its words
  // (it offers before its first wait).
  tell() {
    const words = this.details && !this.told && this.page.rule('velmora_words', 'continue', 0);
    if (!words || this.button.hidden) return;
    this.told = true;
    this.page.windows.say(`${words}\n${this.details}`);
  }

  // Only where the title waits: the game's first wait, before it has begun.
  offered() {
    return !this.button.hidden && !this.page.begun && this.page.status.waitingFor === 'lblMsg';
  }

  take(event) {
    if (!this.offered()) return false;
    this.button.hidden = true;
    this.page.answer('lblMsg', kContinueAnswer, event);
    return true;
  }
}
