// A gamepad plays the page as the keyboard does: each button of the
// browser's standard mapping is the key the player's key rules give it
// (kPadKeys, written from player/player_keys.cpp), pressed and let go where
// the focus is; the left stick leans as the D-pad. The pads are read at
// each frame only while one is connected.
import { kPadKeys } from './page_table.js';

// The standard mapping's buttons, in the order of kPadKeys.
const kStandardButtons = [0, 1, 2, 3, 8, 9, 4, 5, 12, 13, 14, 15];
const kLean = 0.5;  // how far the stick leans before it counts as pressed

export class Pad {
  constructor(doc, win = doc.defaultView) {
    this.doc = doc;
    this.win = win;
    this.down = new Set();  // the buttons (kPadKeys' indices) held
    this.reading = false;
    win.addEventListener('gamepadconnected', () => this.read());
    // A pad that showed itself while the page was loading.
    if ([...(win.navigator.getGamepads?.() || [])].some(Boolean)) this.read();
  }

  read() {
    if (this.reading) return;
    this.reading = true;
    const frame = () => {
      const pads = [...(this.win.navigator.getGamepads?.() || [])].filter(Boolean);
      this.follow(pads);
      if (pads.length || this.down.size) this.win.requestAnimationFrame(frame);
      else this.reading = false;
    };
    this.win.requestAnimationFrame(frame);
  }

  // Every button held on any pad, by kPadKeys' index.
  follow(pads) {
    const held = new Set();
    for (const pad of pads) {
      kStandardButtons.forEach((index, button) => {
        if (pad.buttons[index]?.pressed) held.add(button);
      });
      const [x = 0, y = 0] = pad.axes;
      if (y < -kLean) held.add(8);
      if (y > kLean) held.add(9);
      if (x < -kLean) held.add(10);
      if (x > kLean) held.add(11);
    }
    for (const button of this.down) if (!held.has(button)) this.key('keyup', button);
    for (const button of held) if (!this.down.has(button)) this.key('keydown', button);
    this.down = held;
  }

  // The key, where the keyboard's would go. A synthetic key has no default
  // action of the browser's: Enter on a focused button the rules leave to
  // it is that button's click.
  key(type, button) {
    const key = kPadKeys[button];
    if (!key) return;
    const target = this.doc.activeElement || this.doc.body;
    const event = new KeyboardEvent(type, {
      key, bubbles: true, cancelable: true, ctrlKey: key === 'Control' && type === 'keydown',
    });
    target.dispatchEvent(event);
    if (type === 'keydown' && key === 'Enter' && !event.defaultPrevented &&
        target.matches?.('button, input[type=checkbox]')) target.click();
  }
}
