// The page around the game: the canvas, the player's mouse and keys, Web
// Audio for the samples, the 60 Hz frame loop, level packs from ?pack= or a
// chosen file, levels shared by a link (#level=... or #pack=...), and the
// solver's worker. The game itself runs in zandrove-simd.js / .wasm where
// the browser has WebAssembly's SIMD, else in zandrove.js / .wasm.
'use strict';

const FRAME_MS = 1000 / 60;
const MOST_FRAMES_AT_ONCE = 4;  // after a hidden tab, the rest of the time is dropped

const canvas = document.getElementById('screen');
const screen2d = canvas.getContext('2d', { alpha: false });
const statusLine = document.getElementById('status');
const noticeLine = document.getElementById('notice');
const below = document.getElementById('below');

// Allegro's scancodes for the keys the game reads (src/game/keys.h).
const SCANCODES = (() => {
  const codes = { Escape: 59, Minus: 61, Equal: 62, Backspace: 63, Tab: 64, Enter: 67, Space: 75, Insert: 76,
                  Delete: 77, Home: 78, End: 79, PageUp: 80, PageDown: 81, ArrowLeft: 82, ArrowRight: 83,
                  ArrowUp: 84, ArrowDown: 85, NumpadSubtract: 88, NumpadAdd: 89, NumpadDecimal: 90,
                  NumpadEnter: 91, ShiftLeft: 115, ShiftRight: 116, ControlLeft: 117, ControlRight: 118,
                  AltLeft: 119, AltRight: 120 };
  for (let i = 0; i < 26; i++) codes['Key' + String.fromCharCode(65 + i)] = 1 + i;
  for (let d = 0; d <= 9; d++) codes['Digit' + d] = 27 + d;
  for (let f = 1; f <= 12; f++) codes['F' + f] = 46 + f;
  return codes;
})();

// The frame at the largest whole number of device pixels per game pixel
// that fits the window, placed on whole device pixels: every game pixel
// equally wide at any device scale (1.25, 1.5). Only a window smaller than
// the frame itself scales it down by a fraction, smoothed. The lines below
// the frame follow it, in the window when there is room, else below the
// fold (a line saying a pack was refused is scrolled to).
// Up to n device pixels as a length in CSS pixels that the browser's layout
// keeps exactly (it counts in 64ths of a CSS pixel): an edge between two
// device pixels, never across one.
function exactly(n, d) {
  for (let m = Math.floor(n); m > 0; m--) {
    if (Math.abs(m * 64 / d - Math.round(m * 64 / d)) < 1e-6) return m / d;
  }
  return 0;
}

function fitCanvas() {
  const d = window.devicePixelRatio || 1;
  const width = document.documentElement.clientWidth, height = window.innerHeight;
  const fit = Math.min(width * d / canvas.width, height * d / canvas.height);
  const smooth = fit < 1;
  const k = smooth ? fit : Math.floor(fit);
  const room = Math.max(height - below.offsetHeight, Math.min(height, canvas.height * k / d));
  canvas.style.width = canvas.width * k / d + 'px';
  canvas.style.height = canvas.height * k / d + 'px';
  canvas.style.marginLeft = exactly((width * d - canvas.width * k) / 2, d) + 'px';
  canvas.style.marginTop = exactly((room * d - canvas.height * k) / 2, d) + 'px';
  canvas.classList.toggle('smooth', smooth);
  page.scale = k;
}
// A scroll bar that comes or goes changes the width without a resize event.
const fitAgain = () => {
  const width = document.documentElement.clientWidth;
  fitCanvas();
  if (document.documentElement.clientWidth !== width) fitCanvas();
};
window.addEventListener('resize', fitAgain);

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
  build: null,  // which build of the game runs: zandrove-simd or zandrove
  scale: 1,  // device pixels per game pixel
  paused: false,  // the browser test steps the frames itself
  refusals: 0,  // packs and links refused
  notice: '',
  linksPlayed: 0,
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

function say(line) {
  page.notice = line;
  noticeLine.textContent = line;
  fitAgain();
  if (line) {
    page.refusals++;
    console.warn('zandrove: ' + line);
    noticeLine.scrollIntoView({ block: 'nearest' });
  }
}

