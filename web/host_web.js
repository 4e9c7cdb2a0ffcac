// The page's half of the web host (src/platform/host/host_web.cpp): the canvas, the cursor and
// Web Audio. Linked into the program with --js-library. The page (index.html) gives the
// program two canvases: `picture`, the game's picture at its own size, and `screen`, the one
// shown, which the picture is enlarged into.

mergeInto(LibraryManager.library, {
  $HostWebState: {
    picture: null,
    pictureContext: null,
    screen: null,
    screenContext: null,
    prescale: 1,
    audio: null,
    processor: null,
    analyser: null,
  },

  HostWebScreenOpen__deps: ['$HostWebState'],
  HostWebScreenOpen: function (title, width, height) {
    var s = HostWebState;
    s.picture = Module['pictureCanvas'];
    s.screen = Module['screenCanvas'];
    if (!s.picture || !s.screen) return 0;
    document.title = UTF8ToString(title);
    s.picture.width = width;
    s.picture.height = height;
    s.pictureContext = s.picture.getContext('2d');
    s.screenContext = s.screen.getContext('2d');
    if (!s.pictureContext || !s.screenContext) return 0;
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

  // The screen canvas holds the picture enlarged `prescale` times by whole pixels; the page
  // shows it at the planned size (in device pixels), smoothed unless that is exact.
  HostWebScreenPlace__deps: ['$HostWebState'],
  HostWebScreenPlace: function (prescale, x, y, width, height, exact) {
    var s = HostWebState;
    var ratio = window.devicePixelRatio || 1;
    s.prescale = prescale;
    s.screen.width = s.picture.width * prescale;
    s.screen.height = s.picture.height * prescale;
    var style = s.screen.style;
    style.left = x / ratio + 'px';
    style.top = y / ratio + 'px';
    style.width = width / ratio + 'px';
    style.height = height / ratio + 'px';
    style.imageRendering = exact ? 'pixelated' : 'auto';
    s.screenContext.imageSmoothingEnabled = false;
    s.screenContext.drawImage(s.picture, 0, 0, s.screen.width, s.screen.height);
  },

  // Draws the area (x, y, width, height) of the picture from `rgba` (the whole picture, four
  // bytes a pixel) and enlarges that area onto the screen.
  HostWebScreenDraw__deps: ['$HostWebState'],
  HostWebScreenDraw: function (rgba, x, y, width, height) {
    var s = HostWebState;
    var w = s.picture.width;
    var h = s.picture.height;
    var image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h);
    s.pictureContext.putImageData(image, 0, 0, x, y, width, height);
    if (!s.drawn) {
      s.drawn = true;
      if (Module['onFirstPicture']) Module['onFirstPicture']();
    }
    var p = s.prescale;
    s.screenContext.imageSmoothingEnabled = false;
    s.screenContext.drawImage(s.picture, x, y, width, height, x * p, y * p, width * p, height * p);
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
