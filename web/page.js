// The page: loads the data pack, the SoundFont and the synthesizer beside the program, starts the
// game on the web host (src/platform/host/host_web.cpp with host_web.js), turns the sound on at
// the first key or click, and says when the game has ended. window.gaiaBlade tells tests and
// curious people what the page is doing.
'use strict';

(function () {
  const SOUNDFONT = 'TimGM6mb.sf2';
  // Where the program's synthesizer looks for its SoundFont (src/platform/sound/synth.cpp).
  const SOUNDFONT_PATH = '/usr/share/sounds/sf2/' + SOUNDFONT;
  const KEYS = '<kbd>N</kbd> new game · <kbd>Space</kbd> fight, strike · <kbd>←</kbd> <kbd>→</kbd> walk · ' +
               '<kbd>Ctrl</kbd> parry · <kbd>Esc</kbd> quit';

  const note = document.getElementById('note');
  const page = {
    state: 'loading',  // loading, playing, ended, failed
    firstPictureMs: null,  // when the first picture was drawn, in ms since the page started loading
    marks: {},  // when each part of the loading was done, in ms since the page started loading
    audioState: 'none',  // none, suspended, running, closed
    pads: 0,  // game pads the browser reports
    module: null,
    // The level of what the page plays now, from the analyser before the speakers: the RMS and
    // the peak of the last 2048 samples, in dB below full scale (-Infinity for silence).
    level() {
      const analyser = page.module && page.module.audioAnalyser;
      if (!analyser) return { rms: -Infinity, peak: -Infinity };
      const samples = new Float32Array(analyser.fftSize);
      analyser.getFloatTimeDomainData(samples);
      let sum = 0;
      let peak = 0;
      for (const s of samples) {
        sum += s * s;
        peak = Math.max(peak, Math.abs(s));
      }
      const db = (x) => (x > 0 ? 20 * Math.log10(x) : -Infinity);
      return { rms: db(Math.sqrt(sum / samples.length)), peak: db(peak) };
    },
  };
  window.gaiaBlade = page;

  function mark(name) {
    page.marks[name] = Math.round(performance.now());
  }

  // Changes the note only when it says something new: every key asks.
  function say(html) {
    if (note.hidden === !html && note.dataset.said === html) return;
    note.dataset.said = html;
    note.innerHTML = html;
    note.hidden = !html;
  }

  // The line over the picture's foot while playing (below it, with touch buttons in portrait):
  // an invitation to turn the sound on and the keys, until the first key, click or touch, which
  // also turns the sound on.
  let gestured = false;
  function sayWhilePlaying() {
    if (page.state !== 'playing') return;
    const touch = document.body.classList.contains('touch');
    // Browsers report a game pad only once one of its buttons is pressed.
    const pads = 'getGamepads' in navigator && !page.pads ? ' · Press a button on the game pad to play with it.' : '';
    if (page.held) {
      say('The game holds until you come back to this page.');
    } else if (page.audioState === 'suspended') {
      say(touch ? 'Tap a button to turn the sound on.' : 'Press a key or click to turn the sound on. ' + KEYS + pads);
    } else if (page.playingDemo) {
      say('Playing a demo back: <kbd>Esc</kbd> ends it.');
    } else if (!gestured) {
      say(touch ? '' : KEYS + pads);
    } else {
      say('');
    }
  }

  // Browsers start audio suspended until the person does something on the page: a key, a
  // mouse button, or the end of a touch. Asking before that only earns a warning.
  function resumeAudio(event) {
    if (event && event.type === 'pointerdown' && event.pointerType !== 'mouse') return;
    gestured = true;
    const context = page.module && page.module.audioContext;
    const allowed = !navigator.userActivation || navigator.userActivation.isActive;
    if (context && context.state === 'suspended' && allowed) context.resume();
    sayWhilePlaying();
  }
  window.addEventListener('keydown', resumeAudio, true);
  window.addEventListener('pointerdown', resumeAudio, true);
  window.addEventListener('pointerup', resumeAudio, true);

  // The touch buttons, shown on a touch screen or from the first touch: each is a key of the
  // keyboard (data-key, its virtual-key code), held while a finger is on it. Several fingers may
  // hold several buttons. The picture's box shrinks to leave them room, and the web host plans
  // the picture in it again.
  const touch = document.getElementById('touch');
  function showTouch() {
    if (document.body.classList.contains('touch')) return;
    document.body.classList.add('touch');
    touch.hidden = false;
    window.dispatchEvent(new Event('resize'));
    sayWhilePlaying();
  }
  function sendKey(code, down) {
    if (page.module && page.module._HostWebKey) page.module._HostWebKey(code, down ? 1 : 0);
  }
  for (const button of touch.querySelectorAll('button')) {
    const code = Number(button.dataset.key);
    const fingers = new Set();
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      if (!fingers.size) sendKey(code, true);
      fingers.add(event.pointerId);
      button.classList.add('held');
    });
    const lift = (event) => {
      if (!fingers.delete(event.pointerId) || fingers.size) return;
      sendKey(code, false);
      button.classList.remove('held');
    };
    for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(type, lift);
    // Pressed by a screen reader or the keyboard rather than by a finger: a tap.
    button.addEventListener('click', (event) => {
      if (event.pointerType || event.detail) return;
      sendKey(code, true);
      sendKey(code, false);
    });
    button.addEventListener('contextmenu', (event) => event.preventDefault());
  }
  if (navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches) showTouch();
  window.addEventListener('touchstart', showTouch, { capture: true, passive: true });

  // The loading bar: the bytes arrived of those the first menu needs (the program and the data
  // pack, as site.json lists them).
  const progress = { loaded: 0, total: 0 };
  page.progress = progress;
  function showProgress() {
    if (page.state !== 'loading' || !progress.total) return;
    const mb = (bytes) => (bytes / 1e6).toFixed(1);
    say(`Loading the game… <progress max="${progress.total}" value="${progress.loaded}"></progress> ` +
        `${mb(progress.loaded)} of ${mb(progress.total)} MB`);
  }

  // Offline play: what the first visit fetched goes into the cache of this build (named as the
  // service worker names it), and the service worker, registered once everything is loaded,
  // adds the rest and serves later visits from that cache.
  let cache = null;
  page.offline = 'none';  // none, installing, ready (the next visit can do without a network), failed
  function keep(url, response) {
    if (!cache) return;
    const copy = response.clone();
    cache.then((open) => open.put(url, copy)).catch(() => {});
  }
  async function keepForOffline() {
    if (!('serviceWorker' in navigator)) return;
    if (navigator.serviceWorker.controller) {
      // This visit came through the worker; the browser looks for a new build itself.
      page.offline = 'ready';
      return;
    }
    page.offline = 'installing';
    try {
      await navigator.serviceWorker.register('service_worker.js');
      await navigator.serviceWorker.ready;
      page.offline = 'ready';
    } catch (error) {
      page.offline = 'failed';
    }
  }

  // The bytes at `url`; `counted` adds them to the loading bar as they arrive.
  async function fetchBytes(url, counted) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
    keep(url, response);
    if (!counted || !response.body) return new Uint8Array(await response.arrayBuffer());
    const reader = response.body.getReader();
    const parts = [];
    let length = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      length += value.length;
      progress.loaded += value.length;
      showProgress();
    }
    const bytes = new Uint8Array(length);
    let at = 0;
    for (const part of parts) {
      bytes.set(part, at);
      at += part.length;
    }
    return bytes;
  }

  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = src;
      script.onload = resolve;
      script.onerror = () => reject(new Error(src + ' did not load'));
      document.head.appendChild(script);
    });
  }

  // The data pack's files, each fetched on its own; a file that cannot be had is left out, and
  // the game says so when it opens it, as on the desktop.
  async function loadData(names) {
    const files = await Promise.all(names.map(async (name) => {
      try {
        return [name, await fetchBytes('data/' + encodeURIComponent(name), true)];
      } catch (error) {
        return [name, null];
      }
    }));
    mark('data');
    return files.filter(([, bytes]) => bytes);
  }

  // FluidSynth compiled to WebAssembly with the SoundFont in its files, fetched once the game
  // has started; null without either (the music is then silent, said in one line).
  async function loadSynthesizer() {
    const font = fetchBytes(SOUNDFONT);
    font.catch(() => {});
    const ready = new Promise((resolve) => {
      window.Module = { onRuntimeInitialized: () => resolve(window.Module) };
    });
    try {
      await loadScript('libfluidsynth.js');
    } catch (error) {
      console.error('gaiablade: music is silent: ' + error.message);
      return null;
    }
    const synthesizer = await ready;
    mark('synthesizer');
    try {
      const bytes = await font;
      synthesizer.FS.mkdirTree(SOUNDFONT_PATH.slice(0, SOUNDFONT_PATH.lastIndexOf('/')));
      synthesizer.FS.writeFile(SOUNDFONT_PATH, bytes);
      mark('soundFont');
    } catch (error) {
      console.error('gaiablade: music is silent: the page could not load its SoundFont (' + SOUNDFONT + ')');
      return null;
    }
    return synthesizer;
  }

  // A demo given in the address plays instead of the keyboard; the page refuses one it cannot
  // play before it loads anything.
  const demo = window.gaiaDemo.fromAddress();
  window.gaiaDemo.playDropped();
  page.playingDemo = demo !== null;
  // The newest demo the program recorded, as text (or null), and a link that plays it.
  page.demo = () => (page.module && page.module.FS ? window.gaiaDemo.newest(page.module.FS) : null);

  function sayEnded() {
    const recorded = page.demo();
    say('The game has ended. Reload the page (<kbd>F5</kbd>) to play again.' +
        (recorded ? ' <a id="demo-download" href="#">Download the demo of this game</a>' +
                    ' or <a id="demo-link" href="' + window.gaiaDemo.link(recorded.text) + '">share it as a link</a>.' : ''));
    const save = document.getElementById('demo-download');
    if (save) {
      save.addEventListener('click', (event) => {
        event.preventDefault();
        window.gaiaDemo.download(page.module.FS);
      });
    }
  }

  async function start() {
    if (demo !== null) {
      const why = window.gaiaDemo.refusal(demo);
      if (why) throw new Error('the demo in the address cannot be played: ' + why);
    }
    // The program and the data pack first, alone on the network; the synthesizer and its
    // SoundFont once the game has started, and the music with them.
    const site = await (await fetch('site.json')).json();
    if ('caches' in window && navigator.serviceWorker && !navigator.serviceWorker.controller) {
      cache = caches.open('gaiablade-' + site.build);
    }
    const sizes = new Map(site.files);
    const dataNames = site.files.map(([name]) => name).filter((name) => name.startsWith('data/')).map((name) => name.slice(5));
    for (const name of ['gaiablade.js', 'gaiablade.wasm', ...dataNames.map((name) => 'data/' + name)]) {
      progress.total += sizes.get(name) || 0;
    }
    showProgress();
    const script = loadScript('gaiablade.js').then(() => {
      progress.loaded += sizes.get('gaiablade.js') || 0;
      showProgress();
    });
    const [data, wasmBinary] = await Promise.all([loadData(dataNames), fetchBytes('gaiablade.wasm', true), script]);
    const config = {
      wasmBinary: wasmBinary,
      screenCanvas: document.getElementById('screen'),
      synthesizer: null,
      synthesizerComing: true,
      soundFontPath: SOUNDFONT_PATH,
      arguments: demo !== null ? ['--demo', window.gaiaDemo.PLAYED] : [],
      print: (text) => console.log(text),
      printErr: (text) => console.error(text),
      preRun: [() => {
        mark('program');
        if (demo !== null) config.FS.writeFile(window.gaiaDemo.PLAYED, demo);
        config.FS.mkdir('/data');
        for (const [name, bytes] of data) config.FS.writeFile('/data/' + name, bytes);
        config.FS.chdir('/data');
      }],
      onFirstPicture: () => {
        page.firstPictureMs = performance.now();
        mark('firstPicture');
      },
      onScreenOpen: () => {
        page.state = 'playing';
        sayWhilePlaying();
      },
      onHeld: (held) => {
        page.held = held;
        sayWhilePlaying();
      },
      onScreenClose: () => {
        page.state = 'ended';
        document.getElementById('screen').hidden = true;
        note.className = 'ended';
        sayEnded();
      },
      onAudioOpen: (context) => {
        const follow = () => {
          page.audioState = context.state;
          sayWhilePlaying();
        };
        context.addEventListener('statechange', follow);
        follow();
        if (gestured) resumeAudio();
      },
      onPads: (count) => {
        page.pads = count;
        sayWhilePlaying();
      },
      onAbort: (what) => {
        page.state = 'failed';
        say('The game stopped with an error (' + what + '). Reload the page to start again.');
      },
    };
    page.module = config;
    await window.GaiaBlade(config);
    config.synthesizer = await loadSynthesizer();
    config.synthesizerComing = false;
    await keepForOffline();
  }

  start().catch((error) => {
    page.state = 'failed';
    console.error('gaiablade: the page could not start the game: ' + error.message);
    say('The game could not start: ' + error.message);
  });
})();
