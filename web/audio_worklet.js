// The web host's sound on the browser's audio thread (loaded by web/host_web.js): plays the
// blocks of samples that the page's thread mixes ahead and posts through the port, each an
// Int16Array of stereo frames, left and right interleaved. When the page's thread fell behind
// and no block is there, the rest of the quantum is silence, and the quantum is counted. Every
// few quanta the processor tells the page how many frames it has played and how many quanta it
// had to fill, so that the page keeps a steady lead and can say how often it fell behind.
const REPORT_EVERY = 4;  // quanta (128 frames each): about 12 ms at 44.1 kHz

class GaiaBladeOutput extends AudioWorkletProcessor {
  constructor() {
    super();
    this.blocks = [];
    this.at = 0;  // frames of blocks[0] already played
    this.played = 0;
    this.silent = 0;
    this.quanta = 0;
    this.running = true;
    this.port.onmessage = (event) => {
      if (event.data === 'stop') this.running = false;
      else this.blocks.push(event.data);
    };
  }

  process(inputs, outputs) {
    const [left, right] = outputs[0];
    const count = left.length;
    let done = 0;
    while (done < count && this.blocks.length) {
      const block = this.blocks[0];
      const frames = block.length >> 1;
      const take = Math.min(count - done, frames - this.at);
      for (let i = 0, from = 2 * this.at; i < take; i++, from += 2) {
        left[done + i] = block[from] / 32768;
        right[done + i] = block[from + 1] / 32768;
      }
      done += take;
      this.at += take;
      if (this.at === frames) {
        this.blocks.shift();
        this.at = 0;
      }
    }
    if (done < count) {
      left.fill(0, done);
      right.fill(0, done);
      this.silent++;
    }
    this.played += done;
    if (++this.quanta % REPORT_EVERY === 0) this.port.postMessage({ played: this.played, silent: this.silent });
    return this.running;
  }
}

registerProcessor('gaiablade-output', GaiaBladeOutput);
