// The page's half of the web host (src/platform/host/host_web.cpp): the canvas, the cursor and
// Web Audio. Linked into the program with --js-library. The page (index.html) gives the
// program its canvas as Module['screenCanvas']; the program draws into it the picture enlarged
// by a whole multiple, and the page shows the canvas at the planned size.

mergeInto(LibraryManager.library, {
  $HostWebState: {
    screen: null,
    context: null,
    drawn: false,
    audio: null,
    processor: null,
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

  HostWebScreenOutputWidth: function () {
    return Math.round(window.innerWidth * (window.devicePixelRatio || 1));
  },

  HostWebScreenOutputHeight: function () {
    return Math.round(window.innerHeight * (window.devicePixelRatio || 1));
  },

  // Gives the canvas its size (which clears it) and shows it at (x, y, width, height) in device
  // pixels, smoothed unless that is exactly the canvas's size.
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

  // Web Audio: a script processor pulls `frames` frames at a time from the program's mixer
  // (HostWebAudioPull) and plays them through an analyser, which the page reads for its level.
  // The context starts suspended until the person's first key or click (the page resumes it).
  HostWebAudioOpen__deps: ['$HostWebState'],
  HostWebAudioOpen: function (wantedRate, frames) {
    var s = HostWebState;
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
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
    var processor = context.createScriptProcessor(frames, 0, 2);
    var analyser = context.createAnalyser();
    analyser.fftSize = 2048;
    processor.onaudioprocess = function (event) {
      var left = event.outputBuffer.getChannelData(0);
      var right = event.outputBuffer.getChannelData(1);
      var count = left.length;
      var samples = _HostWebAudioPull(count);
      if (!samples) {
        left.fill(0);
        right.fill(0);
        return;
      }
      var at = samples >> 1;
      for (var i = 0; i < count; i++) {
        left[i] = HEAP16[at + 2 * i] / 32768;
        right[i] = HEAP16[at + 2 * i + 1] / 32768;
      }
    };
    processor.connect(analyser);
    analyser.connect(context.destination);
    s.audio = context;
    s.processor = processor;
    s.analyser = analyser;
    Module['audioContext'] = context;
    Module['audioAnalyser'] = analyser;
    if (Module['onAudioOpen']) Module['onAudioOpen'](context);
    return context.sampleRate;
  },

  HostWebAudioClose__deps: ['$HostWebState'],
  HostWebAudioClose: function () {
    var s = HostWebState;
    if (!s.audio) return;
    s.processor.onaudioprocess = null;
    s.processor.disconnect();
    s.analyser.disconnect();
    s.audio.close();
    s.audio = s.processor = s.analyser = null;
    Module['audioContext'] = null;
    Module['audioAnalyser'] = null;
  },
});
