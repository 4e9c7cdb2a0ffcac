// The web build played in headless Chromium, driven with puppeteer-core, against the headless
// runner's frames.
//   node web_test.mjs CASE SITE RUNNER
// CASE: first-menu, play, demo, phone-portrait, phone-landscape, pad, offline or missing-files;
// SITE: the web build's folder (make web); RUNNER: the Linux build's gaiablade-headless. The
// page is served on 127.0.0.1 by web/serve.mjs, in this process, or by whoever serves
// GAIABLADE_WEB_URL when it is set. A failure prints the page's console and Chromium's own log.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { readPng } from './png.mjs';

const source = new URL('../../', import.meta.url).pathname;
const require = createRequire(join(source, 'web/package.json'));
const { serve } = await import(join(source, 'web/serve.mjs'));

const [caseName, site, runner] = process.argv.slice(2);
const PICTURE = { width: 640, height: 480 };
// The rows above the fighters: the landscape alone, whatever the fighters do.
const SKY_ROWS = 280;
const CHROMIUM = '/usr/bin/chromium';

const work = mkdtempSync(join(tmpdir(), 'gaiablade-web-'));
const log = { console: [], chromium: '' };
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function fail(message) {
  throw new Error(message);
}

function check(condition, message) {
  if (!condition) fail(message);
}

// Runs `fn(arg)` in the page and gives back its value. Unlike puppeteer's own evaluate, this
// does not count as the person's gesture, which would let the page's sound start by itself.
const sessions = new WeakMap();
async function inPage(page, fn, arg) {
  if (!sessions.has(page)) sessions.set(page, await page.createCDPSession());
  const answer = await sessions.get(page).send('Runtime.evaluate', {
    expression: `(${fn})(${JSON.stringify(arg)})`, returnByValue: true, awaitPromise: true });
  if (answer.exceptionDetails) fail(`in the page: ${answer.exceptionDetails.exception?.description}`);
  return answer.result.value;
}

async function waitInPage(page, fn, what, timeoutMs = 5000) {
  const end = Date.now() + timeoutMs;
  while (!(await inPage(page, fn))) {
    if (Date.now() > end) fail(`${what}: not within ${timeoutMs} ms`);
    await sleep(50);
  }
}

// The headless runner's frames for a key script, by pass.
function runnerFrames(name, keys, passes) {
  const dir = join(work, name);
  const keyFile = join(work, name + '.keys');
  writeFileSync(keyFile, keys);
  const run = spawnSync(runner, ['--keys', keyFile, '--passes', String(passes), '--frames', dir], { encoding: 'utf8' });
  check(run.status === 0, `${runner} failed (${run.status}): ${run.stderr}`);
  const frames = new Map();
  for (const file of readdirSync(dir).sort()) {
    frames.set(Number(file.match(/(\d+)/)[1]), readPng(join(dir, file)));
  }
  return frames;
}

// The picture on the page's canvas at the game's own size, one sample of each enlarged pixel.
async function canvasPicture(page) {
  const base64 = await inPage(page, ({ width, height }) => {
    const screen = document.getElementById('screen');
    const scale = screen.width / width;
    const all = screen.getContext('2d').getImageData(0, 0, screen.width, screen.height).data;
    const out = new Uint8Array(width * height * 3);
    for (let y = 0; y < height; y++) {
      for (let x = 0; x < width; x++) {
        const from = 4 * ((y * scale) * screen.width + x * scale);
        out.set(all.subarray(from, from + 3), 3 * (y * width + x));
      }
    }
    let text = '';
    for (let i = 0; i < out.length; i += 0x8000) text += String.fromCharCode(...out.subarray(i, i + 0x8000));
    return btoa(text);
  }, PICTURE);
  return { ...PICTURE, rgb: Buffer.from(base64, 'base64') };
}

// Pixels that differ between two pictures, within columns [x0, x1) and rows [y0, y1).
function differences(a, b, { x0 = 0, x1 = PICTURE.width, y0 = 0, y1 = PICTURE.height } = {}) {
  let count = 0;
  for (let y = y0; y < y1; y++) {
    for (let x = x0; x < x1; x++) {
      const i = 3 * (y * a.width + x);
      if (a.rgb[i] !== b.rgb[i] || a.rgb[i + 1] !== b.rgb[i + 1] || a.rgb[i + 2] !== b.rgb[i + 2]) count++;
    }
  }
  return count;
}

