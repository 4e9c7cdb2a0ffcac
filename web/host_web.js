// The page's half of the web host (src/platform/host/host_web.cpp): the canvas, the cursor and
// Web Audio. Linked into the program with --js-library. The page (index.html) gives the
// program its canvas as Module['screenCanvas'], inside the box it is to fill; the program draws
// into it the picture enlarged by a whole multiple, and the page shows the canvas at the planned
// size within that box.

mergeInto(LibraryManager.library, {
  $HostWebState: {
    screen: null,
    context: null,
    drawn: false,
    pads: 0,
    audio: null,
    analyser: null,
  },

  HostWebScreenOpen__deps: ['$HostWebState'],
  HostWebScreenOpen: function (title, width, height) {
    var s = HostWebState;
    s.screen = Module['screenCanvas'];
    if (!s.screen) return 0;
    s.context = s.screen.getContext('2d');
    if (!s.context) return 0;
    document.title = UTF8ToString(title);
    if (Module['onScreenOpen']) Module['onScreenOpen']();
    return 1;
  },

  HostWebScreenClose__deps: ['$HostWebState'],
  HostWebScreenClose: function () {
    if (Module['onScreenClose']) Module['onScreenClose']();
  },

  // The box the picture is planned in, in device pixels: the canvas's parent on the page (the
  // whole window, or what the touch buttons leave of it).
  HostWebScreenOutputWidth__deps: ['$HostWebState'],
  HostWebScreenOutputWidth: function () {
    var box = HostWebState.screen && HostWebState.screen.parentElement;
    return Math.round((box ? box.clientWidth : window.innerWidth) * (window.devicePixelRatio || 1));
  },

  HostWebScreenOutputHeight__deps: ['$HostWebState'],
  HostWebScreenOutputHeight: function () {
    var box = HostWebState.screen && HostWebState.screen.parentElement;
    return Math.round((box ? box.clientHeight : window.innerHeight) * (window.devicePixelRatio || 1));
  },

  // Gives the canvas its size (which clears it) and shows it at (x, y, width, height) in device
  // pixels: without smoothing when that is a whole multiple of the canvas's size (`exact`),
  // smoothed otherwise.
  HostWebScreenPlace__deps: ['$HostWebState'],
  HostWebScreenPlace: function (canvasWidth, canvasHeight, x, y, width, height, exact) {
    var s = HostWebState;
    var ratio = window.devicePixelRatio || 1;
    s.screen.width = canvasWidth;
    s.screen.height = canvasHeight;
    var style = s.screen.style;
    style.left = x / ratio + 'px';
    style.top = y / ratio + 'px';
    style.width = width / ratio + 'px';
    style.height = height / ratio + 'px';
    style.imageRendering = exact ? 'pixelated' : 'auto';
  },

  // Puts `rgba` (width x height pixels, four bytes each, rows one after another) at (x, y) of
  // the canvas. The pixels are copied out of the program's memory into an image of the canvas's
  // own first.
  HostWebScreenDraw__deps: ['$HostWebState'],
  HostWebScreenDraw: function (rgba, x, y, width, height) {
    var s = HostWebState;
    var image = s.context.createImageData(width, height);
    image.data.set(HEAPU8.subarray(rgba, rgba + width * height * 4));
    s.context.putImageData(image, x, y);
    if (!s.drawn) {
      s.drawn = true;
      if (Module['onFirstPicture']) Module['onFirstPicture']();
    }
  },

  // The game holds while the player is away (1) or goes on (0); the page says so.
  HostWebHeld: function (held) {
    if (Module['onHeld']) Module['onHeld'](!!held);
  },

  HostWebCursorShow__deps: ['$HostWebState'],
  HostWebCursorShow: function (visible) {
    if (HostWebState.screen) HostWebState.screen.style.cursor = visible ? 'default' : 'none';
  },

  // The game pads the browser reports, at most `most` of them, each as eight ints at `fields`:
  // d-pad left, d-pad right, the left stick across (-32767 to 32767), A, B, X, Back, Start, by
  // the browser's standard mapping; returns how many. The page hears when the number changes.
  HostWebPadsRead__deps: ['$HostWebState'],
  HostWebPadsRead: function (fields, most) {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var count = 0;
    for (var i = 0; i < pads.length && count < most; i++) {
      var pad = pads[i];
      if (!pad || pad.connected === false) continue;
      var buttons = pad.buttons;
      var on = function (k) { return buttons[k] && buttons[k].pressed ? 1 : 0; };
      var across = pad.axes.length ? Math.max(-1, Math.min(1, pad.axes[0] || 0)) : 0;
      var at = (fields >> 2) + 8 * count++;
      HEAP32.set([on(14), on(15), Math.round(across * 32767), on(0), on(1), on(2), on(8), on(9)], at);
    }
    if (count !== HostWebState.pads) {
      HostWebState.pads = count;
      if (Module['onPads']) Module['onPads'](count);
    }
    return count;
  },

  // Web Audio on the browser's audio thread: an audio worklet (web/audio_worklet.js) plays the
  // blocks that the page's thread mixes ahead from the program's mixer (HostWebAudioPull), and
  // its output goes through an analyser, which the page reads for its level. The page's thread
  // keeps a fixed lead (LEAD_SECONDS of sound) posted: it tops the lead up whenever the worklet
  // says how far it has played, between the game's passes. The context starts suspended until
  // the person's first key, click or touch (the page resumes it). Without an audio worklet
  // (older browsers, or a page not served over https or from this machine) there is no sound.
  HostWebAudioOpen__deps: ['$HostWebState'],
  HostWebAudioOpen: function (wantedRate, frames) {
    var s = HostWebState;
    var Context = window.AudioContext;
    if (!Context || !window.AudioWorkletNode || !window.isSecureContext) return 0;
    var context;
    try {
      context = new Context({ sampleRate: wantedRate });
    } catch (e) {
      try {
        context = new Context();
      } catch (e2) {
        return 0;
      }
    }
    var LEAD_SECONDS = 0.08;
    var lead = Math.round(LEAD_SECONDS * context.sampleRate);
    var analyser = context.createAnalyser();
    analyser.fftSize = 2048;
    analyser.connect(context.destination);
    var audio = { context: context, analyser: analyser, node: null, sent: 0, played: 0 };
    // Mixes and posts what the lead lacks, at most `frames` frames a block.
    audio.topUp = function () {
      while (audio.node && audio.sent - audio.played < lead) {
        var count = Math.min(frames, lead - (audio.sent - audio.played));
        var samples = _HostWebAudioPull(count);
        var block = samples ? HEAP16.slice(samples >> 1, (samples >> 1) + 2 * count) : new Int16Array(2 * count);
        audio.node.port.postMessage(block, [block.buffer]);
        audio.sent += count;
      }
    };
    context.audioWorklet.addModule('audio_worklet.js').then(function () {
      if (s.audio !== audio) return;
      var node = new AudioWorkletNode(context, 'gaiablade-output', { numberOfInputs: 0, outputChannelCount: [2] });
      node.port.onmessage = function (event) {
        audio.played = event.data.played;
        Module['audioSilentQuanta'] = event.data.silent;
        audio.topUp();
      };
      node.connect(analyser);
      audio.node = node;
      Module['audioNode'] = node;
      audio.topUp();
    }, function (error) {
      if (s.audio !== audio) return;
      err('gaiablade: no sound: the audio worklet did not load (' + error.message + ')');
    });
    s.audio = audio;
    Module['audioContext'] = context;
    Module['audioAnalyser'] = analyser;
    if (Module['onAudioOpen']) Module['onAudioOpen'](context);
    return context.sampleRate;
  },

  HostWebAudioClose__deps: ['$HostWebState'],
  HostWebAudioClose: function () {
    var s = HostWebState;
    var audio = s.audio;
    if (!audio) return;
    s.audio = null;
    if (audio.node) {
      audio.node.port.onmessage = null;
      audio.node.port.postMessage('stop');
      audio.node.disconnect();
    }
    audio.analyser.disconnect();
    audio.context.close();
    Module['audioContext'] = null;
    Module['audioAnalyser'] = null;
    Module['audioNode'] = null;
  },
});
