// A finger on the message or the scene (or the picture standing over it):
// a tap, a swipe or a long press. A tap is NEXT where NEXT waits, and never
// answers a question (as Enter does not); at the title it is the message's
// own click. A swipe down or to the right goes back a step, up or to the
// left forward; a long press opens the page's menu; a tap of two fingers
// hides the message window (as the middle button does). While one of the page's
// own windows is open, a touch only closes it (the comforts see to that).
// Elsewhere a touch is the browser's: a tap on a button is its click.
const kSwipe = 40;          // CSS pixels the finger travels for a swipe
const kStill = 10;          // and at most, for a tap or a long press
const kLongPressMs = 550;

export class Touch {
  constructor(doc, page, comforts) {
    this.page = page;
    this.comforts = comforts;
    this.finger = null;
    this.handled = false;
    this.dropClick = false;  // the click a touch handled here leaves behind
    for (const id of ['lblMsg', 'picMain', 'Form7']) {
      const area = doc.getElementById(id);
      area.addEventListener('pointerdown', (e) => this.down(e));
      area.addEventListener('pointermove', (e) => this.move(e));
      area.addEventListener('pointerup', (e) => this.up(e));
      area.addEventListener('pointercancel', () => this.lift());
      // A handled touch leaves no click behind: the game has moved on, and
      // the click would land on whatever window now stands under the finger.
      // Where the browser no longer lets the touch's end be cancelled (it
      // took the finger for a scroll, or answered late), the click that
      // follows is dropped instead.
      area.addEventListener('touchend', (e) => {
        if (this.handled && e.cancelable) e.preventDefault();
        else if (this.handled) this.dropClick = true;
        this.handled = false;
      }, { passive: false });
    }
    doc.addEventListener('pointerdown', (e) => {
      this.dropClick = false;  // a new touch's own click
      if (e.pointerType === 'touch' && this.finger && e.pointerId !== this.finger.id) this.secondFinger();
    }, true);
    doc.addEventListener('click', (e) => {
      if (!this.dropClick) return;
      this.dropClick = false;
      e.preventDefault();
      e.stopPropagation();
    }, true);
  }

  // The window that waits is read as the finger lands: the comforts close
  // their own at the same touch, and the game may move on before it lifts.
  down(e) {
    if (e.pointerType !== 'touch' || this.finger) return;
    this.handled = false;
    const window = this.comforts.open ? 'comfort' : this.page.status.waitingFor || '';
    const finger = { id: e.pointerId, x: e.clientX, y: e.clientY, window, pressed: false };
    finger.timer = setTimeout(() => {
      finger.pressed = true;
      this.carryOut('longPress', finger, e);
    }, kLongPressMs);
    this.finger = finger;
  }

  // A second finger down: no long press, and perhaps a tap of two.
  secondFinger() {
    clearTimeout(this.finger.timer);
    this.finger.fingers = 2;
  }

  move(e) {
    const finger = this.finger;
    if (!finger || e.pointerId !== finger.id) return;
    if (Math.hypot(e.clientX - finger.x, e.clientY - finger.y) > kStill) clearTimeout(finger.timer);
  }

  up(e) {
    const finger = this.finger;
    if (!finger || e.pointerId !== finger.id) return;
    this.lift();
    if (finger.pressed) return;
    const dx = e.clientX - finger.x;
    const dy = e.clientY - finger.y;
    if (Math.max(Math.abs(dx), Math.abs(dy)) >= kSwipe) {
      const back = Math.abs(dy) >= Math.abs(dx) ? dy > 0 : dx > 0;
      this.carryOut(back ? 'swipeBack' : 'swipeForward', finger, e);
    } else if (Math.hypot(dx, dy) <= kStill) {
      this.carryOut(finger.fingers === 2 ? 'twoFingerTap' : 'tap', finger, e);
    }
  }

  lift() {
    if (this.finger) clearTimeout(this.finger.timer);
    this.finger = null;
  }

  carryOut(gesture, finger, e) {
    if (finger.window === 'comfort') return;
    if (gesture === 'twoFingerTap') {
      this.handled = this.comforts.pressButton(1);
      return;
    }
    // A tap anywhere but at NEXT is the element's own click (the title's message).
    if (gesture === 'tap' && finger.window !== 'Form3') return;
    this.handled = true;
    switch (gesture) {
      case 'tap': this.comforts.press('next'); break;
      case 'swipeBack': this.comforts.back(); break;
      case 'swipeForward': this.comforts.forward(); break;
      case 'longPress': this.comforts.openMenu(e); break;
      default: break;
    }
  }
}
