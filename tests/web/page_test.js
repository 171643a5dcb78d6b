// The page in a headless browser (Chromium, or Firefox over WebDriver BiDi):
//  - loading: the progress bar shows and reaches the end; the splash shows;
//  - with a keyboard: Start Game, the story skipped, Bodger walks, the sound
//    plays through the audio worklet after the first click (through a script
//    processor where there is none); a hidden page stands still, silent;
//  - "Exit Game" (Escape) ends the game, the best score is saved and "Play
//    again" starts a new game without a reload, with the best score shown;
//  - offline: after the first visit a reload with the network cut plays; a
//    damaged copy gives a message and Try again mends it; a new build
//    replaces the copy;
//  - on a phone-sized touch screen, portrait and landscape: the controls sit
//    beside or below the picture, never over it, thumb-sized; tapping Start
//    Game, skipping the story with the remote button and walking with the
//    d-pad work, the remote button and pause together with the d-pad;
//  - bad input: a missing or damaged index.data, a browser without
//    WebAssembly each give a clear message; without IndexedDB it still plays.
//   node tests/web/page_test.js BUILD_WEB_DIR SHOTS_DIR [chromium|firefox]
"use strict";
const puppeteer = require("puppeteer-core");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");

const root = path.resolve(process.argv[2] || "build-web");
const shots = path.resolve(process.argv[3] || "build-web-shots");
const browserName = process.argv[4] || "chromium";
const types = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
               ".webmanifest": "application/manifest+json", ".png": "image/png"};

// The page's files over HTTP.  `options.slow` trickles the two big files so
// the progress bar can be watched; `options.fault` damages index.data
// ("corrupt") or leaves it out ("missing"); `options.down` cuts every request.
function serve(options) {
  const server = http.createServer((request, response) => {
    if (options.down) {
      request.socket.destroy();
      return;
    }
    let name = decodeURIComponent(request.url.split("?")[0]);
    if (name === "/") name = "/index.html";
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root + path.sep) || (options.fault === "missing" && name === "/index.data")) {
      response.writeHead(404);
      response.end();
      return;
    }
    fs.readFile(file, async (err, data) => {
      if (err) {
        response.writeHead(404);
        response.end();
        return;
      }
      if (options.nextBuild && name === "/sw.js") {
        data = Buffer.from(data.toString().replace(/const VERSION = "[^"]*"/, `const VERSION = "${options.nextBuild}"`));
      }
      if (options.fault === "corrupt" && name === "/index.data") {
        data = Buffer.from(data);
        data[data.length >> 1] ^= 0x55;
      }
      response.writeHead(200, {"Content-Type": types[path.extname(file)] || "application/octet-stream",
                               "Content-Length": data.length, "Cache-Control": "no-cache"});
      const big = name === "/index.wasm" || name === "/index.data";
      if (!options.slow || !big) {
        response.end(data);
        return;
      }
      for (let at = 0; at < data.length; at += 32768) {
        response.write(data.subarray(at, at + 32768));
        await sleep(40);
      }
      response.end();
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
let failures = 0, passes = 0;
function check(ok, what) {
  console.log(`${ok ? "ok  " : "FAIL"} [${browserName}] ${what}`);
  if (ok) passes++; else failures++;
}

async function launch(profile) {
  if (browserName === "firefox") {
    return puppeteer.launch({
      browser: "firefox",
      executablePath: process.env.FIREFOX || "/usr/bin/firefox-esr",
      headless: true,
      userDataDir: profile,
      extraPrefsFirefox: {
        "dom.w3c_touch_events.enabled": 1,
        "media.autoplay.default": 0,
        "dom.serviceWorkers.testing.enabled": true,
        // No sound server on a test machine: Firefox's stand-in output.
        "media.cubeb.force_mock_context": true,
      },
    });
  }
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--window-size=800,600"],
  });
}

// Lit pixels of the canvas, and a cheap fingerprint of the picture.
async function canvasState(page) {
  return page.evaluate(() => {
    const context = typeof Module !== "undefined" && Module["bodgerContext"];
    if (!context) return {lit: 0, sum: 0};
    const data = context.getImageData(0, 0, 640, 480).data;
    let lit = 0, sum = 0;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] + data[i + 1] + data[i + 2] > 60) lit++;
      sum = (sum * 31 + data[i] + data[i + 1] * 7 + data[i + 2] * 13) >>> 0;
    }
    return {lit, sum};
  });
}

