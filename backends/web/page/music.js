// The music, looped without a seam through Web Audio: the whole file is
// decoded once into samples, and the loop jumps from its last sample to
// its first. The site has each music in three forms (tools/web/build_site.py):
// Ogg Vorbis and Ogg Opus, small, and FLAC, lossless; the page takes the first
// this browser says it plays, and the next one where its decoder fails after
// all. Each ends where the wave file ends, with no silence added at either end.
import { downloadFailed } from './notices.js';
import { fileKey } from './slot_storage.js';

function playable(type) {
  const probe = document.createElement('audio');
  return typeof probe.canPlayType === 'function' && probe.canPlayType(type) !== '';
}

// The forms of one music to try, in order: those the browser says it plays,
// then the lossless one whatever it says (a browser may decode more than it
// admits to).
export function formsToTry(music) {
  const forms = music.forms || [];
  const lossless = forms[forms.length - 1];
  return [...forms.filter((f) => f !== lossless && playable(f.type)), lossless].filter(Boolean);
}

// The form of the site's music this browser will play first, or ''.
export function musicForm(manifest) {
  const first = Object.values(manifest.music || {}).map(formsToTry)[0];
  return first && first.length ? first[0].type : '';
}

export class Music {
  constructor(storage, manifest) {
    this.storage = storage;
    this.musics = manifest.music || {};
    this.context = null;
    this.decoder = null;
    this.gain = null;
    this.source = null;
    this.generation = 0;
    this.volume = 1;  // the gain
    this.buffers = new Map();
  }

  rate() {
    return (Object.values(this.musics)[0] || {}).rate || 44100;
  }

  // The context that plays, made at the player's first touch, click or key
  // (the page calls this on pointerdown and keydown, while the finger or the
  // key is still down): making one opens the sound device, tens of
  // milliseconds that neither the title nor a click's answer should wait for,
  // and browsers let a page make sound only after the player's first gesture.
  prepare() {
    if (!this.context) {
      const rate = this.rate();
      try {
        this.context = new AudioContext(rate ? { sampleRate: rate } : {});
      } catch (e) {
        this.context = new AudioContext();  // the file's rate is not offered here
      }
      this.gain = this.context.createGain();
      this.gain.gain.value = this.volume;
      this.gain.connect(this.context.destination);
    }
  }

  // Browsers let a page make sound only after the player's first gesture.
  unlock() {
    this.prepare();
    if (this.context.state === 'suspended') this.context.resume();
  }

  // The music is decoded beforehand by a context that opens no device; its
  // samples play in the other at the same rate.
  decodeContext() {
    if (!this.decoder) this.decoder = new OfflineAudioContext(2, 1, this.rate());
    return this.decoder;
  }

  buffer(name) {
    const key = fileKey(name);
    if (!this.buffers.has(key)) {
      const decoded = this.decode(name, formsToTry(this.musics[key] || {}));
      this.buffers.set(key, decoded);
      decoded.then((buffer) => { if (!buffer) this.buffers.delete(key); });  // tried again later
    }
    return this.buffers.get(key);
  }

  async decode(name, forms) {
    for (const form of forms) {
      try {
        const response = await fetch(form.address);
        if (!response.ok) continue;
        const buffer = await this.decodeContext().decodeAudioData(await response.arrayBuffer());
        this.form = form.type;
        return buffer;
      } catch (e) {
        // the next form
      }
    }
    this.storage.notices.say(downloadFailed(name));
    return null;
  }

  // Starts the file looping, in the background; a stop that comes before
  // it is decoded wins.
  play(name) {
    this.stop();
    if (!this.storage.addressOf(name)) return;
    this.unlock();
    const generation = this.generation;
    this.buffer(name).then((buffer) => {
      if (!buffer || generation !== this.generation) return;
      const source = this.context.createBufferSource();
      source.buffer = buffer;
      source.loop = true;
      // A decoder that pads the end still loops at the wave file's length.
      source.loopEnd = Math.min(buffer.duration, (this.musics[fileKey(name)] || {}).seconds || Infinity);
      source.connect(this.gain);
      source.start();
      this.source = source;
    });
  }

  stop() {
    ++this.generation;
    if (!this.source) return;
    this.source.stop();
    this.source.disconnect();
    this.source = null;
  }

  playing() {
    return this.source !== null;
  }

  // gain: linear, 0..1 (the slider's step on the game's own scale, page_table.js).
  setVolume(gain) {
    this.volume = gain;
    if (this.gain) this.gain.gain.value = gain;
  }
}
