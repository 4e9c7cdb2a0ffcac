// The web build's figures for docs/benchmarks.md: the sizes of what the page loads, the time
// from the start of loading to the first menu on the canvas (each load in a fresh Chromium), and
// the processor time of all of Chromium's processes while a game is played (walking and
// striking, with music and effects), as a share of one core.
// The loads are also timed on a throttled network.
//   node bench/web_page.mjs [WEB_BUILD] [SCREENSHOT_DIR]   (LOADS_ONLY=1: the sizes and loads only)
// With SCREENSHOT_DIR, a screenshot of the page is saved there every few seconds of play.
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';

const source = new URL('../', import.meta.url).pathname;
const require = createRequire(join(source, 'web/package.json'));
const puppeteer = require('puppeteer-core');
const { serve } = await import(join(source, 'web/serve.mjs'));

const site = process.argv[2] || join(source, 'build-web');
const shots = process.argv[3];
const LOADS = 5;
const THROTTLED_LOADS = 3;
const PLAY_SECONDS = 40;
const TICKS = 100;  // clock ticks a second in /proc
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const size = (name) => statSync(join(site, name)).size;
const dataBytes = readdirSync(join(site, 'data')).reduce((sum, name) => sum + size(join('data', name)), 0);
const kb = (bytes) => `${(bytes / 1024).toFixed(0)} KiB`;
console.log(`program: gaiablade.js ${kb(size('gaiablade.js'))} + gaiablade.wasm ${kb(size('gaiablade.wasm'))}` +
  ` = ${kb(size('gaiablade.js') + size('gaiablade.wasm'))}`);
console.log(`page: index.html + page.js ${kb(size('index.html') + size('page.js'))}; data pack ${kb(dataBytes)};` +
  ` SoundFont ${kb(size('TimGM6mb.sf2'))}; synthesizer ${kb(size('libfluidsynth.js'))}`);

async function launch() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: `/tmp/gaiablade-bench-${process.pid}-${Date.now()}`,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}

// Processor ticks used so far by the process `pid` and all its descendants.
function treeTicks(pid) {
  let total = 0;
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      if (Number(entry) === pid || descends(Number(entry), pid)) total += Number(fields[11]) + Number(fields[12]);
    } catch {
      // The process ended meanwhile.
    }
  }
  return total;
}

// Processor ticks so far of every thread of `pid` and its descendants, by the process's kind
// (Chromium's --type, or browser) and the thread's name.
function threadTicks(pid) {
  const ticks = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      if (Number(entry) !== pid && !descends(Number(entry), pid)) continue;
      const kind = (readFileSync(`/proc/${entry}/cmdline`, 'utf8').match(/--type=([a-z-]+)/) || [, 'browser'])[1];
      for (const task of readdirSync(`/proc/${entry}/task`)) {
        const stat = readFileSync(`/proc/${entry}/task/${task}/stat`, 'utf8');
        const name = stat.slice(stat.indexOf('(') + 1, stat.lastIndexOf(')')).replace(/\d+$/, '');
        const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
        const key = `${kind} ${name}`;
        ticks.set(key, (ticks.get(key) || 0) + Number(fields[11]) + Number(fields[12]));
      }
    } catch {
      // The process ended meanwhile.
    }
  }
  return ticks;
}

function descends(pid, ancestor) {
  for (let at = pid; at > 1;) {
    const stat = readFileSync(`/proc/${at}/stat`, 'utf8');
    at = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
    if (at === ancestor) return true;
  }
  return false;
}

const server = await serve(site);
const url = `http://127.0.0.1:${server.address().port}/`;

const loads = [];
for (let i = 0; i < LOADS; i++) {
  const browser = await launch();
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 960 });
  await page.goto(url);
  await page.waitForFunction(() => window.gaiaBlade.firstPictureMs !== null, { timeout: 30000 });
  loads.push(await page.evaluate(() => ({ first: Math.round(window.gaiaBlade.firstPictureMs), ...window.gaiaBlade.marks })));
  await browser.close();
}
loads.sort((a, b) => a.first - b.first);
console.log(`first menu on the canvas (ms after the page started loading), ${LOADS} fresh loads: ` +
  loads.map((l) => l.first).join(', ') + `; median ${loads[Math.floor(LOADS / 2)].first}`);
