// The page in headless Chromium: the splash shows, Start Game is clicked,
// the story is skipped with Left Control, Bodger walks, the game is left
// and the best score it saved is there again after a reload.  A second
// browser without IndexedDB still plays.
//   node tests/web/page_test.js BUILD_WEB_DIR SHOTS_DIR
"use strict";
const puppeteer = require("puppeteer-core");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");

const root = path.resolve(process.argv[2] || "build-web");
const shots = path.resolve(process.argv[3] || "build-web-shots");
const types = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm"};

function serve() {
  const server = http.createServer((request, response) => {
    let name = decodeURIComponent(request.url.split("?")[0]);
    if (name === "/") name = "/index.html";
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403);
      response.end();
      return;
    }
    fs.readFile(file, (err, data) => {
      if (err) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, {"Content-Type": types[path.extname(file)] || "application/octet-stream"});
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
let failures = 0, passes = 0;
function check(ok, what) {
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  if (ok) passes++; else failures++;
}

async function launch(profile) {
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
    const context = Module["bodgerContext"];
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

async function waitFor(page, test, ms) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(200)) {
    if (await test()) return true;
  }
  return false;
}

async function openGame(page, url) {
  await page.goto(url);
  return waitFor(page, async () => (await canvasState(page)).lit > 2000, 60000);
}

async function click(page, x, y) {
  const box = await (await page.$("#canvas")).boundingBox();
  await page.mouse.move(box.x + x * box.width / 640, box.y + y * box.height / 480);
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

const readScore = (page, file) => page.evaluate((f) => {
  try { return Array.from(Module["FS"].readFile(f)); } catch (err) { return null; }
}, file);

async function main() {
  fs.mkdirSync(shots, {recursive: true});
  const server = await serve();
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "bodger-web-"));
  const browser = await launch(profile);
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 800, height: 600});
    page.on("pageerror", (err) => check(false, `no error on the page: ${err.message}`));

    check(await openGame(page, url), "the splash shows");
    await page.screenshot({path: path.join(shots, "splash.png")});
    await page.keyboard.press("Space");  // ends the splash
    await sleep(1500);
    await page.screenshot({path: path.join(shots, "title.png")});
    const title = await canvasState(page);
    await click(page, 320, 240);  // Start Game
    await sleep(1500);
    check((await canvasState(page)).sum !== title.sum, "Start Game leaves the title menu");
    await hold(page, "ControlLeft", 150);  // skips the story
    await sleep(1000);
    const before = await canvasState(page);
    await page.screenshot({path: path.join(shots, "play.png")});
    await hold(page, "ArrowRight", 400);
    await sleep(600);
    const after = await canvasState(page);
    await page.screenshot({path: path.join(shots, "walked.png")});
    check(after.sum !== before.sum, "Bodger walks");

    // The figure for the notes: the game's own work per presented frame.
    const work = () => page.evaluate(() => [Module["bodgerFrames"] || 0, Module["bodgerWorkMs"] || 0]);
    const [f0, w0] = await work();
    await sleep(5000);
    const [f1, w1] = await work();
    const ms = (w1 - w0) / Math.max(f1 - f0, 1);
    console.log(`frame cost: ${ms.toFixed(2)} ms of game work per frame over ${f1 - f0} frames`);

    // Escape pauses, goes to the title menu and leaves the game; the exit
    // saves the best score.  After a death the game-over screen ignores
    // Escape, so it is pressed until the game has ended.
    const ended = await waitFor(page, async () => {
      await page.keyboard.press("Escape");
      await sleep(600);
      return page.evaluate(() => document.getElementById("status").textContent.includes("ended"));
    }, 40000);
    check(ended, "Escape leaves the game");
    await waitFor(page, async () => (await readScore(page, "/saved/hiscore.dat")) !== null, 5000);
    const saved = await readScore(page, "/game/data/hiscore.dat");
    check(saved !== null && saved.length === 4, `the best score is saved (${saved})`);
    await sleep(1000);  // IndexedDB's write completes

    await page.reload();
    check(await waitFor(page, async () => (await canvasState(page)).lit > 2000, 60000),
          "the splash shows after a reload");
    const again = await readScore(page, "/game/data/hiscore.dat");
    check(JSON.stringify(again) === JSON.stringify(saved),
          `the best score is there after the reload (${again})`);
    await page.keyboard.press("Space");
    await sleep(1500);
    await page.screenshot({path: path.join(shots, "page.png")});
    await page.close();

    // A browser that refuses IndexedDB plays all the same, with best 0.
    const blocked = await browser.newPage();
    await blocked.evaluateOnNewDocument(() => {
      Object.defineProperty(window, "indexedDB", {get() { throw new Error("blocked"); }});
    });
    await blocked.setViewport({width: 800, height: 600});
    check(await openGame(blocked, url), "without IndexedDB the splash still shows");
    check((await readScore(blocked, "/game/data/hiscore.dat")) === null,
          "without IndexedDB no best score is found");
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