// The player's files (progress, settings, the designer's levels), kept in
// the browser's storage under the same text as the native game's files:
// the game reads and writes them in its folder /kept, and the page copies
// them to the storage after the frames that wrote them, and back before
// every frame when another tab of this site wrote them meanwhile, so that
// the game's own merge on writing (the progress) sees both tabs' levels.
const kept = {
  FOLDER: '/kept',
  PREFIX: 'zandrove:',
  seen: new Map(),  // path -> { mtime, size, text } as last stored or read
  storage: null,
  // Bytes to a string a storage holds whatever they are, and back: a file
  // set aside as bad may be anything.
  asText: (bytes) => { let s = ''; for (let i = 0; i < bytes.length; i += 8192) s += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192)); return s; },
  asBytes: (text) => Uint8Array.from(text, (c) => c.charCodeAt(0)),
  open() {
    try { this.storage = window.localStorage; this.storage.getItem(this.PREFIX); } catch (e) { this.storage = null; }
    Module.FS.mkdirTree(this.FOLDER);
    if (!this.storage) {
      say('progress and settings are not kept: this browser gives the page no storage');
      return;
    }
    for (let i = 0; i < this.storage.length; i++) {
      const key = this.storage.key(i);
      if (key && key.startsWith(this.PREFIX + this.FOLDER + '/')) this.write(key.slice(this.PREFIX.length), this.storage.getItem(key));
    }
    window.addEventListener('storage', (e) => {
      if (e.storageArea === this.storage && e.key && e.key.startsWith(this.PREFIX + this.FOLDER + '/')) {
        this.write(e.key.slice(this.PREFIX.length), e.newValue);
      }
    });
  },
  // Into the game's folder, as it stands in the storage (null: gone).
  write(file, text) {
    const known = this.seen.get(file);
    if (known && known.text === text) return;
    if (text === null) {
      try { Module.FS.unlink(file); } catch (e) { /* not there */ }
      this.seen.delete(file);
      return;
    }
    Module.FS.mkdirTree(file.slice(0, file.lastIndexOf('/')));
    Module.FS.writeFile(file, this.asBytes(text));
    const st = Module.FS.stat(file);
    this.seen.set(file, { mtime: st.mtime.getTime(), size: st.size, text });
  },
  // Before the frames: what another tab stored since (the event may not have come yet).
  refresh() {
    if (!this.storage) return;
    for (const file of this.seen.keys()) {
      const text = this.storage.getItem(this.PREFIX + file);
      if (text !== this.seen.get(file).text) this.write(file, text);
    }
  },
  files(folder, out) {
    for (const name of Module.FS.readdir(folder)) {
      if (name === '.' || name === '..') continue;
      const file = folder + '/' + name, st = Module.FS.stat(file);
      if (Module.FS.isDir(st.mode)) this.files(file, out);
      else if (!name.endsWith('.lock')) out.set(file, st);
    }
    return out;
  },
  // After the frames: what the game wrote, stored.
  store() {
    if (!this.storage) return;
    const now = this.files(this.FOLDER, new Map());
    for (const [file, st] of now) {
      const known = this.seen.get(file);
      if (known && known.mtime === st.mtime.getTime() && known.size === st.size) continue;
      const text = this.asText(Module.FS.readFile(file));
      try {
        if (!known || known.text !== text) this.storage.setItem(this.PREFIX + file, text);
        this.seen.set(file, { mtime: st.mtime.getTime(), size: st.size, text });
      } catch (e) {
        say(`'${file.slice(this.FOLDER.length + 1)}' is not kept: the browser's storage refuses it (${e.name})`);
        this.seen.set(file, { mtime: st.mtime.getTime(), size: st.size, text });
      }
    }
    for (const file of [...this.seen.keys()]) {
      if (!now.has(file)) {
        this.storage.removeItem(this.PREFIX + file);
        this.seen.delete(file);
      }
    }
  },
};
page.kept = kept;

// A text into the game's memory for one call.
function withText(text, call) {
  const size = Module.lengthBytesUTF8(text) + 1, at = Module._malloc(size);
  if (!at) return 0;
  Module.stringToUTF8(text, at, size);
  try { return call(at); } finally { Module._free(at); }
}

