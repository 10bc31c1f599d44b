// The web version in Debian's Chromium, headless, driven by Playwright (the
// system's browser: nothing is downloaded). Serves the built site locally and
// checks, through the page as a player uses it:
//   1. level 7's first frame, played from a level pack given as ?pack=, is
//      the simulator's screenshot of that frame, byte for byte;
//   2. every bad pack (not fetched, empty, cut, junk with levels) and every
//      damaged link is refused with a line on the page, the game going on;
//   3. a level shared by zandrove-pack share opens in a fresh page and
//      completes with its recorded solution; the longest link that works;
//   4. nothing of the page over the frame at three window sizes, whole
//      device pixels per game pixel at device scales 1.25 and 1.5;
//   5. a search in the solver's worker while the frames keep 60 a second;
//      the builds with and without SIMD draw the same frames;
//   6. level 1 played with its recorded solution (the bomb taken from its
//      slot, dragged, its fuse set, Space) completes in the recorded frame
//      and level 2 starts, although the tab was frozen for a while mid-run;
//      no animation frame ever ran more than a few game frames;
//   7. the player's edition (the page's default; 1 to 6 play ?plain): the
//      title, its Levels' sets, and Continue, a hint's ghost while the frames keep 60 a second,
//      level 1 completed; a level drawn in the designer, solved by F5 in
//      the worker, kept by Ctrl+S, saved as and opened, shared by Copy
//      link, the same level as zandrove-pack share makes of it, completed
//      in a fresh tab with the hint's solution; both tabs' progress kept
//      over a reload.
// Prints the time from page load to the first frame, the frame's cost with
// and without a search, and the longest link; with PICTURE, saves the page
// as it looks just before Space (the picture in docs/web.md).
//   node browser_test.mjs SITE-DIR NATIVE-BIN-DIR SOLUTIONS-FILE [PICTURE.png]
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';

const [site, bin, solutionsFile, picture] = process.argv.slice(2);
if (!site || !bin || !solutionsFile) {
  console.error('usage: node browser_test.mjs SITE-DIR NATIVE-BIN-DIR SOLUTIONS-FILE');
  process.exit(2);
}
const HUD_TOP = 480 - 82;
const failures = [];
const check = (ok, what) => {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
};

// The site as built, plus a pack of level 7 onwards made with the pack tool.
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zandrove-web-'));
for (const f of fs.readdirSync(site)) fs.copyFileSync(path.join(site, f), path.join(work, f));
const packTool = (...args) => execFileSync(path.join(bin, 'zandrove-pack'), args, { maxBuffer: 1 << 28 }).toString();
const text = packTool('dump', '--builtin');
fs.writeFileSync(path.join(work, 'builtin.txt'), text);
fs.writeFileSync(path.join(work, 'from7.txt'), text.slice(text.indexOf('level "Level 7"')));
packTool('build', path.join(work, 'from7.txt'), '-o', path.join(work, 'from7.pak'));
// Packs the page must refuse: empty, shorter than a header, a level cut
// before its end, and junk that holds a complete level (random records
// ended by a zero one), which the checker finds errors in.
const builtinPak = path.join(work, 'builtin.pak');
packTool('build', path.join(work, 'builtin.txt'), '-o', builtinPak);
let seed = 7;
const noise = (n) => Buffer.from(Array.from({ length: n }, () => (seed = (seed * 1103515245 + 12345) % 2147483648) >> 16 & 255));
const badPacks = {
  'empty.pak': Buffer.alloc(0),
  'short.pak': noise(100),
  'cut.pak': fs.readFileSync(builtinPak).subarray(0, 1424 + 128 + 16 * 5),
  'junk.pak': Buffer.concat([noise(1424 + 128 + 16 * 40).map((b, i) => (i >= 1552 && i % 16 < 2 && b === 0 ? 1 : b)),
                             Buffer.alloc(16)]),
};
for (const [name, bytes] of Object.entries(badPacks)) fs.writeFileSync(path.join(work, name), bytes);

const port = 20000 + (process.pid % 20000);
const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1', '--directory', work],
                     { stdio: 'ignore' });
const base = `http://127.0.0.1:${port}/`;
for (let i = 0; i < 100; i++) {
  try { if ((await fetch(base)).ok) break; } catch (e) { /* not up yet */ }
  await new Promise((r) => setTimeout(r, 100));
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--autoplay-policy=no-user-gesture-required'],
});
// Level texts of at least bytes: levels of 40 blocks in random cells.
const randomLevels = (bytes) => {
  let state = 11, text = '';
  const next = (n) => { state = (state * 1103515245 + 12345) % 2147483648; return (state >> 8) % n; };
  for (let level = 1; text.length < bytes; level++) {
    text += `level "Random ${level}"\nbomb\nhamster 300 240\nexit 420 320 100 40\n`;
    const cells = new Set();
    while (cells.size < 40) cells.add((1 + next(30)) * 100 + 1 + next(8));
    for (const c of cells) text += `block ${Math.floor(c / 100) * 20} ${(c % 100) * 20}\n`;
  }
  return text;
};