// The game's state (2 play, 3 pause, 4 title) and where Bodger stands, from
// the page's program.
const PLAY = 2, PAUSE = 3, TITLE = 4;
const gameState = (page) => page.evaluate(() => Module["_web_game_state"]());
const bodger = (page) => page.evaluate(() => [Module["_web_player_x"](), Module["_web_player_y"]()]);

// Walks one way after the other until Bodger has moved (a wall may stand
// in the first); `press(code, ms)` holds one arrow.  Returns the way he went.
async function walk(page, press) {
  for (const way of ["ArrowRight", "ArrowDown", "ArrowLeft", "ArrowUp"]) {
    const before = JSON.stringify(await bodger(page));
    await press(way, 400);
    await sleep(400);
    if (JSON.stringify(await bodger(page)) !== before) return way;
  }
  return "";
}

// The columns the HUD's best score covers at the top of the title screen:
// its cyan lettering, not the white stars.
async function bestExtent(page) {
  return page.evaluate(() => {
    const data = Module["bodgerContext"].getImageData(160, 0, 320, 32).data;
    let left = 640, right = -1;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] < 120 && data[i + 1] > 120 && data[i + 2] > 180 && data[i + 2] - data[i] > 100) {
        left = Math.min(left, 160 + (i / 4) % 320);
        right = Math.max(right, 160 + (i / 4) % 320);
      }
    }
    return {left, right};
  });
}

// A page that navigates while it is asked (Try again, a reload) destroys the
// context the question ran in: that is a "not yet", and the next try asks the
// new page.
async function waitFor(test, ms) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(200)) {
    try {
      if (await test()) return true;
    } catch (error) {
      if (!/context was destroyed|navigat/i.test(String(error))) throw error;
    }
  }
  return false;
}

const playing = (page) => waitFor(async () => (await canvasState(page)).lit > 2000, 60000);

async function openGame(page, url) {
  await page.goto(url);
  return playing(page);
}

// Where a point of the 640x480 picture is on the page.
async function onCanvas(page, x, y) {
  const box = await (await page.$("#canvas")).boundingBox();
  return [box.x + x * box.width / 640, box.y + y * box.height / 480];
}

async function click(page, x, y) {
  const [px, py] = await onCanvas(page, x, y);
  await page.mouse.move(px, py);
  await sleep(100);
  await page.mouse.down();
  await sleep(100);
  await page.mouse.up();
}

async function hold(page, key, ms) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
}

// A finger: down at a point, then moved or lifted.  Firefox gets its touch
// actions straight over BiDi (puppeteer's own add an angle it refuses).
let fingerCount = 0;
async function touch(page, x, y) {
  if (browserName !== "firefox") return page.touchscreen.touchStart(x, y);
  const id = `finger${++fingerCount}`;
  const context = page.mainFrame().browsingContext;
  const act = (actions) => context.performActions(
      [{type: "pointer", id, parameters: {pointerType: "touch"}, actions}]);
  await act([{type: "pointerMove", x: Math.round(x), y: Math.round(y)}, {type: "pointerDown", button: 0}]);
  return {
    move: (x2, y2) => act([{type: "pointerMove", x: Math.round(x2), y: Math.round(y2)}]),
    end: () => act([{type: "pointerUp", button: 0}]),
  };
}

async function centreOf(page, selector) {
  const box = await (await page.$(selector)).boundingBox();
  return [box.x + box.width / 2, box.y + box.height / 2];
}

async function tapAt(page, x, y, ms = 120) {
  const finger = await touch(page, x, y);
  await sleep(ms);
  await finger.end();
}

const readFile = (page, file) => page.evaluate((f) => {
  try { return Array.from(Module["FS"].readFile(f)); } catch (err) { return null; }
}, file);

const overlayText = (page) => page.evaluate(() => {
  const overlay = document.getElementById("overlay");
  return overlay.hidden ? "" : overlay.innerText;
});

// The key events the page's listeners got, as "down ArrowRight" lines.
async function logKeys(page) {
  await page.evaluateOnNewDocument(() => {
    window.bodgerKeyLog = [];
    for (const type of ["keydown", "keyup"]) {
      window.addEventListener(type, (e) => window.bodgerKeyLog.push(`${type.slice(3)} ${e.code}`), true);
    }
  });
}

