// The music synthesizer's calls (src/platform/services/synth.cpp), forwarded to the synthesizer
// the page loaded: FluidSynth compiled to WebAssembly (the npm package js-synthesizer's
// libfluidsynth), handed to the program as Module['synthesizer']. The two programs have heaps
// of their own, so strings, SysEx bytes and rendered samples are copied across. The page writes
// the SoundFont into the synthesizer's files under the path the program asks for. Without a
// synthesizer every call fails quietly, as FluidSynth would without a SoundFont, and the music is
// silent.

mergeInto(LibraryManager.library, {
  $SynthBridge: {
    scratch: 0,
    scratchBytes: 0,
    // The synthesizer, or null.
    get: function () {
      return Module['synthesizer'] || null;
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
    // Copies `length` bytes from the program at `from` to the synthesizer's scratch memory.
    copyIn: function (fs, from, length) {
      var to = SynthBridge.room(fs, length + 1);
      if (!to) return 0;
      fs.HEAPU8.set(HEAPU8.subarray(from, from + length), to);
      fs.HEAPU8[to + length] = 0;
      return to;
    },
  },

  new_fluid_settings__deps: ['$SynthBridge'],
  new_fluid_settings: function () {
    var fs = SynthBridge.get();
    return fs ? fs._new_fluid_settings() : 0;
  },
  delete_fluid_settings__deps: ['$SynthBridge'],
  delete_fluid_settings: function (settings) {
    var fs = SynthBridge.get();
    if (fs && settings) fs._delete_fluid_settings(settings);
  },
  fluid_settings_setnum__deps: ['$SynthBridge'],
  fluid_settings_setnum: function (settings, name, value) {
    var fs = SynthBridge.get();
    if (!fs) return -1;
    var at = SynthBridge.copyIn(fs, name, lengthBytesUTF8(UTF8ToString(name)));
    return at ? fs._fluid_settings_setnum(settings, at, value) : -1;
  },
  fluid_settings_setint__deps: ['$SynthBridge'],
  fluid_settings_setint: function (settings, name, value) {
    var fs = SynthBridge.get();
    if (!fs) return -1;
    var at = SynthBridge.copyIn(fs, name, lengthBytesUTF8(UTF8ToString(name)));
    return at ? fs._fluid_settings_setint(settings, at, value) : -1;
  },
  // The synthesizer's log goes nowhere, as the program asks; its own callback cannot be called
  // from the other program.
  fluid_set_log_function__deps: ['$SynthBridge'],
  fluid_set_log_function: function (level, fun, data) {
    var fs = SynthBridge.get();
    if (fs) fs._fluid_set_log_function(level, 0, 0);
    return 0;
  },
  new_fluid_synth__deps: ['$SynthBridge'],
  new_fluid_synth: function (settings) {
    var fs = SynthBridge.get();
    return fs && settings ? fs._new_fluid_synth(settings) : 0;
  },
  delete_fluid_synth__deps: ['$SynthBridge'],
  delete_fluid_synth: function (synth) {
    var fs = SynthBridge.get();
    if (fs && synth) fs._delete_fluid_synth(synth);
  },
  fluid_synth_sfload__deps: ['$SynthBridge'],
  fluid_synth_sfload: function (synth, path, reset) {
    var fs = SynthBridge.get();
    if (!fs) return -1;
    var at = SynthBridge.copyIn(fs, path, lengthBytesUTF8(UTF8ToString(path)));
    return at ? fs._fluid_synth_sfload(synth, at, reset) : -1;
  },
  fluid_synth_get_active_voice_count__deps: ['$SynthBridge'],
  fluid_synth_get_active_voice_count: function (synth) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_get_active_voice_count(synth) : 0;
  },
  // Renders into the synthesizer's memory, then copies both channels into the program's.
  fluid_synth_write_float__deps: ['$SynthBridge'],
  fluid_synth_write_float: function (synth, frames, left, leftOffset, leftStep, right, rightOffset, rightStep) {
    var fs = SynthBridge.get();
    var out = fs ? SynthBridge.room(fs, frames * 8) : 0;
    if (!out) return -1;
    var result = fs._fluid_synth_write_float(synth, frames, out, 0, 1, out + frames * 4, 0, 1);
    var made = fs.HEAPF32.subarray(out >> 2, (out >> 2) + frames * 2);
    var l = (left >> 2) + leftOffset;
    var r = (right >> 2) + rightOffset;
    for (var i = 0; i < frames; i++) {
      HEAPF32[l + i * leftStep] = made[i];
      HEAPF32[r + i * rightStep] = made[frames + i];
    }
    return result;
  },
  fluid_synth_noteon__deps: ['$SynthBridge'],
  fluid_synth_noteon: function (synth, channel, key, velocity) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_noteon(synth, channel, key, velocity) : -1;
  },
  fluid_synth_noteoff__deps: ['$SynthBridge'],
  fluid_synth_noteoff: function (synth, channel, key) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_noteoff(synth, channel, key) : -1;
  },
  fluid_synth_key_pressure__deps: ['$SynthBridge'],
  fluid_synth_key_pressure: function (synth, channel, key, value) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_key_pressure(synth, channel, key, value) : -1;
  },
  fluid_synth_cc__deps: ['$SynthBridge'],
  fluid_synth_cc: function (synth, channel, control, value) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_cc(synth, channel, control, value) : -1;
  },
  fluid_synth_program_change__deps: ['$SynthBridge'],
  fluid_synth_program_change: function (synth, channel, program) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_program_change(synth, channel, program) : -1;
  },
  fluid_synth_channel_pressure__deps: ['$SynthBridge'],
  fluid_synth_channel_pressure: function (synth, channel, value) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_channel_pressure(synth, channel, value) : -1;
  },
  fluid_synth_pitch_bend__deps: ['$SynthBridge'],
  fluid_synth_pitch_bend: function (synth, channel, value) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_pitch_bend(synth, channel, value) : -1;
  },
  // The message's bytes are copied across; no answer is asked for (response is null).
  fluid_synth_sysex__deps: ['$SynthBridge'],
  fluid_synth_sysex: function (synth, data, length, response, responseLength, handled, dryrun) {
    var fs = SynthBridge.get();
    var at = fs ? SynthBridge.copyIn(fs, data, length) : 0;
    return at ? fs._fluid_synth_sysex(synth, at, length, 0, 0, 0, dryrun) : -1;
  },
  fluid_synth_all_notes_off__deps: ['$SynthBridge'],
  fluid_synth_all_notes_off: function (synth, channel) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_all_notes_off(synth, channel) : -1;
  },
  fluid_synth_system_reset__deps: ['$SynthBridge'],
  fluid_synth_system_reset: function (synth) {
    var fs = SynthBridge.get();
    return fs ? fs._fluid_synth_system_reset(synth) : -1;
  },
});
