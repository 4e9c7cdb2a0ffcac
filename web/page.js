// The page: loads the data pack, the SoundFont and the synthesizer beside the program, starts the
// game on the web host (src/platform/host/host_web.cpp with host_web.js), turns the sound on at
// the first key or click, and says when the game has ended. window.gaiaBlade tells tests and
// curious people what the page is doing.
'use strict';

(function () {
  const SOUNDFONT = 'TimGM6mb.sf2';
  // Where the program's synthesizer looks for its SoundFont (src/platform/services/synth.cpp).
  const SOUNDFONT_PATH = '/usr/share/sounds/sf2/' + SOUNDFONT;
  const KEYS = '<kbd>N</kbd> new game · <kbd>Space</kbd> fight, strike · <kbd>←</kbd> <kbd>→</kbd> walk · ' +
               '<kbd>Ctrl</kbd> parry · <kbd>Esc</kbd> quit';

  const note = document.getElementById('note');
  const page = {
    state: 'loading',  // loading, playing, ended, failed
    firstPictureMs: null,  // when the first picture was drawn, in ms since the page started loading
    marks: {},  // when each part of the loading was done, in ms since the page started loading
    audioState: 'none',  // none, suspended, running, closed
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

  function say(html) {
    note.innerHTML = html;
    note.hidden = !html;
  }

  // The line over the picture's foot while playing: an invitation to turn the sound on and the
  // keys, until the first key or click, which also turns the sound on.
  let gestured = false;
  function sayWhilePlaying() {
    if (page.state !== 'playing') return;
    if (page.held) {
      say('The game holds until you come back to this page.');
    } else if (page.audioState === 'suspended') {
      say('Press a key or click to turn the sound on. ' + KEYS);
    } else if (!gestured) {
      say(KEYS);
    } else {
      say('');
    }
  }

  // Browsers start audio suspended until the person does something on the page.
  function resumeAudio() {
    gestured = true;
    const context = page.module && page.module.audioContext;
    if (context && context.state === 'suspended') context.resume();
    sayWhilePlaying();
  }
  window.addEventListener('keydown', resumeAudio, true);
  window.addEventListener('pointerdown', resumeAudio, true);

  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
    return new Uint8Array(await response.arrayBuffer());
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
  async function loadData() {
    const names = await (await fetch('data/files.json')).json();
    const files = await Promise.all(names.map(async (name) => {
      try {
        return [name, await fetchBytes('data/' + encodeURIComponent(name))];
      } catch (error) {
        return [name, null];
      }
    }));
    mark('data');
    return files.filter(([, bytes]) => bytes);
  }

  // FluidSynth compiled to WebAssembly, with the SoundFont (`font`, fetched meanwhile) in its
  // files; null without it (the music is then silent, and the game says why).
  async function loadSynthesizer(font) {
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
      // The program says that its music is silent when it finds no SoundFont.
    }
    return synthesizer;
  }

  async function start() {
    // Everything is fetched at once; the program starts when all is there.
    const font = fetchBytes(SOUNDFONT);
    font.catch(() => {});
    const [data, synthesizer, wasmBinary] = await Promise.all(
      [loadData(), loadSynthesizer(font), fetchBytes('gaiablade.wasm'), loadScript('gaiablade.js')]);
    const config = {
      wasmBinary: wasmBinary,
      screenCanvas: document.getElementById('screen'),
      synthesizer: synthesizer,
      print: (text) => console.log(text),
      printErr: (text) => console.error(text),
      preRun: [() => {
        mark('program');
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
        say('The game has ended. Reload the page (<kbd>F5</kbd>) to play again.');
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
      onAbort: (what) => {
        page.state = 'failed';
        say('The game stopped with an error (' + what + '). Reload the page to start again.');
      },
    };
    page.module = config;
    await window.GaiaBlade(config);
  }

  start().catch((error) => {
    page.state = 'failed';
    console.error('gaiablade: the page could not start the game: ' + error.message);
    say('The game could not start: ' + error.message);
  });
})();
