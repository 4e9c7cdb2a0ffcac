// The music synthesizer's calls (src/platform/sound/synth.cpp), forwarded to the synthesizer
// the page loaded: FluidSynth compiled to WebAssembly (the npm package js-synthesizer's
// libfluidsynth), handed to the program as Module['synthesizer'] with the SoundFont in its files
// under the path the program asks for. The two programs have heaps of their own, so strings,
// SysEx bytes and rendered samples are copied across.
//
// The page may start the program before the synthesizer has arrived (Module['synthesizerComing']
// true, and the SoundFont's path in Module['soundFontPath']): the bridge then hands out settings
// and synthesizers of its own, keeps what the program sets and loads, and the channels' settings
// (instruments, controllers, bends, SysEx) the songs send, and renders silence. When the
// synthesizer arrives, the bridge makes the real ones, loads the SoundFont, plays the kept
// settings into it, and the music starts with the next notes. Without a synthesizer (and none
// coming) every call fails quietly, as FluidSynth would without a SoundFont, and the music is
// silent.

mergeInto(LibraryManager.library, {
  $SynthBridge: {
    scratch: 0,
    scratchBytes: 0,
    // What the program holds, by its handle less one: {settings (a handle), real (the
    // synthesizer's own, 0 until made), done (made, or given up), kept: [[name, ...arguments]]}.
    handles: [],
    // Kept channel settings beyond this many are dropped, oldest first.
    KEEP_AT_MOST: 4096,
    // The synthesizer, or null.
    get: function () {
      return Module['synthesizer'] || null;
    },
    coming: function () {
      return !SynthBridge.get() && !!Module['synthesizerComing'];
    },
    // `bytes` bytes of the synthesizer's memory, kept between calls.
    room: function (fs, bytes) {
      if (SynthBridge.scratchBytes < bytes) {
        if (SynthBridge.scratch) fs._free(SynthBridge.scratch);
        SynthBridge.scratch = fs._malloc(bytes);
        SynthBridge.scratchBytes = SynthBridge.scratch ? bytes : 0;
      }
      return SynthBridge.scratch;
    },
    // Copies `bytes` (a Uint8Array) to the synthesizer's scratch memory, with a zero after.
    copyIn: function (fs, bytes) {
      var to = SynthBridge.room(fs, bytes.length + 1);
      if (!to) return 0;
      fs.HEAPU8.set(bytes, to);
      fs.HEAPU8[to + bytes.length] = 0;
      return to;
    },
    text: function (at) {
      return HEAPU8.slice(at, at + lengthBytesUTF8(UTF8ToString(at)));
    },
    // A new handle for the program (0 when no synthesizer is there or coming).
    make: function (settings) {
      if (!SynthBridge.get() && !SynthBridge.coming()) return 0;
      SynthBridge.handles.push({ settings: settings, real: 0, done: false, kept: [] });
      var handle = SynthBridge.handles.length;
      return SynthBridge.real(handle) || !SynthBridge.get() ? handle : 0;
    },
    // The synthesizer's own object behind the program's `handle`, made when the synthesizer is
    // there (0 while it is not, or when it could not be made).
    real: function (handle) {
      var entry = SynthBridge.handles[handle - 1];
      var fs = SynthBridge.get();
      if (!entry || entry.done || !fs) return entry && entry.done ? entry.real : 0;
      entry.done = true;
      var call = SynthBridge.call;
      if (!entry.settings) {
        // The synthesizer's log goes nowhere, as the program asks; its own callback cannot be
        // called from the other program.
        for (var level = 0; level <= 4; level++) fs._fluid_set_log_function(level, 0, 0);
        entry.real = fs._new_fluid_settings();
        for (var i = 0; entry.real && i < entry.kept.length; i++) call(fs, entry.real, entry.kept[i]);
      } else {
        var settings = SynthBridge.real(entry.settings);
        entry.real = settings ? fs._new_fluid_synth(settings) : 0;
        for (var j = 0; entry.real && j < entry.kept.length; j++) {
          if (call(fs, entry.real, entry.kept[j]) === -1 && entry.kept[j][0] === 'sfload') {
            fs._delete_fluid_synth(entry.real);
            entry.real = 0;
          }
        }
      }
      entry.kept = [];
      return entry.real;
    },
    // Calls the synthesizer's `what` on `real` with the kept arguments (strings and bytes as
    // Uint8Arrays); its result.
    call: function (fs, real, what) {
      var args = [real];
      for (var i = 1; i < what.length; i++) {
        var arg = what[i];
        if (arg instanceof Uint8Array) {
          arg = SynthBridge.copyIn(fs, arg);
          if (!arg) return -1;
        }
        args.push(arg);
      }
      return fs['_fluid_' + what[0]].apply(null, args);
    },
    // Forwards `what` for the program's `handle`, or keeps it for later when `keep` (a channel's
    // setting, or what the program sets up) and the synthesizer is coming; `answer` is then the
    // result. Fails quietly (-1) without a synthesizer.
    forward: function (handle, what, keep, answer) {
      var real = SynthBridge.real(handle);
      if (real) return SynthBridge.call(SynthBridge.get(), real, what);
      var entry = SynthBridge.handles[handle - 1];
      if (!entry || entry.done || !SynthBridge.coming()) return -1;
      if (keep) {
        if (what[0] === 'synth_system_reset') entry.kept = entry.kept.filter(function (k) { return k[0] === 'synth_sfload'; });
        entry.kept.push(what);
        if (entry.kept.length > SynthBridge.KEEP_AT_MOST) entry.kept.splice(entry.kept.length - SynthBridge.KEEP_AT_MOST - 1, 1);
      }
      return answer;
    },
  },

  new_fluid_settings__deps: ['$SynthBridge'],
  new_fluid_settings: function () {
    return SynthBridge.make(0);
  },
  delete_fluid_settings__deps: ['$SynthBridge'],
  delete_fluid_settings: function (settings) {
    var real = settings && SynthBridge.real(settings);
    if (real) SynthBridge.get()._delete_fluid_settings(real);
    var entry = settings && SynthBridge.handles[settings - 1];
    if (entry) {
      entry.done = true;
      entry.real = 0;
    }
  },
  fluid_settings_setnum__deps: ['$SynthBridge'],
  fluid_settings_setnum: function (settings, name, value) {
    return SynthBridge.forward(settings, ['settings_setnum', SynthBridge.text(name), value], true, 0);
  },
  fluid_settings_setint__deps: ['$SynthBridge'],
  fluid_settings_setint: function (settings, name, value) {
    return SynthBridge.forward(settings, ['settings_setint', SynthBridge.text(name), value], true, 0);
  },
  // The bridge sends the synthesizer's log nowhere itself, as it makes the settings.
  fluid_set_log_function__deps: ['$SynthBridge'],
  fluid_set_log_function: function (level, fun, data) {
    return 0;
  },
  new_fluid_synth__deps: ['$SynthBridge'],
  new_fluid_synth: function (settings) {
    return settings ? SynthBridge.make(settings) : 0;
  },
  delete_fluid_synth__deps: ['$SynthBridge'],
  delete_fluid_synth: function (synth) {
    var real = synth && SynthBridge.real(synth);
    if (real) SynthBridge.get()._delete_fluid_synth(real);
    var entry = synth && SynthBridge.handles[synth - 1];
    if (entry) {
      entry.done = true;
      entry.real = 0;
    }
  },
  // While the synthesizer is coming, the SoundFont the page brings (Module['soundFontPath']) is
  // taken to load (font id 1), and no other; should it not, the music stays silent, and the page
  // says why.
  fluid_synth_sfload__deps: ['$SynthBridge'],
  fluid_synth_sfload: function (synth, path, reset) {
    var coming = UTF8ToString(path) === Module['soundFontPath'];
    return SynthBridge.forward(synth, ['synth_sfload', SynthBridge.text(path), reset], coming, coming ? 1 : -1);
  },
  fluid_synth_get_active_voice_count__deps: ['$SynthBridge'],
  fluid_synth_get_active_voice_count: function (synth) {
    var real = SynthBridge.real(synth);
    return real ? SynthBridge.get()._fluid_synth_get_active_voice_count(real) : 0;
  },
  // Renders into the synthesizer's memory, then copies both channels into the program's; silence
  // while the synthesizer is coming.
  fluid_synth_write_float__deps: ['$SynthBridge'],
  fluid_synth_write_float: function (synth, frames, left, leftOffset, leftStep, right, rightOffset, rightStep) {
    var fs = SynthBridge.get();
    var real = SynthBridge.real(synth);
    var out = real ? SynthBridge.room(fs, frames * 8) : 0;
    var l = (left >> 2) + leftOffset;
    var r = (right >> 2) + rightOffset;
    if (!out) {
      for (var k = 0; k < frames; k++) HEAPF32[l + k * leftStep] = HEAPF32[r + k * rightStep] = 0;
      return real ? -1 : 0;
    }
    var result = fs._fluid_synth_write_float(real, frames, out, 0, 1, out + frames * 4, 0, 1);
    var made = fs.HEAPF32.subarray(out >> 2, (out >> 2) + frames * 2);
    for (var i = 0; i < frames; i++) {
      HEAPF32[l + i * leftStep] = made[i];
      HEAPF32[r + i * rightStep] = made[frames + i];
    }
    return result;
  },
  fluid_synth_noteon__deps: ['$SynthBridge'],
  fluid_synth_noteon: function (synth, channel, key, velocity) {
    return SynthBridge.forward(synth, ['synth_noteon', channel, key, velocity], false, 0);
  },
  fluid_synth_noteoff__deps: ['$SynthBridge'],
  fluid_synth_noteoff: function (synth, channel, key) {
    return SynthBridge.forward(synth, ['synth_noteoff', channel, key], false, 0);
  },
  fluid_synth_key_pressure__deps: ['$SynthBridge'],
  fluid_synth_key_pressure: function (synth, channel, key, value) {
    return SynthBridge.forward(synth, ['synth_key_pressure', channel, key, value], false, 0);
  },
  fluid_synth_cc__deps: ['$SynthBridge'],
  fluid_synth_cc: function (synth, channel, control, value) {
    return SynthBridge.forward(synth, ['synth_cc', channel, control, value], true, 0);
  },
  fluid_synth_program_change__deps: ['$SynthBridge'],
  fluid_synth_program_change: function (synth, channel, program) {
    return SynthBridge.forward(synth, ['synth_program_change', channel, program], true, 0);
  },
  fluid_synth_channel_pressure__deps: ['$SynthBridge'],
  fluid_synth_channel_pressure: function (synth, channel, value) {
    return SynthBridge.forward(synth, ['synth_channel_pressure', channel, value], true, 0);
  },
  fluid_synth_pitch_bend__deps: ['$SynthBridge'],
  fluid_synth_pitch_bend: function (synth, channel, value) {
    return SynthBridge.forward(synth, ['synth_pitch_bend', channel, value], true, 0);
  },
  // The message's bytes are copied across; no answer is asked for (response is null).
  fluid_synth_sysex__deps: ['$SynthBridge'],
  fluid_synth_sysex: function (synth, data, length, response, responseLength, handled, dryrun) {
    return SynthBridge.forward(synth, ['synth_sysex', HEAPU8.slice(data, data + length), length, 0, 0, 0, dryrun], true, 0);
  },
  fluid_synth_all_notes_off__deps: ['$SynthBridge'],
  fluid_synth_all_notes_off: function (synth, channel) {
    return SynthBridge.forward(synth, ['synth_all_notes_off', channel], false, 0);
  },
  fluid_synth_system_reset__deps: ['$SynthBridge'],
  fluid_synth_system_reset: function (synth) {
    return SynthBridge.forward(synth, ['synth_system_reset'], true, 0);
  },
});