// The controls' boxes against the picture's and the screen's.
async function layout(page) {
  return page.evaluate(() => {
    const box = (el) => {
      const r = el.getBoundingClientRect();
      return {left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height};
    };
    return {
      touch: document.body.classList.contains("touch"),
      canvas: box(document.getElementById("canvas")),
      left: box(document.getElementById("left")),
      right: box(document.getElementById("right")),
      keys: Array.from(document.querySelectorAll(".pad .key"), box),
      help: box(document.getElementById("help")),
      width: document.documentElement.clientWidth,
      height: window.innerHeight,
      scrollWidth: document.documentElement.scrollWidth,
    };
  });
}

const inside = (r, w, h) => r.left >= 0 && r.top >= 0 && r.right <= w + 0.5 && r.bottom <= h + 0.5;
const apart = (a, b) => a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;

function checkLayout(l, what) {
  check(l.touch, `${what}: the touch controls show`);
  check(l.keys.every((k) => k.width >= 48 && k.height >= 48), `${what}: every control is at least 48 px`);
  check([l.left, l.right, l.help].every((r) => apart(r, l.canvas)), `${what}: no control over the picture`);
  check([l.canvas, l.left, l.right, l.help].every((r) => inside(r, l.width, l.height)) &&
        l.scrollWidth <= l.width, `${what}: everything on the screen`);
  if (what.includes("portrait")) {
    check(l.left.top >= l.canvas.bottom && l.right.top >= l.canvas.bottom, `${what}: the controls below the picture`);
    check(l.canvas.width >= l.width - 30, `${what}: the picture as wide as the screen (${l.canvas.width})`);
  } else {
    check(l.left.right <= l.canvas.left && l.right.left >= l.canvas.right, `${what}: the controls beside the picture`);
  }
  check(Math.abs(l.canvas.width / l.canvas.height - 4 / 3) < 0.01, `${what}: the picture keeps its aspect`);
}

