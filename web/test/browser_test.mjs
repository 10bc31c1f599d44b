// The web version in Debian's Chromium, headless, driven by Playwright (the
// system's browser: nothing is downloaded). Serves the built site locally and
// checks, through the page as a player uses it:
//   1. level 7's first frame, played from a level pack given as ?pack=, is
//      the simulator's screenshot of that frame, byte for byte;
//   2. level 1 played with its recorded solution (the bomb taken from its
//      slot, dragged, its fuse set, Space) completes in the recorded frame
//      and level 2 starts, although the tab was frozen for a while mid-run;
//      no animation frame ever ran more than a few game frames.
// Prints the time from page load to the first frame; with PICTURE, saves
// the page as it looks just before Space (the picture in docs/web.md).
//   node browser_test.mjs SITE-DIR NATIVE-BIN-DIR SOLUTIONS-FILE [PICTURE.png]
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
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
const text = execFileSync(path.join(bin, 'zandrove-pack'), ['dump', '--builtin']).toString();
fs.writeFileSync(path.join(work, 'from7.txt'), text.slice(text.indexOf('level "Level 7"')));
execFileSync(path.join(bin, 'zandrove-pack'), ['build', path.join(work, 'from7.txt'), '-o', path.join(work, 'from7.pak')]);

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
    }));
    await page.close();
    return { apart, ...facts };
  };
  const seven = await firstFrameApart('?pack=from7.pak', 7);
  console.log(`page load to first frame: ${Math.round(seven.firstFrameMs)} ms`);
  check(seven.apart === 0, `level 7's first frame (from ?pack=) is the simulator's screenshot byte for byte (${seven.apart} pixels apart)`);
  check(seven.title === 'Zandrove - By Tobrandel', 'the window title is the page title');
  check(seven.scale === Math.floor(seven.scale) && seven.scale >= 1, `the frame is scaled by a whole factor (${seven.scale})`);
  check(seven.sounds === 20, `every sample was decoded for Web Audio (${seven.sounds} of 20)`);
  const chosen = await firstFrameApart('', 7, path.join(work, 'from7.pak'));
  check(chosen.apart === 0, `a chosen pack file is played: level 7's first frame (${chosen.apart} pixels apart)`);
  const missing = await firstFrameApart('?pack=no-such-pack.pak', 1);
  check(missing.apart === 0, `a pack that cannot be read is ignored: level 1's first frame (${missing.apart} pixels apart)`);

  // 2. Level 1 with its recorded solution, through the mouse and the keyboard.
  const [level1] = fs.readFileSync(solutionsFile, 'utf8').split('\n').filter((l) => /^1 /.test(l));
  const [, completion, , bomb] = level1.trim().split(/\s+/);
  const [bx, by, fuse] = bomb.split(',').map(Number);
  const play = await context.newPage();
  await play.goto(base);
  await play.waitForFunction(() => window.zandrovePage && window.zandrovePage.framesShown > 0, null, { timeout: 30000 });
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
  check(fuse === 6, 'the recorded fuse is the shortest, the slider\'s left end');
  await to(385, HUD_TOP + 24);
  await press();
  await release();
  await to(600, 60);
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