console.log(`median load's steps: ${JSON.stringify(loads[Math.floor(LOADS / 2)])}`);

// The same on a throttled network: 20 Mbit/s both ways, 40 ms of latency.
const throttled = [];
for (let i = 0; i < THROTTLED_LOADS; i++) {
  const browser = await launch();
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 960 });
  const session = await page.createCDPSession();
  await session.send('Network.enable');
  await session.send('Network.emulateNetworkConditions',
    { offline: false, latency: 40, downloadThroughput: 20e6 / 8, uploadThroughput: 20e6 / 8 });
  await page.goto(url);
  await page.waitForFunction(() => window.gaiaBlade.firstPictureMs !== null, { timeout: 60000 });
  throttled.push(Math.round(await page.evaluate(() => window.gaiaBlade.firstPictureMs)));
  await browser.close();
}
throttled.sort((a, b) => a - b);
console.log(`first menu at 20 Mbit/s and 40 ms, ${THROTTLED_LOADS} fresh loads: ${throttled.join(', ')}; ` +
  `median ${throttled[Math.floor(THROTTLED_LOADS / 2)]}`);
if (process.env.LOADS_ONLY) {
  server.close();
  process.exit(0);
}

const browser = await launch();
const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 960 });
await page.goto(url);
await page.waitForFunction(() => window.gaiaBlade.firstPictureMs !== null, { timeout: 30000 });
const pid = browser.process().pid;
await sleep(2000);
const menuStart = treeTicks(pid);
await sleep(5000);
console.log(`Chromium on the first menu: ${((treeTicks(pid) - menuStart) / TICKS / 5 * 100).toFixed(1)}% of a core`);

await page.keyboard.press('KeyN');
await sleep(500);
await page.keyboard.press('Space');
await sleep(500);
const start = treeTicks(pid);
const threadsAtStart = threadTicks(pid);
const startedAt = Date.now();
let shot = 0;
let loudest = -Infinity;
// Walk right, striking about once a second; after a game over or a victory, Space goes back to
// the title screen and N starts again.
await page.keyboard.down('ArrowRight');
while (Date.now() - startedAt < PLAY_SECONDS * 1000) {
  await page.keyboard.press('KeyN', { delay: 50 });
  await page.keyboard.press('Space', { delay: 50 });
  loudest = Math.max(loudest, (await page.evaluate(() => window.gaiaBlade.level())).rms);
  if (shots && (Date.now() - startedAt) / 4000 >= shot) {
    await page.screenshot({ path: join(shots, `play-${String(shot++).padStart(2, '0')}.png`) });
  }
  await sleep(1000);
}
await page.keyboard.up('ArrowRight');
const seconds = (Date.now() - startedAt) / 1000;
console.log(`Chromium while playing (${seconds.toFixed(0)} s, walking and striking, with music): ` +
  `${((treeTicks(pid) - start) / TICKS / seconds * 100).toFixed(1)}% of a core; loudest RMS ${loudest.toFixed(1)} dBFS`);
const threads = [...threadTicks(pid)].map(([key, ticks]) => [key, ticks - (threadsAtStart.get(key) || 0)])
  .filter(([, ticks]) => ticks > 0).sort((a, b) => b[1] - a[1]).slice(0, 8);
console.log('where it goes (threads by process kind and name, % of a core): ' +
  threads.map(([key, ticks]) => `${key} ${(ticks / TICKS / seconds * 100).toFixed(1)}`).join('; '));
await page.keyboard.press('Escape');
await page.waitForFunction(() => window.gaiaBlade.state === 'ended', { timeout: 5000 });
if (shots) await page.screenshot({ path: join(shots, 'ended.png') });
await browser.close();
server.close();