// Share links: the fragment holds the level text, compressed by zlib's
// format (deflate with a check of the text, so that a damaged link is
// refused, not played), in base64url. The page unpacks with the browser's
// own DecompressionStream, the native programs with zlib.
function linkIn(hash) {
  const parts = hash.replace(/^#/, '').split('&'), design = parts.includes('design') ? 1 : 0;
  for (const part of parts) {
    if (part.startsWith('level=')) return { pack: 0, payload: part.slice(6), design };
    if (part.startsWith('pack=')) return { pack: 1, payload: part.slice(5), design };
  }
  return null;
}

// The level text packed as zandrove-pack share packs it (zlib's format,
// base64url without padding), by the browser's own compression.
async function packLink(text, kind) {
  const packed = new Uint8Array(await new Response(new Blob([text]).stream()
    .pipeThrough(new CompressionStream('deflate'))).arrayBuffer());
  let binary = '';
  for (let i = 0; i < packed.length; i += 8192) binary += String.fromCharCode.apply(null, packed.subarray(i, i + 8192));
  const base = location.origin + location.pathname;
  return base + '#' + kind + '=' + btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

async function unpackLink(payload, limit) {
  if (payload === '') throw new Error("the link is cut short: nothing after its '='");
  const clean = payload.replace(/=+$/, '');
  if (!/^[A-Za-z0-9_-]*$/.test(clean) || clean.length % 4 === 1) {
    throw new Error('the link is damaged: it has characters no link is made of');
  }
  const binary = atob(clean.replace(/-/g, '+').replace(/_/g, '/') + '==='.slice((clean.length + 3) % 4));
  const bytes = Uint8Array.from(binary, (c) => c.charCodeAt(0));
  const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate')).getReader();
  const chunks = [];
  let total = 0;
  try {
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      total += value.length;
      // However little the link, unpacking stops at the game's bound.
      if (total > limit) {
        reader.cancel().catch(() => {});
        return { tooLong: true };
      }
      chunks.push(value);
    }
  } catch (e) {
    throw new Error('the link is damaged or cut short: its level text does not unpack');
  }
  const all = new Uint8Array(total);
  let at = 0;
  for (const c of chunks) { all.set(c, at); at += c.length; }
  return { bytes: all };
}

// The link in the address, played if the game takes it; a link refused
// leaves the game as it was, with a line saying why.
async function playLink() {
  const link = linkIn(location.hash);
  if (!link) return;
  const limit = Module._zandrove_link_text_limit();
  let unpacked;
  try {
    unpacked = await unpackLink(link.payload, limit);
  } catch (e) {
    say('link refused: ' + e.message);
    return;
  }
  if (unpacked.tooLong) {
    say(`link refused: it unpacks to more than ${limit / (1 << 20)} MiB of level text`);
    return;
  }
  // The bytes go to the game as they are: its parser judges them.
  const at = Module._malloc(Math.max(1, unpacked.bytes.length));
  if (!at) {
    say('link refused: its level text does not fit in memory');
    return;
  }
  Module.HEAPU8.set(unpacked.bytes, at);
  const played = Module._zandrove_play_link_text(at, unpacked.bytes.length, link.pack, link.design);
  Module._free(at);
  if (played) {
    page.linksPlayed++;
    page.gameOver = false;
    statusLine.textContent = '';
  }
}

// The solver's worker (zandrove-solver-worker.js): searches in the order the
// game starts them, one at a time. Cancelling the one under way ends the
// worker (a search cannot be told to stop while it runs); the next search
// gets a new one.
const solver = {
  worker: null,
  searches: new Map(),  // id -> { text, state: 0 running / 1 done / 2 failed, attempts, report }
  queue: [],
  running: null,
  next: 1,
  start(text) {
    const id = this.next++;
    this.searches.set(id, { text, state: 0, attempts: 0, report: '' });
    this.queue.push(id);
    this.pump();
    return id;
  },
  pump() {
    if (this.running !== null || this.queue.length === 0) return;
    if (!this.worker) {
      try {
        this.worker = new Worker('zandrove-solver-worker.js');
      } catch (e) {
        for (const id of this.queue.splice(0)) this.searches.get(id).state = 2;
        return;
      }
      this.worker.onmessage = (e) => this.heard(e.data);
      this.worker.onerror = (e) => {
        e.preventDefault();
        this.end(2, '');
      };
    }
    this.running = this.queue.shift();
    this.worker.postMessage({ id: this.running, search: this.searches.get(this.running).text });
  },
  heard(m) {
    const s = this.searches.get(m.id);
    if (!s || m.id !== this.running) return;
    if (m.attempts !== undefined) s.attempts = m.attempts;
    if (m.report !== undefined) this.end(m.report === null ? 2 : 1, m.report || '');
  },
  end(state, report) {
    const s = this.searches.get(this.running);
    if (s) Object.assign(s, { state, report });
    if (state === 2 && this.worker) {
      this.worker.terminate();
      this.worker = null;
    }
    this.running = null;
    this.pump();
  },
  state(id) { const s = this.searches.get(id); return s ? s.state : 2; },
  attempts(id) { const s = this.searches.get(id); return s ? s.attempts : 0; },
  report(id) { const s = this.searches.get(id); return s ? s.report : ''; },
  cancel(id) {
    this.searches.delete(id);
    const queued = this.queue.indexOf(id);
    if (queued >= 0) this.queue.splice(queued, 1);
    if (this.running === id) {
      this.worker.terminate();
      this.worker = null;
      this.running = null;
      this.pump();
    }
  },
};
page.solver = solver;

// Whether the browser runs WebAssembly's SIMD: a module of one function
// that makes a 128-bit vector validates only where it does.
const HAS_SIMD = WebAssembly.validate(new Uint8Array([
  0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 8, 1, 6, 0, 65, 0, 253, 15, 11]));
// ?wasm=portable runs the build without SIMD anywhere (to compare the two).
const query = new URLSearchParams(location.search);
page.build = HAS_SIMD && query.get('wasm') !== 'portable' ? 'zandrove-simd' : 'zandrove';

// ?plain plays the plain game, frame for frame the native one; the page is
// otherwise the player's edition.
page.plain = query.has('plain');

var Module = {
  arguments: page.plain ? ['--plain'] : [],
  canvas,
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  // Both builds package the same assets, in zandrove.data.
  locateFile: (path) => (path.endsWith('.data') ? 'zandrove.data' : path),
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
    notice: say,
    fullscreen: (full) => {
      const root = document.documentElement;
      if (full && !root.requestFullscreen) return false;
      (full ? root.requestFullscreen() : document.exitFullscreen()).catch(() => {});
      return true;
    },
    solver,
  },
  // ?pack=URL (this site's own) is fetched before the game starts; one that
  // cannot be fetched, or that the game refuses, leaves the built-in levels
  // with a line saying why.
  preRun: [() => kept.open(), () => {
    const wanted = query.get('pack');
    if (!wanted) return;
    const refused = (why) => say(`pack '${wanted}' refused: ${why}`);
    let url;
    try { url = new URL(wanted, location.href); } catch (e) { refused('it is no address'); return; }
    if (url.origin !== location.origin) { refused('only a pack of this site is played'); return; }
    Module.addRunDependency('pack');
    fetch(url).then((r) => {
      if (!r.ok) throw new Error(`it cannot be fetched (HTTP ${r.status})`);
      return r.arrayBuffer();
    }).then((bytes) => {
      Module.FS.writeFile('/url-pack.pak', new Uint8Array(bytes));
      Module.arguments.push('/url-pack.pak', wanted);
    }).catch((e) => refused(e.message.startsWith('it cannot') ? e.message : 'it cannot be fetched (' + e.message + ')'))
      .finally(() => Module.removeRunDependency('pack'));
  }],
  postRun: [startPage],
};

