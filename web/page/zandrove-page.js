// The page around the game: the canvas, the player's mouse and keys, Web
// Audio for the samples, the 60 Hz frame loop, and level packs from ?pack=
// or a chosen file. The game itself runs in zandrove.js / zandrove.wasm.
'use strict';

const FRAME_MS = 1000 / 60;
const MOST_FRAMES_AT_ONCE = 4;  // after a hidden tab, the rest of the time is dropped

const canvas = document.getElementById('screen');
const screen2d = canvas.getContext('2d', { alpha: false });
const statusLine = document.getElementById('status');

// Allegro's scancodes for the keys the game reads (src/game/keys.h).
const SCANCODES = (() => {
  const codes = { Escape: 59, Minus: 61, Equal: 62, Space: 75, ArrowLeft: 82, ArrowRight: 83,
                  ArrowUp: 84, ArrowDown: 85, NumpadSubtract: 88, NumpadAdd: 89 };
  for (let i = 0; i < 26; i++) codes['Key' + String.fromCharCode(65 + i)] = 1 + i;
  for (let d = 0; d <= 9; d++) codes['Digit' + d] = 27 + d;
  for (let f = 1; f <= 12; f++) codes['F' + f] = 46 + f;
  return codes;
})();

// The largest whole factor at which the 640 x 480 frame fits the window.
function fitCanvas() {
  const k = Math.max(1, Math.floor(Math.min(window.innerWidth / canvas.width, window.innerHeight / canvas.height)));
  canvas.style.width = canvas.width * k + 'px';
  canvas.style.height = canvas.height * k + 'px';
}
window.addEventListener('resize', fitCanvas);
fitCanvas();

// Web Audio: every sample decoded once; play_sample's volume, pan, frequency
// and looping; stopping a sample stops all its voices, as Allegro's does.
const audio = {
  context: null,
  buffers: [],
  voices: new Map(),
  ensure() {
    if (!this.context) this.context = new (window.AudioContext || window.webkitAudioContext)();
    return this.context;
  },
  load(bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const text = (at) => String.fromCharCode(bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]);
    if (bytes.length < 12 || text(0) !== 'RIFF' || text(8) !== 'WAVE') return -1;
    let channels = 0, rate = 0, bits = 0, data = null;
    for (let at = 12; at + 8 <= bytes.length;) {
      const id = text(at), size = view.getUint32(at + 4, true);
      if (id === 'fmt ') {
        channels = view.getUint16(at + 10, true);
        rate = view.getUint32(at + 12, true);
        bits = view.getUint16(at + 22, true);
      } else if (id === 'data') {
        data = [at + 8, Math.min(size, bytes.length - at - 8)];
      }
      at += 8 + size + (size & 1);
    }
    if (!data || !channels || !rate || (bits !== 8 && bits !== 16)) return -1;
    const step = bits / 8, frames = Math.floor(data[1] / (step * channels));
    const buffer = this.ensure().createBuffer(channels, Math.max(frames, 1), rate);
    for (let c = 0; c < channels; c++) {
      const out = buffer.getChannelData(c);
      for (let i = 0; i < frames; i++) {
        const at = data[0] + (i * channels + c) * step;
        out[i] = bits === 16 ? view.getInt16(at, true) / 32768 : (bytes[at] - 128) / 128;
      }
    }
    this.buffers.push(buffer);
    page.soundsLoaded++;
    return this.buffers.length - 1;
  },
  play(id, volume, pan, frequency, loop) {
    const context = this.ensure(), buffer = this.buffers[id];
    if (!buffer) return;
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.loop = loop;
    source.playbackRate.value = frequency / 1000;
    const gain = context.createGain();
    gain.gain.value = volume / 256;
    const panner = context.createStereoPanner();
    panner.pan.value = (pan - 128) / 128;
    source.connect(gain).connect(panner).connect(context.destination);
    if (!this.voices.has(id)) this.voices.set(id, new Set());
    const voices = this.voices.get(id);
    voices.add(source);
    source.onended = () => voices.delete(source);
    source.start();
    page.soundsPlayed++;
  },
  stop(id) {
    const voices = this.voices.get(id);
    if (!voices) return;
    for (const source of voices) source.stop();
    voices.clear();
  },
};
// Browsers start sound only after the player's first gesture.
for (const type of ['pointerdown', 'keydown']) {
  window.addEventListener(type, () => { if (audio.context && audio.context.state !== 'running') audio.context.resume(); });
}