// First visit with a keyboard: the bar, the game, the sound, leaving and
// playing again, and the offline copy.
async function desktop(browser, server, url) {
  const page = await browser.newPage();
  await page.setViewport({width: 800, height: 600});
  page.on("pageerror", (err) => check(false, `no error on the page: ${err.message}`));

  // A best score from an earlier visit, to be shown and kept.
  await page.goto(url);
  check(await waitFor(() => page.evaluate(() => window.bodgerLoading && bodgerLoading.steps.length > 0 &&
                                                 !document.getElementById("bar").hidden &&
                                                 document.getElementById("overlay").offsetHeight > 0), 10000),
        "the progress bar shows while loading");
  await page.screenshot({path: path.join(shots, `${browserName}-loading.png`)});
  check(await playing(page), "the splash shows");
  const load = await page.evaluate(() => window.bodgerLoading);
  const last = load.steps[load.steps.length - 1];
  check(load.steps.length > 3 && load.steps.some((s) => s > 0 && s < load.total) && last === load.total,
        `the progress bar counts up to the end (${load.steps.length} steps to ${last} of ${load.total} bytes)`);
  check(await page.evaluate(() => document.getElementById("overlay").hidden), "the bar goes once the game runs");
  await page.evaluate(() => new Promise((resolve) => {
    Module["FS"].writeFile("/saved/hiscore.dat", new Uint8Array([225, 16, 0, 0]));  // 4321
    Module["FS"].syncfs(false, () => resolve());
  }));
  await page.reload();
  check(await playing(page), "the splash shows after a reload");
  const planted = await readFile(page, "/game/data/hiscore.dat");
  check(JSON.stringify(planted) === "[225,16,0,0]", `a stored best score is read (${planted})`);

  await page.keyboard.press(" ");  // ends the splash
  await sleep(1500);
  await page.screenshot({path: path.join(shots, `${browserName}-title.png`)});
  const best = await bestExtent(page);
  check((await gameState(page)) === TITLE, "the title menu shows");
  await click(page, 320, 240);  // Start Game
  await sleep(1500);
  check((await gameState(page)) === PLAY, "Start Game starts a game");
  await hold(page, "ControlLeft", 150);  // skips the story
  await sleep(1000);
  const way = await walk(page, (key, ms) => hold(page, key, ms));
  check(way !== "", `Bodger walks with the arrow keys (${way})`);
  await page.screenshot({path: path.join(shots, `${browserName}-play.png`)});

  const audio = await page.evaluate(() => {
    const a = Module["bodgerAudio"];
    return a ? {kind: a.kind, state: a.context.state, played: a.played, loud: a.loud} : null;
  });
  check(audio && audio.kind === "worklet" && audio.played > 0 && audio.loud > 0,
        `the audio worklet plays the game's sound (${JSON.stringify(audio)})`);

  // A page in a background tab neither plays sound nor advances the game.
  const frames = () => page.evaluate(() => Module["bodgerFrames"] || 0);
  await page.evaluate(() => {
    Object.defineProperty(document, "hidden", {configurable: true, get: () => true});
    Object.defineProperty(document, "visibilityState", {configurable: true, get: () => "hidden"});
    document.dispatchEvent(new Event("visibilitychange"));
  });
  await sleep(500);
  const hiddenFrames = await frames();
  await sleep(1000);
  const hidden = {frames: (await frames()) - hiddenFrames,
                  sound: await page.evaluate(() => Module["bodgerAudio"].context.state)};
  check(hidden.frames === 0 && hidden.sound !== "running",
        `a hidden page stands still and is silent (${hidden.frames} frames, sound ${hidden.sound})`);
  await page.evaluate(() => {
    delete document.hidden;
    delete document.visibilityState;
    document.dispatchEvent(new Event("visibilitychange"));
  });
  await sleep(1000);
  check((await frames()) > hiddenFrames &&
        (await page.evaluate(() => Module["bodgerAudio"].context.state)) === "running",
        "shown again, it plays on with sound");

  if (browserName === "chromium") {
    const client = await page.createCDPSession();
    const {installabilityErrors} = await client.send("Page.getInstallabilityErrors");
    check(installabilityErrors.length === 0,
          `the browser can install the page (${JSON.stringify(installabilityErrors)})`);
    await client.detach();
  }

  // Escape pauses, goes to the title menu and leaves the game; the exit
  // saves the best score.  After a death the game-over screen ignores
  // Escape, so it is pressed until the game has ended.
  const ended = await waitFor(async () => {
    if (await page.evaluate(() => Module["bodgerGamesEnded"] > 0)) return true;
    await page.keyboard.press("Escape");
    await sleep(600);
    return false;
  }, 40000);
  check(ended && (await overlayText(page)).includes("Play again"), "leaving the game offers Play again");
  await waitFor(async () => (await readFile(page, "/saved/hiscore.dat")) !== null, 5000);
  const saved = await readFile(page, "/game/data/hiscore.dat");
  check(JSON.stringify(saved) === "[225,16,0,0]", `the best score is kept (${saved})`);
  await page.screenshot({path: path.join(shots, `${browserName}-ended.png`)});

  await page.click("#action");
  check(await waitFor(async () => (await overlayText(page)) === "" &&
                                  (await canvasState(page)).lit > 2000, 20000),
        "Play again starts a new game without a reload");
  await page.keyboard.press(" ");
  await sleep(1500);
  const again = await bestExtent(page);
  check(again.right - again.left > 60 && again.left === best.left && again.right === best.right,
        `the new game shows the same best score (${again.left}..${again.right})`);
  await page.screenshot({path: path.join(shots, `${browserName}-again.png`)});
  await click(page, 320, 400);  // Exit Game
  check(await waitFor(() => page.evaluate(() => Module["bodgerGamesEnded"] === 2), 10000),
        "Exit Game on the title ends the second game too");

  // Offline: the worker has kept the files; the network goes.
  const ready = await waitFor(() => page.evaluate(async () => {
    if (!navigator.serviceWorker) return false;
    const registration = await navigator.serviceWorker.getRegistration();
    return !!(registration && registration.active && registration.active.state === "activated");
  }), 20000);
  check(ready, "the offline copy is kept at the first visit");
  server.options.down = true;
  await page.reload();
  check(await playing(page), "a reload with the network cut plays");
  const first = await canvasState(page);
  await sleep(500);
  check((await canvasState(page)).sum !== first.sum &&
        (await page.evaluate(() => bodgerLoading.state)) === "running", "offline the game runs");
  server.options.down = false;

  // A damaged copy in the offline cache: the message, then Try again
  // fetches the files afresh and plays.
  await page.evaluate(async () => {
    for (const name of await caches.keys()) {
      await (await caches.open(name)).put("index.data", new Response(new Uint8Array(1000)));
    }
  });
  await page.reload();
  check(await waitFor(async () => (await overlayText(page)).includes("damaged"), 20000),
        "a damaged index.data in the offline copy gives a message");
  await page.click("#action");
  check(await playing(page), "Try again fetches the files afresh and plays");

  // A new build (another version in sw.js) replaces the offline copy.
  server.options.nextBuild = "next";
  await page.reload();
  check(await waitFor(() => page.evaluate(async () => JSON.stringify(await caches.keys()) === "[\"bodger2010-next\"]"),
                      20000),
        `a new build replaces the offline copy (${await page.evaluate(() => caches.keys())})`);
  server.options.nextBuild = "";
  await page.close();
}

