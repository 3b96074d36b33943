// The message window's text, whole at once at the game's own speed, or
// letter by letter at the speed the player chose (設定, the game's speeds in
// page_table.js). The letters not yet shown are laid out, unseen, with the
// rest: a word never jumps to the next line as it appears. A screen reader
// is given the whole message at once, as the window's name.
export class Appearing {
  // whole(): the message that was appearing now shows whole.
  constructor(label, whole) {
    this.label = label;
    this.whole = whole;
    this.letters = [];  // the message's letters, its leading line break first
    this.shown = -1;  // the letters shown while it appears; -1: all of them
    this.frame = 0;
    this.held = false;
  }

  get appearing() {
    return this.shown >= 0;
  }

  // text: as the label shows it (" \n" before the message); msPerLetter 0:
  // whole at once.
  show(text, msPerLetter) {
    const was = this.appearing;
    cancelAnimationFrame(this.frame);
    this.letters = [...text];
    this.shown = -1;
    this.label.removeAttribute('aria-label');
    if (msPerLetter > 0) {
      this.msPerLetter = msPerLetter;
      this.first = text.indexOf('\n') + 1;
      this.begun = performance.now();
      this.shown = this.first;
      this.label.setAttribute('aria-label', text.trim());
      this.draw();
      this.frame = requestAnimationFrame((now) => this.tick(now));
      return;
    }
    this.label.textContent = text;
    if (was) this.whole();
  }

  // Shows the whole message now; false when it already showed whole.
  showWhole() {
    if (!this.appearing) return false;
    cancelAnimationFrame(this.frame);
    this.shown = -1;
    this.label.textContent = this.letters.join('');
    this.label.removeAttribute('aria-label');
    this.whole();
    return true;
  }

  // While held, no more letters show until let go (the contract's tests
  // hold it to see a message appearing).
  hold(held) {
    this.held = held;
    if (!held && this.appearing) this.tick(performance.now());
  }

  // The message as drawn now.
  drawn() {
    return this.letters.slice(0, this.appearing ? this.shown : this.letters.length).join('');
  }

  tick(now) {
    if (!this.appearing) return;
    if (!this.held) {
      const due = this.first + Math.max(0, Math.floor((now - this.begun) / this.msPerLetter));
      if (due >= this.letters.length) {
        this.showWhole();
        return;
      }
      if (due > this.shown) {  // never fewer, were the speed changed meanwhile
        this.shown = due;
        this.draw();
      }
    }
    cancelAnimationFrame(this.frame);
    this.frame = requestAnimationFrame((t) => this.tick(t));
  }

  draw() {
    const unshown = Object.assign(document.createElement('span'), {
      className: 'unshown', textContent: this.letters.slice(this.shown).join(''),
    });
    this.label.replaceChildren(this.letters.slice(0, this.shown).join(''), unshown);
  }
}