// What the page shows and runs, read in one go.
const facts = (page) => page.evaluate(() => ({
  notice: document.getElementById('notice').textContent,
  levels: Module._zandrove_level_count(),
  level: Module._zandrove_level(),
  shown: window.zandrovePage.framesShown,
  over: window.zandrovePage.gameOver,
  refusals: window.zandrovePage.refusals,
}));
const opened = async (context, address) => {
  const page = await context.newPage();
  page.on('pageerror', (e) => check(false, `no error on the page (${e.message})`));
  await page.goto(address);
  await page.waitForFunction(() => window.zandrovePage && window.zandrovePage.framesShown > 0, null, { timeout: 30000 });
  return page;
};
// The game goes on: frames keep coming.
const goesOn = async (page) => {
  const before = (await facts(page)).shown;
  await page.waitForFunction((n) => window.zandrovePage.framesShown > n + 5, before, { timeout: 5000 }).catch(() => {});
  const now = await facts(page);
  return now.shown > before + 5 && !now.over;
};
// A link's payload with its zlib stream cut or one character changed.
const payloadOf = (link) => link.slice(link.indexOf('=') + 1);
// A hash of the canvas's pixels (FNV-1a), computed in the page.
const canvasHash = () => {
  const c = document.getElementById('screen');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let h = 2166136261;
  for (let i = 0; i < d.length; i++) h = Math.imul(h ^ d[i], 16777619) >>> 0;
  return h;
};
// PNG as Playwright writes it: 8-bit RGB or RGBA, not interlaced.
const decodePng = (png) => {
  let at = 8, width = 0, height = 0, type = 0;
  const data = [];
  while (at < png.length) {
    const length = png.readUInt32BE(at), kind = png.toString('ascii', at + 4, at + 8);
    if (kind === 'IHDR') { width = png.readUInt32BE(at + 8); height = png.readUInt32BE(at + 12); type = png[at + 17]; }
    if (kind === 'IDAT') data.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data)), bpp = type === 6 ? 4 : 3, stride = width * bpp;
  const out = Buffer.alloc(height * stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; x++) {
      const a = x >= bpp ? out[y * stride + x - bpp] : 0, b = y ? out[(y - 1) * stride + x] : 0;
      const c = x >= bpp && y ? out[(y - 1) * stride + x - bpp] : 0;
      let v = raw[y * (stride + 1) + 1 + x];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      out[y * stride + x] = v & 255;
    }
  }
  return { width, height, bpp, data: out };
};

// One bomb from slot 0 dragged to (bx, by), its fuse the shortest (the
// slider's left end), through the page's mouse as a player does it; the
// mouse then waits at the top right.
const placeOneBomb = async (play, bx, by) => {
  const box = await play.evaluate(() => {
    const r = document.getElementById('screen').getBoundingClientRect();
    return { left: r.left, top: r.top, k: r.width / 640 };
  });
  const frames = () => play.evaluate(() => Module._zandrove_level_frames());
  const wait = async (n) => {
    const from = await frames();
    await play.waitForFunction((f) => Module._zandrove_level_frames() >= f, from + n, { timeout: 10000 });
  };
  const to = async (x, y) => {
    await play.mouse.move(box.left + (x + 0.5) * box.k, box.top + (y + 0.5) * box.k);
    await wait(2);
  };
  const press = async () => { await play.mouse.down(); await wait(2); };
  const release = async () => { await play.mouse.up(); await wait(2); };
  await to(120, HUD_TOP + 24);  // inventory slot 0: the bomb comes out at the screen's centre
  await press();
  await release();
  await to(320, 240);
  await press();
  for (let i = 1; i <= 8; i++) await to(320 + Math.round((bx - 320) * i / 8), 240 + Math.round((by - 240) * i / 8));
  await release();
  await to(385, HUD_TOP + 24);
  await press();
  await release();
  await to(600, 60);
  return { wait };
};
// The same, then Space: the frames from the run's start to the level's end.
const playOneBomb = async (play, bx, by) => {
  const { wait } = await placeOneBomb(play, bx, by);
  await play.keyboard.down('Space');
  await wait(2);
  await play.keyboard.up('Space');
  await play.waitForFunction(() => Module._zandrove_last_run_frames() >= 0, null, { timeout: 30000 }).catch(() => {});
  return play.evaluate(() => Module._zandrove_last_run_frames());
};

