// The game's sound on the browser's audio thread: blocks of interleaved
// stereo samples mixed on the page's thread arrive by message and are played
// in order; when fewer than three blocks are waiting the next is asked for.
// A gap (the page busy, or between games) plays silence.
"use strict";

class BodgerMixer extends AudioWorkletProcessor {
  constructor(options) {
    super();
    this.blockFrames = (options.processorOptions || {}).blockFrames || 1024;
    this.blocks = [];
    this.offset = 0;  // in samples, into blocks[0]
    this.queued = 0;  // sample frames waiting
    this.asking = false;
    this.rest = 0;  // render quanta to wait after an empty answer
    this.played = 0;
    this.loud = 0;  // sample frames played that were not silent
    this.port.onmessage = (e) => {
      this.asking = false;
      if (e.data && e.data.length) {
        this.blocks.push(e.data);
        this.queued += e.data.length / 2;
      } else {
        this.rest = 16;  // no game is playing: ask again in about 50 ms
      }
    };
  }

  process(inputs, outputs) {
    const left = outputs[0][0], right = outputs[0][1] || outputs[0][0];
    for (let i = 0; i < left.length; ++i) {
      const block = this.blocks[0];
      if (!block) {
        left[i] = right[i] = 0;
        continue;
      }
      left[i] = block[this.offset];
      right[i] = block[this.offset + 1];
      if (left[i] || right[i]) this.loud++;
      this.offset += 2;
      this.queued--;
      if (this.offset >= block.length) {
        this.blocks.shift();
        this.offset = 0;
      }
    }
    this.played += left.length;
    if (this.rest > 0) this.rest--;
    if (!this.asking && this.rest === 0 && this.queued < 3 * this.blockFrames) {
      this.asking = true;
      this.port.postMessage({frames: this.blockFrames, played: this.played, loud: this.loud});
    }
    return true;
  }
}

registerProcessor("bodger-mixer", BodgerMixer);