async function waitForPicture(page, frame, area, what, timeoutMs = 5000) {
  const end = Date.now() + timeoutMs;
  let last = -1;
  while (Date.now() < end) {
    last = differences(await canvasPicture(page), frame, area);
    if (last === 0) return;
    await sleep(100);
  }
  fail(`${what}: the canvas never showed it (${last} pixels differ)`);
}

// The loudest RMS and peak (dB below full scale) the page played over `ms`.
async function loudest(page, ms) {
  let rms = -Infinity;
  let peak = -Infinity;
  const end = Date.now() + ms;
  while (Date.now() < end) {
    const level = await inPage(page, () => window.gaiaBlade.level());
    rms = Math.max(rms, level.rms ?? -Infinity);
    peak = Math.max(peak, level.peak ?? -Infinity);
    await sleep(40);
  }
  return { rms, peak };
}

// Space pressed and released within one task of the page: no pass of the game runs between.
async function quickTap(page, keyCode) {
  await inPage(page, (code) => {
    for (const type of ['keydown', 'keyup']) {
      const event = new KeyboardEvent(type, { bubbles: true, cancelable: true });
      Object.defineProperty(event, 'keyCode', { value: code });
      window.dispatchEvent(event);
    }
  }, keyCode);
}

async function withPage(options, play) {
  const puppeteer = require('puppeteer-core');
  check(existsSync(join(site, 'index.html')) && existsSync(join(site, 'gaiablade.wasm')),
    `no web build in ${site}: run make web`);
  const url = process.env.GAIABLADE_WEB_URL;
  const server = url ? null : await serve(site);
  let browser;
  try {
    browser = await puppeteer.launch({
      executablePath: CHROMIUM,
      headless: true,
      userDataDir: join(work, 'profile'),
      // The closed network refuses Chromium's own connections; sound waits for a key, as in a
      // browser on a desktop.
      args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--autoplay-policy=document-user-activation-required'],
    });
  } catch (error) {
    fail(`${CHROMIUM} did not start: ${error.message}`);
  }
  browser.process().stderr.on('data', (data) => {
    log.chromium += data;
  });
  try {
    const page = await browser.newPage();
    await page.setViewport(options.viewport || { width: 2 * PICTURE.width, height: 2 * PICTURE.height });
    page.on('console', (message) => log.console.push(`${message.type()}: ${message.text()}`));
    page.on('pageerror', (error) => log.console.push(`page error: ${error.message}`));
    const blocked = options.blocked || [];
    if (blocked.length) {
      await page.setRequestInterception(true);
      page.on('request', (request) => {
        const name = decodeURIComponent(new URL(request.url()).pathname.split('/').pop());
        if (blocked.includes(name)) request.respond({ status: 404, body: 'not found' });
        else request.continue();
      });
    }
    if (options.onNewDocument) await page.evaluateOnNewDocument(options.onNewDocument);
    const address = options.address || '';
    await page.goto(url ? `${url}${address}` : `http://127.0.0.1:${server.address().port}/${address}`);
    await waitInPage(page, () => window.gaiaBlade.firstPictureMs !== null || window.gaiaBlade.state === 'failed',
      'the first picture', 20000);
    const state = await inPage(page, () => window.gaiaBlade.state);
    check(state === (options.refused ? 'failed' : 'playing'), `the game did not start as it should: ${state}`);
    await play(page);
  } finally {
    await browser.close();
    server?.close();
  }
}

// A phone: touch points through Chromium's touch emulation, each {id, x, y}; every call names
// all the fingers on the screen, and those left out are lifted.
async function touches(page, points) {
  if (!sessions.has(page)) sessions.set(page, await page.createCDPSession());
  const type = touches.down === undefined || touches.down < points.length ? 'touchStart' : 'touchEnd';
  touches.down = points.length;
  await sessions.get(page).send('Input.dispatchTouchEvent', { type, touchPoints: points });
}