// The edition's screen (edition::Edition::Screen: 0 title, 2 the chooser,
// 4 a level, 5 its result, 7 the designer, 8 the sets); n more frames run;
// a key held for two.
const screenOf = (page) => page.evaluate(() => Module._zandrove_screen());
const afterFrames = async (page, n) => {
  const from = await page.evaluate(() => window.zandrovePage.framesRun);
  await page.waitForFunction((f) => window.zandrovePage.framesRun >= f, from + n, { timeout: 10000 });
};
const tap = async (page, key) => {
  await page.keyboard.down(key);
  await afterFrames(page, 2);
  await page.keyboard.up(key);
  await afterFrames(page, 2);
};
// The mouse in the frame's pixels, each step seen by the game.
const hands = async (page) => {
  const box = await page.evaluate(() => {
    const r = document.getElementById('screen').getBoundingClientRect();
    return { left: r.left, top: r.top, k: r.width / 640 };
  });
  const to = async (x, y) => {
    await page.mouse.move(box.left + (x + 0.5) * box.k, box.top + (y + 0.5) * box.k);
    await afterFrames(page, 2);
  };
  return {
    to,
    drag: async (x1, y1, x2, y2) => {
      await to(x1, y1);
      await page.mouse.down();
      await afterFrames(page, 2);
      await to(x2, y2);
      await page.mouse.up();
      await afterFrames(page, 2);
    },
  };
};
// H in a level: the frames while the hint is searched, and its ghost.
const hintWhileMeasured = async (page) => {
  const now = () => page.evaluate(() => ({ run: window.zandrovePage.framesRun, ms: window.zandrovePage.framesMs,
                                           t: performance.now(), gap: window.zandrovePage.longestGapMs }));
  await page.evaluate(() => { window.zandrovePage.longestGapMs = 0; });
  await page.keyboard.down('h');
  const from = await now();
  await afterFrames(page, 2);
  await page.keyboard.up('h');
  await page.waitForFunction(() => Module._zandrove_hint_state() !== 1, null, { timeout: 60000 }).catch(() => {});
  const to = await now();
  return { seconds: (to.t - from.t) / 1000, perSecond: (to.run - from.run) * 1000 / (to.t - from.t),
           cost: (to.ms - from.ms) / (to.run - from.run), gap: to.gap,
           ghost: await page.evaluate(() => Module._zandrove_hint_ghost()) };
};

