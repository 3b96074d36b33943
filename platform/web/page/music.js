// The music, looped without a seam through Web Audio: the whole file is
// decoded once into samples, and the loop jumps from its last sample to
// its first. Shipped compressed without loss (FLAC), which decodes to
// exactly the samples of the wave file, no silence added at either end.
import { fileKey } from './slot_storage.js';

function linearVolume(perceived) {
  // The volume slider is a position on a logarithmic (perceived) scale.
  if (perceived >= 1) return 1;
  return -Math.log(1 - perceived) / Math.log(100);
}

export class Music {
  constructor(storage, manifest) {
    this.storage = storage;
    this.rates = manifest.music || {};
    this.context = null;
    this.gain = null;
    this.source = null;
    this.generation = 0;
    this.volume = 1;
    this.buffers = new Map();
  }

  // Made while the page is idle: making one takes tens of milliseconds,
  // which a click should not wait for. It stays silent until unlocked.
  prepare() {
    if (!this.context) {
      const rate = Object.values(this.rates)[0];
      try {
        this.context = new AudioContext(rate ? { sampleRate: rate } : {});
      } catch (e) {
        this.context = new AudioContext();  // the file's rate is not offered here
      }
      this.gain = this.context.createGain();
      this.gain.gain.value = linearVolume(this.volume);
      this.gain.connect(this.context.destination);
    }
  }

  // Browsers let a page make sound only after the player's first gesture.
  unlock() {
    this.prepare();
    if (this.context.state === 'suspended') this.context.resume();
  }

  buffer(name) {
    const key = fileKey(name);
    if (!this.buffers.has(key)) {
      const decoded = this.storage.download(name)
        .then((bytes) => bytes && this.context.decodeAudioData(bytes.slice().buffer))
        .catch(() => null);
      this.buffers.set(key, decoded);
    }
    return this.buffers.get(key);
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

  setVolume(perceived) {
    this.volume = perceived;
    if (this.gain) this.gain.gain.value = linearVolume(perceived);
  }
}