const page = {
  framesShown: 0,
  firstFrameMs: null,
  gameOver: false,
  frameCalls: [],  // how many frames each animation frame asked for (the browser test reads these)
  longestGapMs: 0,  // between two animation frames
  framesRun: 0,  // and the time they took, drawing and showing included
  framesMs: 0,
  packsChosen: 0,
  soundsLoaded: 0,
  soundsPlayed: 0,
};
window.zandrovePage = page;

var Module = {
  arguments: [],
  canvas,
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  // The calls the game makes (src/platform/web/page_calls.cpp).
  zandrove: {
    loadSound: (path) => {
      try { return audio.load(Module.FS.readFile(path)); } catch (e) { return -1; }
    },
    playSound: (id, volume, pan, frequency, loop) => audio.play(id, volume, pan, frequency, loop),
    stopSound: (id) => audio.stop(id),
    showPicture: (rgba, w, h) => {
      // A view of the game's memory: putImageData takes its own copy.
      screen2d.putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length), w, h), 0, 0);
      if (page.firstFrameMs === null) page.firstFrameMs = performance.now();
      page.framesShown++;
    },
  },
  // ?pack=URL (this site's own) is fetched before the game starts; a pack
  // that cannot be fetched is left out, and one that cannot be read is
  // ignored by the game, as the native game ignores it.
  preRun: [() => {
    const wanted = new URLSearchParams(location.search).get('pack');
    if (!wanted) return;
    let url;
    try { url = new URL(wanted, location.href); } catch (e) { return; }
    if (url.origin !== location.origin) { console.warn('zandrove: only a pack of this site is played'); return; }
    Module.addRunDependency('pack');
    fetch(url).then((r) => (r.ok ? r.arrayBuffer() : null)).then((bytes) => {
      if (!bytes) return;
      Module.FS.writeFile('/url-pack.pak', new Uint8Array(bytes));
      Module.arguments.push('/url-pack.pak');
    }).catch(() => {}).finally(() => Module.removeRunDependency('pack'));
  }],
  postRun: [start],
};

function start() {
  document.title = Module.UTF8ToString(Module._zandrove_title());
  statusLine.textContent = '';
  canvas.focus();
  // The mouse in the frame's pixels; Allegro's button bits are the browser's.
  const pointer = (e) => {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor((e.clientX - r.left) * canvas.width / r.width);
    const y = Math.floor((e.clientY - r.top) * canvas.height / r.height);
    Module._zandrove_mouse(x, y, e.buttons & 7);
  };
  for (const type of ['pointermove', 'pointerdown', 'pointerup']) window.addEventListener(type, pointer);
  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  const key = (held) => (e) => {
    const code = SCANCODES[e.code];
    if (code === undefined) return;
    e.preventDefault();
    Module._zandrove_key(code, held ? 1 : 0);
  };
  window.addEventListener('keydown', key(true));
  window.addEventListener('keyup', key(false));
  // A key held while the page loses the focus is let go.
  window.addEventListener('blur', () => { for (const code of Object.values(SCANCODES)) Module._zandrove_key(code, 0); });

  document.getElementById('pack').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    if (!file) return;
    Module.FS.writeFile('/chosen-pack.pak', new Uint8Array(await file.arrayBuffer()));
    const path = '/chosen-pack.pak', size = Module.lengthBytesUTF8(path) + 1, at = Module._malloc(size);
    Module.stringToUTF8(path, at, size);
    Module._zandrove_play_pack(at);
    Module._free(at);
    page.packsChosen++;
    page.gameOver = false;
    canvas.focus();
  });

  // Exactly 60 game frames a second, whatever the display's rate.
  let last = null, owed = 0;
  const tick = (now) => {
    if (last !== null) {
      owed += now - last;
      page.longestGapMs = Math.max(page.longestGapMs, now - last);
    }
    last = now;
    let n = Math.floor(owed / FRAME_MS);
    owed -= n * FRAME_MS;
    if (n > MOST_FRAMES_AT_ONCE) {
      n = MOST_FRAMES_AT_ONCE;
      owed = 0;
    }
    if (n > 0 && !page.gameOver) {
      page.frameCalls.push(n);
      if (page.frameCalls.length > 600) page.frameCalls.shift();
      const began = performance.now();
      const goesOn = Module._zandrove_frames(n);
      page.framesMs += performance.now() - began;
      page.framesRun += n;
      if (goesOn === 0) {
        page.gameOver = true;
        statusLine.textContent = 'The game is over. Reload the page to play again.';
      }
    }
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
}