async function startPage() {
  document.title = Module.UTF8ToString(Module._zandrove_title());
  statusLine.textContent = '';
  fitAgain();
  canvas.focus();
  // A link in the address is played before the first frame is shown, and
  // a link pasted into the same tab later (only the fragment changes).
  await playLink();
  window.addEventListener('hashchange', playLink);
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
    if (held && e.key.length === 1 && !e.ctrlKey && !e.altKey && !e.metaKey) Module._zandrove_typed(e.key.charCodeAt(0));
    if (code === undefined) return;
    e.preventDefault();
    Module._zandrove_key(code, held ? 1 : 0);
  };
  // The wheel's steps, away from the player positive, as Allegro counts them.
  canvas.addEventListener('wheel', (e) => {
    e.preventDefault();
    if (e.deltaY) Module._zandrove_wheel(e.deltaY < 0 ? 1 : -1);
  }, { passive: false });
  window.addEventListener('keydown', key(true));
  window.addEventListener('keyup', key(false));
  // A key held while the page loses the focus is let go.
  window.addEventListener('blur', () => { for (const code of Object.values(SCANCODES)) Module._zandrove_key(code, 0); });

  // The edition's own line of keys; the designer's file actions while it is up.
  const keysLine = document.getElementById('keys'), designRow = document.getElementById('design');
  if (page.plain) keysLine.textContent = keysLine.dataset.plain;
  if (!page.plain && query.has('design')) Module._zandrove_open_designer();
  const designBytes = (what) => {
    const at = Module._zandrove_design_bytes(what);
    return Module.HEAPU8.slice(at, at + Module._zandrove_design_size());
  };
  const download = (bytes, name, type) => {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([bytes], { type }));
    a.download = name;
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
    canvas.focus();
  };
  document.getElementById('save-txt').addEventListener('click', () => download(designBytes(0), 'levels.txt', 'text/plain'));
  document.getElementById('save-pak').addEventListener('click', () => download(designBytes(1), 'levels.pak', 'application/octet-stream'));
  document.getElementById('copy-link').addEventListener('click', async () => {
    const text = new TextDecoder().decode(designBytes(2));
    canvas.focus();
    if (!text) return;
    page.copiedLink = await packLink(text, 'level');
    try {
      await navigator.clipboard.writeText(page.copiedLink);
      say('');
      noticeLine.textContent = 'The link to this level is on the clipboard.';
    } catch (e) {
      say('the link could not be put on the clipboard: ' + page.copiedLink);
    }
  });
  document.getElementById('design-open').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    if (!file) return;
    e.target.value = '';
    const at = '/opened' + (file.name.toLowerCase().endsWith('.txt') ? '.txt' : '.pak');
    Module.FS.writeFile(at, new Uint8Array(await file.arrayBuffer()));
    withText(at, (p) => withText(file.name, (n) => Module._zandrove_design_open(p, n)));
    Module.FS.unlink(at);
    canvas.focus();
  });
  const showDesignRow = () => {
    const up = !page.plain && Module._zandrove_screen() === 7;
    if (designRow.hidden === up) {
      designRow.hidden = !up;
      fitAgain();
    }
  };

  // A chosen pack that the game refuses leaves it playing what it played.
  document.getElementById('pack').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    if (!file) return;
    e.target.value = '';  // the same file may be chosen again
    let played = 0;
    try {
      Module.FS.writeFile('/chosen-pack.pak', new Uint8Array(await file.arrayBuffer()));
      played = withText('/chosen-pack.pak', (path) => withText(`pack '${file.name}'`,
        (what) => Module._zandrove_play_pack(path, what)));
      Module.FS.unlink('/chosen-pack.pak');
    } catch (error) {
      say(`pack '${file.name}' refused: it cannot be read (${error.message})`);
    }
    page.packsChosen++;
    if (played) {
      page.gameOver = false;
      statusLine.textContent = '';
    }
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
    if (n > 0 && !page.gameOver && !page.paused) {
      page.frameCalls.push(n);
      if (page.frameCalls.length > 600) page.frameCalls.shift();
      const began = performance.now();
      // The plain game keeps nothing.
      if (!page.plain) kept.refresh();
      const goesOn = Module._zandrove_frames(n);
      if (!page.plain) kept.store();
      showDesignRow();
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

fitAgain();
// The build the browser can run, loaded once the page above is in place.
const game = document.createElement('script');
game.src = page.build + '.js';
game.onerror = () => { statusLine.textContent = 'The game could not be loaded.'; };
document.body.appendChild(game);