// The centre of the touch button named `label`, and its box.
const button = (page, label) => inPage(page, (name) => {
  const box = document.querySelector(`button[aria-label="${name}"]`).getBoundingClientRect();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2, box: box.toJSON() };
}, label);

async function tap(page, label, id = 1) {
  const { x, y } = await button(page, label);
  await touches(page, [{ id, x, y }]);
  await sleep(30);
  await touches(page, []);
}

// A game on a phone of `width` x `height`, by touch alone: the five buttons lie beside the
// picture, never over it; Start, then Strike, reach the first landscape with the sound on; one
// finger holds Right while another taps Strike: the player walks and strikes, and walks on once
// the second finger is lifted.
async function phone(width, height) {
  const frames = runnerFrames('start', '0 N\n1\n3 SPACE\n4\n', 8);
  const viewport = { width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 1 };
  await withPage({ viewport }, async (page) => {
    const picture = await inPage(page, () => document.getElementById('screen').getBoundingClientRect().toJSON());
    console.log(`${width}x${height}: the picture at ${JSON.stringify(picture)}`);
    check(picture.width >= width - 1 || picture.height >= height - 1, 'the picture does not fill the width or the height');
    for (const label of ['Left', 'Right', 'Strike', 'Parry', 'Start']) {
      const { box } = await button(page, label);
      const apart = box.right <= picture.left || box.left >= picture.right || box.bottom <= picture.top || box.top >= picture.bottom;
      check(apart && box.width > 0 && box.right <= width && box.bottom <= height, `${label} is not beside the picture: ${JSON.stringify(box)}`);
    }
    await tap(page, 'Start');
    await waitForPicture(page, frames.get(2), {}, 'the ready screen after Start');
    await waitInPage(page, () => window.gaiaBlade.audioState === 'running', 'the sound after the first touch');
    await tap(page, 'Strike');
    await waitForPicture(page, frames.get(5), { y1: SKY_ROWS }, 'the first landscape after Strike');
    const song = await loudest(page, 1000);

    const right = await button(page, 'Right');
    const strike = await button(page, 'Strike');
    const left = { x1: PICTURE.width / 2 };
    const standing = await canvasPicture(page);
    await touches(page, [{ id: 1, x: right.x, y: right.y }]);
    await sleep(500);
    await touches(page, [{ id: 1, x: right.x, y: right.y }, { id: 2, x: strike.x, y: strike.y }]);
    await sleep(40);
    await touches(page, [{ id: 1, x: right.x, y: right.y }]);
    const stroke = await loudest(page, 500);
    const struck = await canvasPicture(page);
    await sleep(400);
    const walkedOn = await canvasPicture(page);
    await touches(page, []);
    check(differences(standing, struck, left) > 0, 'holding Right did not walk the player');
    check(stroke.peak > song.peak + 3, `the stroke is not heard (peak ${stroke.peak} dBFS, the song's ${song.peak})`);
    check(differences(struck, walkedOn, left) > 0, 'lifting the second finger also let go of Right');
    check(await inPage(page, () => getSelection().toString()) === '', 'the touches selected text');
  });
}

const noteText = (page) => inPage(page, () => (document.getElementById('note').hidden ? '' : document.getElementById('note').textContent));