// A phone: portrait, then landscape, by touch only.
async function phone(browser, url) {
  const page = await browser.newPage();
  await logKeys(page);
  await page.setViewport({width: 390, height: 844, hasTouch: true, isMobile: true});
  page.on("pageerror", (err) => check(false, `no error on the phone page: ${err.message}`));
  check(await openGame(page, url), "the splash shows on a phone");
  // Where the browser has no coarse pointer the controls come with the
  // first touch, and the picture moves up for them.
  await tapAt(page, ...(await onCanvas(page, 320, 240)));  // ends the splash
  await sleep(1500);
  checkLayout(await layout(page), "portrait");
  await page.screenshot({path: path.join(shots, `${browserName}-portrait.png`)});
  check((await gameState(page)) === TITLE, "the title menu shows on the phone");
  await tapAt(page, ...(await onCanvas(page, 320, 240)));  // Start Game
  await sleep(1500);
  check((await gameState(page)) === PLAY, "a tap on Start Game starts the game");
  // Bodger walks on in the last direction and may fall before pause is
  // pressed (the level is random): then the next game tries again.
  const ids = {ArrowRight: "#rightkey", ArrowDown: "#down", ArrowLeft: "#leftkey", ArrowUp: "#up"};
  const tapKey = async (id, ms) => tapAt(page, ...(await centreOf(page, id)), ms);
  let way = "", keys = [], state = 0, lifted = "";
  for (let attempt = 0; attempt < 3 && state !== PAUSE; attempt++) {
    if (attempt > 0) {
      console.log(`     Bodger fell (state ${state}); a new game`);
      await waitFor(async () => {
        if ((await gameState(page)) === TITLE) return true;
        await tapKey("#remote");  // skips the game-over screen
        await sleep(500);
        return false;
      }, 30000);
      await tapAt(page, ...(await onCanvas(page, 320, 240)));  // Start Game
      await sleep(1500);
    }
    await tapKey("#remote");  // skips the story
    await sleep(1200);
    way = await walk(page, (key, ms) => tapKey(ids[key], ms));
    const held = await touch(page, ...(await centreOf(page, ids[way] || "#rightkey")));
    await sleep(300);
    // Another finger on the remote button, then on pause, while walking.
    await page.evaluate(() => { window.bodgerKeyLog = []; });
    await tapKey("#remote");
    await sleep(200);
    await tapKey("#pause");
    await sleep(800);
    keys = await page.evaluate(() => window.bodgerKeyLog);
    state = await gameState(page);
    await held.end();
    await sleep(300);
    lifted = await page.evaluate(() => window.bodgerKeyLog.slice(-1)[0]);
  }
  check(way !== "", `the d-pad walks Bodger (${way})`);
  check(JSON.stringify(keys) === JSON.stringify(["down ControlLeft", "up ControlLeft", "down Space", "up Space"]),
        `the remote button and pause work while the d-pad is held (${keys.join(", ")})`);
  check(state === PAUSE, `pause pauses the game (state ${state})`);
  check(lifted === `up ${way || "ArrowRight"}`, `lifting the finger lets go of the arrow (${lifted})`);
  await tapKey("#pause");
  await sleep(500);
  check((await gameState(page)) === PLAY, "pause again goes back to the game");

  await page.setViewport({width: 844, height: 390, hasTouch: true, isMobile: true});
  await sleep(800);
  checkLayout(await layout(page), "landscape");
  await page.screenshot({path: path.join(shots, `${browserName}-landscape.png`)});
  // A finger sliding over the d-pad changes direction.
  await page.evaluate(() => { window.bodgerKeyLog = []; });
  const slide = await touch(page, ...(await centreOf(page, "#leftkey")));
  await sleep(150);
  await slide.move(...(await centreOf(page, "#up")));
  await sleep(150);
  await slide.end();
  await sleep(200);
  const slid = await page.evaluate(() => window.bodgerKeyLog);
  check(JSON.stringify(slid) === JSON.stringify(["down ArrowLeft", "up ArrowLeft", "down ArrowUp", "up ArrowUp"]),
        `a finger sliding over the d-pad turns (${slid.join(", ")})`);
  // A touch on neither the controls nor the picture sends nothing.
  const l = await layout(page);
  await page.evaluate(() => { window.bodgerKeyLog = []; });
  await tapAt(page, l.width - 3, l.height - 3);
  await sleep(200);
  check((await page.evaluate(() => window.bodgerKeyLog.length)) === 0, "a touch beside the controls sends nothing");
  await page.keyboard.press("ArrowLeft");
  await sleep(200);
  const quiet = await page.evaluate(() => {
    const menu = new MouseEvent("contextmenu", {bubbles: true, cancelable: true});
    document.getElementById("remote").dispatchEvent(menu);
    const style = getComputedStyle(document.getElementById("left"));
    return [menu.defaultPrevented, style.touchAction, style.userSelect].join(" ");
  });
  check(quiet === "true none none", `the controls give no menu, scrolling, zoom or text selection (${quiet})`);
  check(!(await layout(page)).touch, "a key hides the touch controls");
  // Without them the line of keys wraps on a narrow screen, never off it.
  for (const [width, height] of [[844, 390], [390, 844]]) {
    await page.setViewport({width, height});
    await sleep(500);
    const k = await layout(page);
    check(inside(k.help, k.width, k.height) && inside(k.canvas, k.width, k.height) &&
          apart(k.help, k.canvas) && k.scrollWidth <= k.width,
          `${width}x${height} with a keyboard: the picture and the line of keys on the screen`);
  }
  await page.screenshot({path: path.join(shots, `${browserName}-portrait-keyboard.png`)});
  await page.close();
}

