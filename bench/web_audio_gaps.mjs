// Gaps in the web build's sound for docs/benchmarks.md: the title screen's song is played for a
// while as it is, then as long again with the page's thread made busy for 50 ms once a
// second; each time, a probe after the page's analyser counts the quanta of 128 frames that came
// out as pure silence (the song itself is never silent for that long), and the page's own count
// of the quanta its audio had to fill is read where it keeps one.
//   node bench/web_audio_gaps.mjs [WEB_BUILD] [SECONDS]
import { createRequire } from 'node:module';
import { join } from 'node:path';

const source = new URL('../', import.meta.url).pathname;
const require = createRequire(join(source, 'web/package.json'));
const puppeteer = require('puppeteer-core');
const { serve } = await import(join(source, 'web/serve.mjs'));

const site = process.argv[2] || join(source, 'build-web');
const seconds = Number(process.argv[3] || 20);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const PROBE = `
class Probe extends AudioWorkletProcessor {
  constructor() { super(); this.silent = 0; this.quanta = 0;
    this.port.onmessage = () => this.port.postMessage({ silent: this.silent, quanta: this.quanta }); }
  process(inputs) {
    const input = inputs[0];
    if (input.length) {
      this.quanta++;
      if (input[0].every((s) => s === 0)) this.silent++;
    }
    return true;
  }
}
registerProcessor('gap-probe', Probe);`;

const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: `/tmp/gaiablade-gaps-${process.pid}-${Date.now()}`,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 960 });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction(() => window.gaiaBlade.firstPictureMs !== null, { timeout: 30000 });
  // A key that the title screen ignores turns the sound on.
  await page.keyboard.press('ArrowLeft');
  await sleep(3000);
  await page.evaluate(async (code) => {
    const module = window.gaiaBlade.module;
    const context = module.audioContext;
    await context.audioWorklet.addModule(URL.createObjectURL(new Blob([code], { type: 'text/javascript' })));
    const probe = new AudioWorkletNode(context, 'gap-probe');
    module.audioAnalyser.connect(probe);
    probe.connect(context.destination);
    window.gapProbe = () => new Promise((resolve) => {
      probe.port.onmessage = (event) => resolve({ ...event.data, page: module.audioSilentQuanta ?? null });
      probe.port.postMessage('count');
    });
  }, PROBE);
  const count = () => page.evaluate(() => window.gapProbe());
  const runs = [];
  for (const busy of [false, true]) {
    if (busy) {
      await page.evaluate(() => {
        window.busyTimer = setInterval(() => {
          const end = performance.now() + 50;
          while (performance.now() < end);
        }, 1000);
      });
    }
    const before = await count();
    await sleep(seconds * 1000);
    const after = await count();
    runs.push({ busy, silent: after.silent - before.silent, quanta: after.quanta - before.quanta,
      page: after.page === null ? null : after.page - before.page });
  }
  for (const run of runs) {
    console.log(`${run.busy ? 'busy 50 ms once a second' : 'idle page'}: ${run.silent} silent quanta of ` +
      `${run.quanta} (${seconds} s)` + (run.page === null ? '' : `; the page's audio filled ${run.page} with silence`));
  }
} finally {
  await browser.close();
  server.close();
}