const cases = {
  // The first menu is the headless runner's first frame, pixel for pixel, enlarged by whole
  // pixels; the sound waits for a first key, and the page asks for one.
  'first-menu': async () => {
    const title = runnerFrames('title', '', 1).get(0);
    await withPage({}, async (page) => {
      const loadMs = await inPage(page, () => window.gaiaBlade.firstPictureMs);
      console.log(`first menu on the canvas ${Math.round(loadMs)} ms after the page started loading`);
      const shown = await canvasPicture(page);
      check(differences(shown, title) === 0, `the first menu differs from the headless runner's first frame in ${differences(shown, title)} pixels`);
      check(await inPage(page, () => window.gaiaBlade.audioState) === 'suspended', 'audio did not wait for a key');
      check(/press a key/i.test(await noteText(page)), `the page does not invite a key: "${await noteText(page)}"`);
      await page.mouse.click(PICTURE.width, PICTURE.height);
      await waitInPage(page, () => window.gaiaBlade.audioState === 'running', 'the sound after a click');
      check(await noteText(page) === '', 'the invitation stays after the first click');
    });
  },

  // N, then a quick tap of Space on the ready screen, reach the first landscape with its song;
  // holding Right walks the player as in the headless runner; a stroke sounds over the song;
  // Escape ends the game, and the page says so. The sound comes from an audio worklet, and the
  // console stays free of warnings and errors.
  play: async () => {
    const frames = runnerFrames('walk', '0 N\n1\n3 SPACE\n4\n6 RIGHT\n80\n', 80);
    const ready = frames.get(2);
    const landscape = frames.get(5);
    await withPage({}, async (page) => {
      await page.keyboard.press('KeyN');
      await waitInPage(page, () => window.gaiaBlade.audioState === 'running', 'the sound after the first key');
      await waitForPicture(page, ready, {}, 'the ready screen');
      await quickTap(page, 0x20);
      await waitForPicture(page, landscape, { y1: SKY_ROWS }, 'the first landscape');
      const song = await loudest(page, 2000);
      console.log(`the landscape's song: ${song.rms.toFixed(1)} dBFS RMS at its loudest, peak ${song.peak.toFixed(1)}`);
      check(song.rms > -50, `the landscape's song is not heard (${song.rms} dBFS)`);
      check(await inPage(page, () => window.gaiaBlade.module.audioNode instanceof AudioWorkletNode),
        'the sound does not come from an audio worklet');

      await page.keyboard.down('ArrowRight');
      await sleep(700);
      const walking = await canvasPicture(page);
      await page.keyboard.up('ArrowRight');
      // The player's half of the picture equals the runner's after some passes of walking.
      const left = { x1: PICTURE.width / 2 };
      const matches = [...frames].filter(([pass, frame]) => pass >= 6 && differences(walking, frame, left) === 0);
      check(matches.length > 0, 'the walking player is in none of the headless runner\'s walking frames');
      console.log(`walked as the runner does in ${matches[0][0] - 6} passes`);
      check(matches[0][0] >= 12, 'the player did not walk');

      await page.keyboard.press('Space', { delay: 60 });
      const stroke = await loudest(page, 600);
      console.log(`the stroke: peak ${stroke.peak.toFixed(1)} dBFS over the song's ${song.peak.toFixed(1)}`);
      check(stroke.peak > song.peak + 3, 'the stroke\'s effect is not heard over the song');

      await page.keyboard.press('Escape');
      await waitInPage(page, () => window.gaiaBlade.state === 'ended', 'the end of the game');
      const said = await noteText(page);
      check(/ended/i.test(said) && /reload/i.test(said), `the page does not say the game ended: "${said}"`);
      // (Chromium's hint on reading the canvas back often is for this test's own reading.)
      const warnings = log.console.filter((line) => (/^(warn|error)/.test(line) || /deprecat/i.test(line)) &&
        !/getImageData/.test(line));
      check(!warnings.length, `the console has warnings: ${warnings.join(' | ')}`);
    });
  },

  'phone-portrait': () => phone(390, 844),
  'phone-landscape': () => phone(844, 390),

  // A game by a game pad alone, a stand-in for the browser's: the page asks for a button until a
  // pad is seen; Start reaches the ready screen, A starts the fight, the stick walks.
  pad: async () => {
    const frames = runnerFrames('start', '0 N\n1\n3 SPACE\n4\n', 8);
    const onNewDocument = () => {
      const button = () => ({ pressed: false, value: 0 });
      window.testPad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
        buttons: Array.from({ length: 17 }, button) };
      window.testPads = [];
      navigator.getGamepads = () => window.testPads;
    };
    await withPage({ onNewDocument }, async (page) => {
      const set = (change, arg) => inPage(page, change, arg);
      check(/press a button on the game pad/i.test(await noteText(page)), `the page does not ask for a pad button: "${await noteText(page)}"`);
      await set(() => { window.testPads = [window.testPad]; });
      await waitInPage(page, () => !/game pad/.test(document.getElementById('note').textContent), 'the pad seen');
      const press = async (index, what, frame, area) => {
        await set((i) => { window.testPad.buttons[i].pressed = true; }, index);
        await waitForPicture(page, frame, area, what);
        await set((i) => { window.testPad.buttons[i].pressed = false; }, index);
      };
      await press(9, 'the ready screen after Start', frames.get(2), {});
      await press(0, 'the first landscape after A', frames.get(5), { y1: SKY_ROWS });
      const left = { x1: PICTURE.width / 2 };
      // The stroke that A may have begun in the fight ends; then the player stands.
      let still = await canvasPicture(page);
      for (let end = Date.now() + 4000, moved = 1; moved;) {
        check(Date.now() < end, 'the player moves on with nothing pressed');
        await sleep(300);
        const now = await canvasPicture(page);
        moved = differences(still, now, left);
        still = now;
      }
      await set(() => { window.testPad.axes[0] = 1; });
      await sleep(600);
      const walked = await canvasPicture(page);
      await set(() => { window.testPad.axes[0] = 0; });
      check(differences(still, walked, left) > 0, 'the stick did not walk the player');
    });
  },

  // The page can be installed, and after one visit it plays without a network: the service
  // worker keeps the build.
  offline: async () => {
    const frames = runnerFrames('start', '0 N\n1\n3 SPACE\n4\n', 8);
    await withPage({}, async (page) => {
      await waitInPage(page, () => window.gaiaBlade.offline !== 'none' && window.gaiaBlade.offline !== 'installing',
        'the service worker', 30000);
      check(await inPage(page, () => window.gaiaBlade.offline) === 'ready', 'the service worker did not install');
      const { installabilityErrors } = await sessions.get(page).send('Page.getInstallabilityErrors');
      check(!installabilityErrors.length, `the page cannot be installed: ${JSON.stringify(installabilityErrors)}`);
      await page.setOfflineMode(true);
      await page.reload();
      await waitInPage(page, () => window.gaiaBlade.firstPictureMs !== null || window.gaiaBlade.state === 'failed',
        'the first picture without a network', 20000);
      console.log(`first menu from the cache ${Math.round(await inPage(page, () => window.gaiaBlade.firstPictureMs))} ms after loading began`);
      await page.keyboard.press('KeyN');
      await waitForPicture(page, frames.get(2), {}, 'the ready screen without a network');
      await waitInPage(page, () => window.gaiaBlade.module.synthesizer !== null, 'the synthesizer from the cache');
    });
  },

  // A game played in the page leaves a demo of the page's own random generator; given in the
  // page's address, it plays the game back without a key, to its end. A desktop demo is refused
  // with a clear word, before anything is played.
  demo: async () => {
    const frames = runnerFrames('start', '0 N\n1\n3 SPACE\n4\n', 8);
    let recorded = null;
    await withPage({}, async (page) => {
      await page.keyboard.press('KeyN');
      await waitForPicture(page, frames.get(2), {}, 'the ready screen');
      await quickTap(page, 0x20);
      await waitForPicture(page, frames.get(5), { y1: SKY_ROWS }, 'the first landscape');
      await page.keyboard.down('ArrowRight');
      await sleep(500);
      await page.keyboard.up('ArrowRight');
      await page.keyboard.press('Escape');
      await waitInPage(page, () => window.gaiaBlade.state === 'ended', 'the end of the game');
      recorded = await inPage(page, () => window.gaiaBlade.demo());
      check(recorded && /generator musl, seed \d+/.test(recorded.text), `no demo of the page's generator: ${recorded && recorded.text}`);
      check(/^# end: passes \d+/m.test(recorded.text), 'the demo has no end line');
      check(await inPage(page, () => !!document.getElementById('demo-download')), 'the page offers no download of the demo');
      console.log(`recorded ${recorded.name}: ${recorded.text.split('\n').length} lines`);
    });
    await withPage({ address: '#demo=' + encodeURIComponent(recorded.text) }, async (page) => {
      // Not a key is pressed here: the demo's own N and Space reach the landscape.
      await waitForPicture(page, frames.get(5), { y1: SKY_ROWS }, 'the first landscape, played back', 10000);
      await waitInPage(page, () => window.gaiaBlade.state === 'ended', 'the end of the played-back game', 20000);
      check(await inPage(page, () => window.gaiaBlade.demo()) === null, 'the playback recorded a demo of its own');
    });
    const desktop = recorded.text.replace('generator musl', 'generator glibc');
    await withPage({ address: '#demo=' + encodeURIComponent(desktop), refused: true }, async (page) => {
      const said = await noteText(page);
      check(/cannot be played/.test(said) && /glibc/.test(said), `the page does not say why: "${said}"`);
    });
  },

  // A Space tapped on the title screen does not skip the ready screen. The window losing the
  // keyboard holds the fight, silent and still, and the page says so; back again, it goes on.
  'keys-and-hold': async () => {
    const frames = runnerFrames('hold', '0 N\n1\n3 SPACE\n4\n', 8);
    await withPage({}, async (page) => {
      await page.keyboard.press('Space');
      await sleep(300);
      await page.keyboard.press('KeyN');
      await waitForPicture(page, frames.get(2), {}, 'the ready screen');
      await sleep(1000);
      check(differences(await canvasPicture(page), frames.get(2)) === 0, 'a Space tapped on the title screen skipped the ready screen');
      await quickTap(page, 0x20);
      await waitForPicture(page, frames.get(5), { y1: SKY_ROWS }, 'the first landscape');
      await page.keyboard.down('ArrowRight');
      await sleep(500);
      await inPage(page, () => window.dispatchEvent(new Event('blur')));
      await sleep(300);
      const away = await canvasPicture(page);
      const quiet = await loudest(page, 1500);
      check(differences(await canvasPicture(page), away) === 0, 'the game went on while the page had no keyboard');
      check(quiet.peak < -90, `the sound went on while the game held (${quiet.peak} dBFS)`);
      check(/holds/i.test(await noteText(page)), `the page does not say the game holds: "${await noteText(page)}"`);
      await page.keyboard.up('ArrowRight');
      await inPage(page, () => window.dispatchEvent(new Event('focus')));
      await page.keyboard.down('ArrowRight');
      await sleep(500);
      await page.keyboard.up('ArrowRight');
      check(differences(await canvasPicture(page), away) > 0, 'the game did not go on after the page had the keyboard again');
      check(!/holds/i.test(await noteText(page)), 'the page still says the game holds');
      const song = await loudest(page, 1500);
      check(song.rms > -50, `the song did not go on (${song.rms} dBFS)`);
    });
  },

  // A data file the server does not have is named in one line of the console, and so is the
  // SoundFont; the game plays on, with its effects and without music.
  'missing-files': async () => {
    const frames = runnerFrames('start', '0 N\n1\n3 SPACE\n4\n', 8);
    await withPage({ blocked: ['Menu1.bmp', 'TimGM6mb.sf2'] }, async (page) => {
      await page.keyboard.press('KeyN');
      await waitForPicture(page, frames.get(2), {}, 'the ready screen');
      await page.keyboard.press('Space');
      await waitForPicture(page, frames.get(5), { y1: SKY_ROWS }, 'the first landscape');
      const silence = await loudest(page, 800);
      await page.keyboard.press('Space', { delay: 60 });
      const stroke = await loudest(page, 600);
      console.log(`without music: ${silence.peak} dBFS, then the stroke's peak ${stroke.peak.toFixed(1)} dBFS`);
      check(silence.peak < -90, 'music plays without a SoundFont');
      check(stroke.peak > -30, 'the stroke\'s effect is not heard');
      const said = log.console.filter((line) => line.includes('gaiablade:'));
      console.log(said.join('\n'));
      check(said.filter((line) => line.includes('Menu1.bmp')).length === 1, 'the missing data file is not named once');
      check(said.filter((line) => /soundfont/i.test(line)).length === 1, 'the missing SoundFont is not named once');
    });
  },
};

let status = 0;
try {
  check(cases[caseName], `unknown case "${caseName}" (${Object.keys(cases).join(', ')})`);
  await cases[caseName]();
  console.log(`web ${caseName}: passed`);
} catch (error) {
  status = 1;
  console.error(`web ${caseName}: FAILED: ${error.message}`);
  console.error(`--- the page's console ---\n${log.console.join('\n')}`);
  console.error(`--- Chromium's log (last 4000 characters) ---\n${log.chromium.slice(-4000)}`);
} finally {
  rmSync(work, { recursive: true, force: true });
}
process.exit(status);
