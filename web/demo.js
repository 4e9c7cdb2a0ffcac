// Demos in the page: a demo given in the page's address (index.html#demo=...) or dropped onto
// the page is played back by the program (--demo); the demo the program records of each game
// can be downloaded, and shared as a link. Demos are bound to the C library's random generator,
// and the web build's is not the desktop's: a demo of another generator is refused here with a
// clear word, before the program starts.
'use strict';

window.gaiaDemo = (function () {
  const GENERATOR = 'musl';
  // Where the program keeps its demos in its own files ($HOME/.local/state/gaiablade/demos).
  const FOLDER = '/home/web_user/.local/state/gaiablade/demos';
  // Where the page puts a demo to play, for the program's --demo.
  const PLAYED = '/played.demo';
  const HEADER = /^# gaiablade demo 1: version ([^,]*), system ([^,]*), generator ([^,]*), seed \d+\r?$/;

  // The demo in the page's address, as text, or null.
  function fromAddress() {
    const found = /^#demo=([\s\S]*)$/.exec(location.hash);
    if (!found) return null;
    try {
      return decodeURIComponent(found[1]);
    } catch (error) {
      return '';
    }
  }

  // Why the page cannot play `text`, or null when it can.
  function refusal(text) {
    const header = HEADER.exec(text.split('\n', 1)[0]);
    if (!header) return 'this is not a demo of the game';
    if (header[3] !== GENERATOR) {
      return `it was recorded with the random generator of ${header[3]} (${header[2]}), and this page ` +
             `has ${GENERATOR}'s, which would play another game from the same seed`;
    }
    return null;
  }

  // A link that plays `text` in this page.
  function link(text) {
    return location.origin + location.pathname + '#demo=' + encodeURIComponent(text);
  }

  // The newest demo the program wrote ({ name, text }), or null.
  function newest(FS) {
    try {
      const names = FS.readdir(FOLDER).filter((name) => name.endsWith('.demo')).sort();
      if (!names.length) return null;
      const name = names[names.length - 1];
      return { name, text: FS.readFile(FOLDER + '/' + name, { encoding: 'utf8' }) };
    } catch (error) {
      return null;
    }
  }

  // Offers the newest demo as a file to save; false when there is none.
  function download(FS) {
    const demo = newest(FS);
    if (!demo) return false;
    const anchor = document.createElement('a');
    anchor.href = URL.createObjectURL(new Blob([demo.text], { type: 'text/plain' }));
    anchor.download = demo.name;
    anchor.click();
    setTimeout(() => URL.revokeObjectURL(anchor.href), 1000);
    return true;
  }

  // A demo file dropped onto the page is played from its link.
  function playDropped() {
    window.addEventListener('dragover', (event) => event.preventDefault());
    window.addEventListener('drop', async (event) => {
      event.preventDefault();
      const file = event.dataTransfer && event.dataTransfer.files[0];
      if (!file) return;
      location.href = link(await file.text());
      location.reload();
    });
  }

  return { fromAddress, refusal, link, newest, download, playDropped, PLAYED };
})();