try {
  const context = await browser.newContext({ viewport: { width: 1400, height: 1000 } });

  // 1. Level 7's first frame from the pack; a pack that cannot be fetched
  // leaves the built-in levels, whose first frame is level 1's.
  const firstFrameApart = async (query, level, chosenPack) => {
    execFileSync(path.join(bin, 'zandrove-sim'), ['--level', String(level), '--screenshot', path.join(work, 'shot.bmp'), '--at', '0']);
    const page = await context.newPage();
    page.on('pageerror', (e) => check(false, `no error on the page (${e.message})`));
    await page.goto(base + query);
    await page.waitForFunction(() => window.zandrovePage && window.zandrovePage.framesShown > 0, null, { timeout: 30000 });
    if (chosenPack) {
      await page.setInputFiles('#pack', chosenPack);
      await page.waitForFunction(() => window.zandrovePage.packsChosen === 1, null, { timeout: 10000 });
      const shown = await page.evaluate(() => window.zandrovePage.framesShown);
      await page.waitForFunction((n) => window.zandrovePage.framesShown > n, shown, { timeout: 10000 });
    }
    const canvasPixels = await page.evaluate(() => {
      const c = document.getElementById('screen');
      return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
    });
    const bmp = fs.readFileSync(path.join(work, 'shot.bmp'));
    let apart = 0;
    for (let y = 0; y < 480; y++) {
      for (let x = 0; x < 640; x++) {
        const b = 54 + (479 - y) * 640 * 3 + x * 3, c = (y * 640 + x) * 4;
        if (canvasPixels[c] !== bmp[b + 2] || canvasPixels[c + 1] !== bmp[b + 1] || canvasPixels[c + 2] !== bmp[b] ||
            canvasPixels[c + 3] !== 255) apart++;
      }
    }
    const facts = await page.evaluate(() => ({
      firstFrameMs: window.zandrovePage.firstFrameMs,
      title: document.title,
      scale: document.getElementById('screen').getBoundingClientRect().width / 640,
      sounds: window.zandrovePage.soundsLoaded,
      notice: document.getElementById('notice').textContent,
    }));
    await page.close();
    return { apart, ...facts };
  };
  const seven = await firstFrameApart('?plain&pack=from7.pak', 7);
  console.log(`page load to first frame: ${Math.round(seven.firstFrameMs)} ms`);
  check(seven.apart === 0, `level 7's first frame (from ?pack=) is the simulator's screenshot byte for byte (${seven.apart} pixels apart)`);
  check(seven.title === 'Zandrove - By Tobrandel', 'the window title is the page title');
  check(seven.scale === Math.floor(seven.scale) && seven.scale >= 1, `the frame is scaled by a whole factor (${seven.scale})`);
  check(seven.sounds === 20, `every sample was decoded for Web Audio (${seven.sounds} of 20)`);
  const chosen = await firstFrameApart('?plain', 7, path.join(work, 'from7.pak'));
  check(chosen.apart === 0, `a chosen pack file is played: level 7's first frame (${chosen.apart} pixels apart)`);
  const missing = await firstFrameApart('?plain&pack=no-such-pack.pak', 1);
  check(missing.apart === 0, `a pack that cannot be fetched leaves the built-in levels: level 1's first frame (${missing.apart} pixels apart)`);
  check(/^pack 'no-such-pack.pak' refused: it cannot be fetched \(HTTP 404\)$/.test(missing.notice),
        `the page says so under the frame ("${missing.notice}")`);

  // 2. Bad packs never end the game. By ?pack=: the built-in levels, a line.
  for (const name of Object.keys(badPacks)) {
    const page = await opened(context, base + '?pack=' + name);
    const f = await facts(page);
    check(f.levels === 10 && f.notice.startsWith(`pack '${name}' refused: `) && await goesOn(page),
          `?pack=${name} refused, the built-in levels played ("${f.notice}")`);
    await page.close();
  }
  // By the file button and by a link, on a page playing a pack: it goes on
  // with that pack.
  {
    const page = await opened(context, base + '?pack=from7.pak');
    for (const name of Object.keys(badPacks)) {
      const before = (await facts(page)).refusals;
      await page.setInputFiles('#pack', path.join(work, name));
      await page.waitForFunction((n) => window.zandrovePage.refusals > n, before, { timeout: 10000 }).catch(() => {});
      const f = await facts(page);
      check(f.levels === 4 && f.notice.startsWith(`pack '${name}' refused: `) && await goesOn(page),
            `a chosen ${name} refused, the pack played goes on ("${f.notice}")`);
    }
    const link = packTool('share', path.join(work, 'builtin.txt'), '--level', '2', '--base', base).trim();
    const payload = payloadOf(link);
    const damaged = payload.slice(0, 30) + (payload[30] === 'A' ? 'B' : 'A') + payload.slice(31);
    for (const [what, fragment, says] of [
      ['a damaged link', '#level=' + damaged, 'damaged'],
      ['a truncated link', '#level=' + payload.slice(0, payload.length - 10), 'damaged or cut short'],
      ['a link of no base64', '#level=' + payload.slice(0, 20) + '*', 'damaged'],
      ['an empty link', '#pack=', 'cut short'],
      // 17 MiB of spaces in a few kilobytes: unpacking stops at 16 MiB.
      ['a link that unpacks to 17 MiB', '#pack=' + zlib.deflateSync(Buffer.alloc(17 << 20, 32), { level: 9 })
        .toString('base64').replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, ''), 'more than 16 MiB'],
    ]) {
      const before = (await facts(page)).refusals;
      await page.evaluate((h) => { location.hash = h; }, fragment);
      await page.waitForFunction((n) => window.zandrovePage.refusals > n, before, { timeout: 10000 }).catch(() => {});
      const f = await facts(page);
      check(f.levels === 4 && f.notice.startsWith('link refused: ') && f.notice.includes(says) && await goesOn(page),
            `${what} refused, the pack played goes on ("${f.notice}")`);
    }
    await page.close();
  }

  // 3. A level shared natively opens in a fresh page: its first frame is
  // the simulator's, and its recorded solution completes it (the one level
  // done, the game ends).
  const [level2] = fs.readFileSync(solutionsFile, 'utf8').split('\n').filter((l) => /^2 /.test(l));
  const [, completion2, , bomb2] = level2.trim().split(/\s+/);
  const shared = packTool('share', path.join(work, 'builtin.txt'), '--level', '2', '--base', base + '?plain').trim();
  {
    execFileSync(path.join(bin, 'zandrove-sim'), ['--level', '2', '--screenshot', path.join(work, 'shot2.bmp'), '--at', '0']);
    const page = await opened(context, shared);
    const f = await facts(page);
    check(f.levels === 1 && f.notice === '', `a link made by zandrove-pack share plays its one level (${f.levels} levels)`);
    // The browser's own compression makes a link of the same text: other
    // bytes, the same level here and natively.
    const levelText = packTool('unshare', shared);
    const pageLink = base + '?plain#level=' + await page.evaluate(async (text) => {
      const packed = new Uint8Array(await new Response(new Blob([text]).stream()
        .pipeThrough(new CompressionStream('deflate'))).arrayBuffer());
      return btoa(String.fromCharCode(...packed)).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
    }, levelText);
    check(pageLink !== shared && packTool('unshare', pageLink) === levelText,
          'a link the browser compressed opens natively as the same level text');
    const fromPage = await opened(context, pageLink);
    const g = await facts(fromPage);
    check(g.levels === 1 && g.notice === '' && await fromPage.evaluate(canvasHash) === await page.evaluate(canvasHash),
          'and on the page as the same first frame');
    await fromPage.close();
    const [bx, by] = bomb2.split(',').map(Number);
    const frames = await playOneBomb(page, bx, by);
    const after = await facts(page);
    check(frames === Number(completion2) && after.over,
          `the shared level completed in frame ${frames} (recorded: ${completion2}), and with it the game`);
    await page.close();
  }
  // The longest link: level texts of levels of 40 blocks each, where the
  // generator put them (it packs about as well as a player's levels do).
  let longest = null;
  for (const kib of [64, 512, 2048, 8192]) {
    const big = randomLevels(kib * 1024);
    const levels = (big.match(/^level /gm) || []).length;
    fs.writeFileSync(path.join(work, 'big.txt'), big);
    const link = packTool('share', path.join(work, 'big.txt'), '--base', base).trim();
    let worked = false;
    try {
      const page = await opened(context, link);
      await page.waitForFunction(() => window.zandrovePage.linksPlayed + window.zandrovePage.refusals > 0, null,
                                 { timeout: 60000 }).catch(() => {});
      worked = (await facts(page)).levels === levels;
      await page.close();
    } catch (e) { /* a link the browser does not take */ }
    if (kib === 64) check(worked, `a link of 64 KiB of level text (${link.length} characters) plays its ${levels} levels`);
    if (!worked) break;
    longest = { text: big.length, link: link.length };
  }
  if (longest) console.log(`the longest link that worked: ${longest.link} characters, ${longest.text} bytes of level text`);

  // 4. The page at three window sizes: nothing over the frame, whole
  // factors but below 640 x 480; no focus ring; a favicon.
  for (const [width, height] of [[560, 420], [640, 480], [1280, 960]]) {
    const sized = await browser.newContext({ viewport: { width, height } });
    const page = await opened(sized, base);
    const layout = await page.evaluate(() => {
      const c = document.getElementById('screen');
      c.focus();
      const r = c.getBoundingClientRect();
      const over = [];
      for (const e of document.querySelectorAll('body *')) {
        if (e === c || e.tagName === 'SCRIPT') continue;
        const o = e.getBoundingClientRect();
        const w = Math.min(r.right, o.right) - Math.max(r.left, o.left), h = Math.min(r.bottom, o.bottom) - Math.max(r.top, o.top);
        if (w > 0 && h > 0 && o.width > 0 && o.height > 0) over.push(e.id || e.tagName);
      }
      const points = [[r.left + 1, r.top + 1], [r.right - 1, r.top + 1], [r.left + 1, r.bottom - 1], [r.right - 1, r.bottom - 1],
                      [(r.left + r.right) / 2, (r.top + r.bottom) / 2]];
      const hidden = points.filter(([x, y]) => document.elementFromPoint(x, y) !== c).length;
      return { over, hidden, left: r.left, top: r.top, right: r.right, bottom: r.bottom, scale: window.zandrovePage.scale,
               smooth: c.classList.contains('smooth'), outline: getComputedStyle(c).outlineStyle,
               focused: document.activeElement === c };
    });
    const inside = layout.left >= 0 && layout.top >= 0 && layout.right <= width && layout.bottom <= height;
    const whole = width >= 640 ? layout.scale === Math.floor(layout.scale) && !layout.smooth : layout.smooth && layout.scale < 1;
    check(layout.over.length === 0 && layout.hidden === 0 && inside && whole,
          `at ${width} x ${height} nothing covers the frame, all of it in the window, scale ${layout.scale.toFixed(3)}` +
          `${layout.smooth ? ' smoothed' : ''}${layout.over.length ? ' (over it: ' + layout.over.join(', ') + ')' : ''}`);
    check(layout.focused && layout.outline === 'none', `at ${width} x ${height} the focused frame has no focus ring`);
    if (width === 640) {
      const icon = await page.evaluate(async () => Array.from(new Uint8Array(await (await fetch('favicon.ico')).arrayBuffer())));
      check(icon.length > 22 && icon[2] === 1 && icon[4] >= 1, `favicon.ico is an icon (${icon.length} bytes)`);
    }
    await sized.close();
  }
  for (const [scale, width, height] of [[1.25, 1280, 960], [1.5, 1000, 760]]) {
    const scaled = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: scale });
    const page = await opened(scaled, base);
    const r = await page.evaluate(() => {
      const b = document.getElementById('screen').getBoundingClientRect();
      return { x: b.left, y: b.top, width: b.width, height: b.height, k: window.zandrovePage.scale };
    });
    await page.evaluate(() => { window.zandrovePage.paused = true; });
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    const pixels = await page.evaluate(() => {
      const c = document.getElementById('screen');
      return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
    });
    const shot = decodePng(await page.screenshot({ clip: r }));
    let apart = 0;
    for (let y = 0; y < shot.height; y++) {
      for (let x = 0; x < shot.width; x++) {
        const s = (y * shot.width + x) * shot.bpp, c = (Math.floor(y / r.k) * 640 + Math.floor(x / r.k)) * 4;
        if (shot.data[s] !== pixels[c] || shot.data[s + 1] !== pixels[c + 1] || shot.data[s + 2] !== pixels[c + 2]) apart++;
      }
    }
    check(shot.width === 640 * r.k && shot.height === 480 * r.k && apart === 0,
          `at device scale ${scale} (${width} x ${height}) every game pixel is ${r.k} x ${r.k} device pixels (${shot.width} x ${shot.height} shown, ${apart} apart)`);
    await scaled.close();
  }

  // 5. A search in the solver's worker while the page plays on: the frames
  // keep 60 a second, each costs about what it did.
  {
    const page = await opened(context, base + '?plain');
    const measure = async (ms) => {
      const from = await page.evaluate(() => ({ run: window.zandrovePage.framesRun, ms: window.zandrovePage.framesMs,
                                                t: performance.now(), gaps: window.zandrovePage.longestGapMs = 0 }));
      await new Promise((r) => setTimeout(r, ms));
      const to = await page.evaluate(() => ({ run: window.zandrovePage.framesRun, ms: window.zandrovePage.framesMs,
                                              t: performance.now(), gap: window.zandrovePage.longestGapMs }));
      return { perSecond: (to.run - from.run) * 1000 / (to.t - from.t), cost: (to.ms - from.ms) / (to.run - from.run), gap: to.gap };
    };
    const idle = await measure(1500);
    check(await page.evaluate(() => Module._zandrove_search_level(7, 60)) === 1, 'a search of level 7 started in the worker');
    await page.waitForFunction(() => Module._zandrove_search_attempts() > 0, null, { timeout: 20000 }).catch(() => {});
    const busy = await measure(3000);
    const attemptsSeen = await page.evaluate(() => Module._zandrove_search_attempts());
    await page.waitForFunction(() => Module._zandrove_search_state() >= 2, null, { timeout: 90000 }).catch(() => {});
    const found = await page.evaluate(() => ({ state: Module._zandrove_search_state(), solutions: Module._zandrove_search_solutions(),
                                               frame: Module._zandrove_search_frame(), attempts: Module._zandrove_search_attempts() }));
    console.log(`a game frame in the page: ${idle.cost.toFixed(2)} ms idle, ${busy.cost.toFixed(2)} ms while the worker searches` +
                ` (${busy.perSecond.toFixed(1)} frames a second, longest gap ${Math.round(busy.gap)} ms)`);
    check(busy.perSecond > 58.5 && busy.perSecond < 61.5 && busy.gap < 100 && attemptsSeen > 0,
          `the frames keep 60 a second while the worker searches (${busy.perSecond.toFixed(1)}, ${attemptsSeen} attempts so far)`);
    check(found.state === 2 && found.solutions > 0 && found.frame > 0,
          `the worker's search of level 7 found ${found.solutions} solutions in ${found.attempts} attempts`);
    // Cancelled under way: the worker is ended, the next search gets a new one.
    await page.evaluate(() => Module._zandrove_search_level(10, 60));
    await new Promise((r) => setTimeout(r, 300));
    await page.evaluate(() => { Module._zandrove_search_cancel(); Module._zandrove_search_level(3, 60); });
    await page.waitForFunction(() => Module._zandrove_search_state() >= 2, null, { timeout: 60000 }).catch(() => {});
    check(await page.evaluate(() => Module._zandrove_search_state() === 2 && Module._zandrove_search_solutions() > 0),
          'a search cancelled under way leaves the next one to find its solution');
    await page.close();
  }
  // The same frames from the build with SIMD and the one without, stepped
  // by hand through level 1's solution and its burst.
  const stepped = async (query) => {
    const page = await opened(context, base + query);
    await page.evaluate(() => { window.zandrovePage.paused = true; });
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    const result = await page.evaluate(([hudTop, hash]) => {
      const hashOf = new Function('return (' + hash + ')()');
      const f = (n) => Module._zandrove_frames(n), m = (x, y, b) => { Module._zandrove_mouse(x, y, b); f(2); };
      m(120, hudTop + 24, 0); m(120, hudTop + 24, 1); m(120, hudTop + 24, 0);
      m(320, 240, 0); m(320, 240, 1);
      for (let i = 1; i <= 8; i++) m(320 + Math.round((56 - 320) * i / 8), 240 + Math.round((112 - 240) * i / 8), 1);
      m(56, 112, 0);
      m(385, hudTop + 24, 0); m(385, hudTop + 24, 1); m(385, hudTop + 24, 0); m(600, 60, 0);
      Module._zandrove_key(75, 1); f(1); Module._zandrove_key(75, 0);
      const hashes = [];
      for (const n of [30, 30, 30, 60]) { f(n); hashes.push(hashOf()); }
      return { hashes, build: window.zandrovePage.build };
    }, [HUD_TOP, canvasHash.toString()]);
    await page.close();
    return result;
  };
  const simd = await stepped('?plain'), portable = await stepped('?plain&wasm=portable');
  check(simd.build === 'zandrove-simd' && portable.build === 'zandrove', `the page runs ${simd.build} here, ${portable.build} when asked`);
  check(simd.hashes.join() === portable.hashes.join(),
        `the builds with and without SIMD draw the same frames through level 1's burst (${simd.hashes.join(', ')})`);

  // 6. Level 1 with its recorded solution, through the mouse and the keyboard.
  const [level1] = fs.readFileSync(solutionsFile, 'utf8').split('\n').filter((l) => /^1 /.test(l));
  const [, completion, , bomb] = level1.trim().split(/\s+/);
  const [bx, by, fuse] = bomb.split(',').map(Number);
  const play = await opened(context, base + '?plain');
  check(fuse === 6, 'the recorded fuse is the shortest, the slider\'s left end');
  const { wait } = await placeOneBomb(play, bx, by);
  if (picture) await play.screenshot({ path: picture });
  await play.keyboard.down('Space');
  await wait(2);
  await play.keyboard.up('Space');
  check(await play.evaluate(() => Module._zandrove_edit_mode() === 0), 'Space started the run');
  // Another tab in front mid-run, this one hidden (and frozen, as a
  // browser does to hidden tabs), then shown again.
  await wait(60);
  const other = await context.newPage();
  await other.bringToFront();
  const cdp = await context.newCDPSession(play);
  await cdp.send('Page.setWebLifecycleState', { state: 'frozen' });
  await new Promise((r) => setTimeout(r, 1500));
  await cdp.send('Page.setWebLifecycleState', { state: 'active' });
  await play.bringToFront();
  await other.close();
  await play.waitForFunction(() => Module._zandrove_level() === 2, null, { timeout: 30000 });
  const runFrames = await play.evaluate(() => Module._zandrove_last_run_frames());
  check(runFrames === Number(completion), `level 1 completed in frame ${runFrames} (recorded: ${completion}) and level 2 started`);
  const cost = await play.evaluate(() => window.zandrovePage.framesMs / window.zandrovePage.framesRun);
  console.log(`a game frame in the page, drawn and shown: ${cost.toFixed(2)} ms on average`);
  const { most, gap } = await play.evaluate(() => ({
    most: Math.max(...window.zandrovePage.frameCalls),
    gap: window.zandrovePage.longestGapMs,
  }));
  check(await play.evaluate(() => window.zandrovePage.soundsPlayed) > 0, 'the run was heard (samples started)');
  check(gap > 500, `the tab stood still for a while (${Math.round(gap)} ms between two animation frames)`);
  check(most <= 4, `no animation frame ran more than 4 game frames (at most ${most})`);

  // 7. The player's edition, the page's default, in a browser of its own
  // (its storage empty at first).
  {
    const edition = await browser.newContext({ viewport: { width: 1400, height: 1000 }, acceptDownloads: true });
    await edition.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: base });
    const A = await opened(edition, base);
    console.log(`the edition's page load to first frame: ${Math.round(await A.evaluate(() => window.zandrovePage.firstFrameMs))} ms`);
    check(await screenOf(A) === 0 && await A.evaluate(() => Module._zandrove_continue_level()) === 1,
          'the page opens on the edition\'s title, Continue on level 1');
    // Levels: the menu of the sets (the shipped packs are in the page's
    // data), the third's chooser, then the first set's again and the title.
    await tap(A, 'ArrowDown');
    await tap(A, 'Enter');
    check(await screenOf(A) === 8, 'the title\'s Levels is the menu of the sets');
    await tap(A, 'ArrowDown');
    await tap(A, 'ArrowDown');
    await tap(A, 'Enter');
    check(await screenOf(A) === 2 && (await facts(A)).levels === 30, 'the third set opens in the chooser with its 30 levels');
    await tap(A, 'Escape');
    await tap(A, 'ArrowUp');
    await tap(A, 'ArrowUp');
    await tap(A, 'Enter');
    check(await screenOf(A) === 2 && (await facts(A)).levels === 10, 'the first set opens with its 10');
    await tap(A, 'Escape');
    await tap(A, 'Escape');
    await tap(A, 'ArrowUp');
    check(await screenOf(A) === 0, 'Esc, Esc: back on the title');
    await tap(A, 'Enter');
    check(await screenOf(A) === 4 && await A.evaluate(() => Module._zandrove_level()) === 1, 'Continue plays level 1');
    // H: a hint searched in the worker while the frames go on.
    const hint = await hintWhileMeasured(A);
    console.log(`a hint for level 1: ${hint.seconds.toFixed(1)} s searched; meanwhile ${hint.perSecond.toFixed(1)} frames a second,` +
                ` ${hint.cost.toFixed(2)} ms a frame, longest gap ${Math.round(hint.gap)} ms`);
    check(hint.ghost >= 0 && (hint.seconds < 1 || (hint.perSecond > 58.5 && hint.perSecond < 61.5 && hint.gap < 100)),
          `a hint's ghost appeared (${hint.ghost >> 16}, ${hint.ghost & 0xffff}) while the frames kept 60 a second (${hint.perSecond.toFixed(1)})`);
    const frames1 = await playOneBomb(A, bx, by);
    check(frames1 === Number(completion) && await screenOf(A) === 5,
          `level 1 completed in the edition in frame ${frames1} (recorded: ${completion}), its result shown`);

    // The designer (?design opens it): the third built-in level, a drop
    // into a pit, drawn with the mouse and keys, shared by Copy link.
    const D = await opened(edition, base + '?design');
    check(await screenOf(D) === 7 && await D.isVisible('#copy-link'), 'the designer is up, with its row of file actions under the frame');
    const h = await hands(D);
    await tap(D, 'b');
    await h.drag(210, 370, 370, 372);
    await h.drag(290, 270, 291, 350);
    await h.drag(370, 270, 370, 350);
    await tap(D, 'h');
    await h.drag(240, 348, 240, 348);
    await tap(D, 'x');
    await h.drag(300, 320, 359, 359);
    await tap(D, 'i');
    await h.to(600, 40);
    // F5: the level searched in the solver's worker, the frames going on.
    await tap(D, 'F5');
    const f5From = await D.evaluate(() => window.zandrovePage.framesRun);
    await D.waitForFunction(() => Module._zandrove_design_solutions() !== -1, null, { timeout: 90000 }).catch(() => {});
    const f5 = await D.evaluate(() => Module._zandrove_design_solutions());
    const measured = await D.evaluate(() => Module._zandrove_design_measured());
    check(f5 > 0 && measured > 0 && await D.evaluate(() => window.zandrovePage.framesRun) > f5From,
          `the designer's F5 solved the drawn level in the worker (${f5} solutions counted, ${measured} measured for forgiveness) while its frames went on`);
    await D.click('#copy-link');
    await D.waitForFunction(() => window.zandrovePage.copiedLink, null, { timeout: 10000 }).catch(() => {});
    const copied = await D.evaluate(() => window.zandrovePage.copiedLink);
    const clipboard = await D.evaluate(() => navigator.clipboard.readText()).catch(() => '');
    check(copied && clipboard === copied && copied.startsWith(base + '#level='), `Copy link put the level's link on the clipboard (${(copied || '').length} characters)`);
    const drawn = packTool('unshare', copied);
    const recordsOf = (t) => t.split('\n').filter((l) => l && !l.startsWith('level ') && !l.startsWith('#')).sort().join('\n');
    const level3 = text.slice(text.indexOf('level "Level 3"'), text.indexOf('level "Level 4"'));
    check(recordsOf(drawn) === recordsOf(level3), 'the drawn level is the third built-in level, natively unshared from the link');
    // Ctrl+S: the designer's file, in the browser's storage as a level text.
    await D.keyboard.down('Control');
    await tap(D, 's');
    await D.keyboard.up('Control');
    const saved = await D.evaluate(() => localStorage.getItem('zandrove:/kept/levels/levels.txt'));
    check(saved !== null && recordsOf(saved) === recordsOf(drawn), 'Ctrl+S keeps the designer\'s file in the browser\'s storage');
    // Save as .txt downloads the designer's levels; Open reads a file from
    // disk into the designer, as a new file beside the player's own.
    const savedAs = async () => {
      const [download] = await Promise.all([D.waitForEvent('download', { timeout: 10000 }), D.click('#save-txt')]);
      return fs.readFileSync(await download.path(), 'utf8');
    };
    check(recordsOf(await savedAs()) === recordsOf(drawn), 'Save as .txt downloads the designer\'s level text');
    await D.setInputFiles('#design-open', path.join(work, 'builtin.txt'));
    let reopened = '';
    for (let tries = 0; tries < 20 && (reopened.match(/^level "/gm) || []).length !== 10; tries++) {
      await afterFrames(D, 10);
      reopened = await savedAs();
    }
    check((reopened.match(/^level "/gm) || []).length === 10 && await screenOf(D) === 7,
          'Open reads a level text from disk into the designer (its 10 levels saved as again)');
    // The same level shared natively: the same first frame as the page's link.
    fs.writeFileSync(path.join(work, 'drawn.txt'), drawn);
    const native = packTool('share', path.join(work, 'drawn.txt'), '--base', base).trim();
    const [fromPage, fromNative] = [await opened(edition, base + '?plain' + copied.slice(base.length)),
                                    await opened(edition, base + '?plain' + native.slice(base.length))];
    check(await fromPage.evaluate(canvasHash) === await fromNative.evaluate(canvasHash) && (await facts(fromNative)).levels === 1,
          'zandrove-pack share of the same level opens as the same first frame');
    await fromPage.close();
    await fromNative.close();
    await D.close();

    // The link in a fresh tab of the same browser: Continue, a hint's
    // ghost clicked into place, Space: the drawn level completes.
    const B = await opened(edition, copied);
    check(await screenOf(B) === 0 && (await facts(B)).levels === 1, 'the copied link opens on the title with its one level');
    await tap(B, 'Enter');
    let ghost = -1;
    for (let asks = 0; asks < 4; asks++) {
      ghost = (await hintWhileMeasured(B)).ghost;
      if (ghost < 0) break;
      const hb = await hands(B);
      await hb.drag(ghost >> 16, ghost & 0xffff, ghost >> 16, ghost & 0xffff);
      await hb.to(600, 40);
      if (await B.evaluate(() => Module._zandrove_hint_ghost()) < 0) break;
    }
    await tap(B, 'Space');
    await B.waitForFunction(() => Module._zandrove_screen() === 5, null, { timeout: 30000 }).catch(() => {});
    check(await screenOf(B) === 5, `the drawn level completed in a fresh tab with the hint's solution (in frame ${await B.evaluate(() => Module._zandrove_last_run_frames())})`);

    // Both tabs' levels kept: the first tab reloaded has both.
    await A.reload();
    await A.waitForFunction(() => window.zandrovePage && window.zandrovePage.framesShown > 0, null, { timeout: 30000 });
    const kept = await A.evaluate(() => ({ solved: Module._zandrove_levels_solved(), next: Module._zandrove_continue_level() }));
    check(kept.solved === 2 && kept.next === 2,
          `a reload keeps the progress of both tabs (${kept.solved} levels solved; Continue on level ${kept.next})`);
    await edition.close();
  }
} finally {
  await browser.close();
  server.kill();
  fs.rmSync(work, { recursive: true, force: true });
}
if (failures.length) {
  console.error(`${failures.length} check(s) failed`);
  process.exit(1);
}
console.log('the web version passed');