// What goes wrong gives a message that says what to do.
async function faults(browser) {
  for (const [fault, words] of [["missing", "could not be downloaded"], ["corrupt", "damaged"]]) {
    const server = await serve({fault});
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    const ok = await waitFor(async () => (await overlayText(page)).includes(words), 20000);
    const text = await overlayText(page);
    check(ok && text.includes("Try again"), `a ${fault} index.data gives a message: ${text.replace(/\n+/g, " / ")}`);
    await page.close();
    server.close();
  }
  const server = await serve({});
  const url = `http://127.0.0.1:${server.address().port}/`;
  const bare = await browser.newPage();
  await bare.evaluateOnNewDocument(() => { delete window.WebAssembly; });
  await bare.goto(url);
  check(await waitFor(async () => (await overlayText(bare)).includes("no WebAssembly"), 10000),
        "a browser without WebAssembly gets a message");
  await bare.close();

  // Without AudioWorklet the older script processor plays the sound.
  const old = await browser.newPage();
  await old.evaluateOnNewDocument(() => { delete window.AudioWorkletNode; });
  check(await openGame(old, url), "without AudioWorklet the splash shows");
  await old.keyboard.press(" ");
  await sleep(2000);
  const audio = await old.evaluate(() => {
    const a = Module["bodgerAudio"];
    return a ? {kind: a.kind, played: a.played, loud: a.loud} : null;
  });
  check(audio && audio.kind === "script" && audio.loud > 0,
        `without AudioWorklet a script processor plays the sound (${JSON.stringify(audio)})`);
  await old.close();

  // A browser that refuses IndexedDB plays all the same, with best 0.
  const blocked = await browser.newPage();
  await blocked.evaluateOnNewDocument(() => {
    Object.defineProperty(window, "indexedDB", {get() { throw new Error("blocked"); }});
  });
  await blocked.setViewport({width: 800, height: 600});
  check(await openGame(blocked, url), "without IndexedDB the splash still shows");
  check((await readFile(blocked, "/game/data/hiscore.dat")) === null, "without IndexedDB no best score is found");
  await blocked.close();
  server.close();
}

async function main() {
  fs.mkdirSync(shots, {recursive: true});
  const options = {slow: true};
  const server = await serve(options);
  server.options = options;
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "bodger-web-"));
  const browser = await launch(profile);
  try {
    await desktop(browser, server, url);
    options.slow = false;
    await phone(browser, url);
    await faults(browser);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }
  console.log(`${passes} passed, ${failures} failed`);
  process.exitCode = failures ? 1 : 0;
}

main().catch((err) => {
  console.error(err);
  process.exitCode = 1;
});
