// The show's sound player, an AudioWorklet: plays the blocks of sound the
// page posts (one per frame, as 32-bit floats) and tells the page how many
// values it has played so far, so that the show can pace itself by it. It
// starts playing, and starts again after running dry, only once three blocks
// are queued, so that one late block does not cut the sound again at once.
class TorqSound extends AudioWorkletProcessor {
  constructor() {
    super();
    this.blocks = [];
    this.offset = 0;      // values of the first block already played
    this.queued = 0;      // values posted, not yet played
    this.played = 0;
    this.playing = false;
    this.calls = 0;
    this.reported = 0;
    this.port.onmessage = (event) => {
      this.blocks.push(event.data);
      this.queued += event.data.length;
    };
  }

  process(inputs, outputs) {
    const out = outputs[0][0];
    if (!this.playing && this.queued >= 3 * 882) this.playing = true;
    let filled = 0;
    if (this.playing) {
      while (filled < out.length && this.blocks.length > 0) {
        const block = this.blocks[0];
        const n = Math.min(out.length - filled, block.length - this.offset);
        out.set(block.subarray(this.offset, this.offset + n), filled);
        filled += n;
        this.offset += n;
        if (this.offset === block.length) {
          this.blocks.shift();
          this.offset = 0;
        }
      }
      if (filled < out.length) this.playing = false;  // ran dry
      this.played += filled;
      this.queued -= filled;
    }
    out.fill(0, filled);
    // About every 12 ms, and at once when running dry.
    if (this.played !== this.reported && (++this.calls % 4 === 0 || !this.playing)) {
      this.reported = this.played;
      this.port.postMessage(this.played);
    }
    return true;
  }
}

registerProcessor('torq-sound', TorqSound);
