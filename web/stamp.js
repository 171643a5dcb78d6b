// Finishes the page after each link of its program:
//   node web/stamp.js SOURCE_DIR OUT_DIR
// copies the page's own files and the game's icons beside index.html, writes
// the sizes and SHA-256 of index.wasm and index.data into index.html (the
// loader checks what it downloaded against them), and writes sw.js with the
// list of files to keep offline and a version made from all of their bytes,
// so a new build replaces the offline copy.
"use strict";
const crypto = require("crypto");
const fs = require("fs");
const path = require("path");

const [src, out] = process.argv.slice(2).map((p) => path.resolve(p));
if (!src || !out) {
  console.error("usage: node stamp.js SOURCE_DIR OUT_DIR");
  process.exit(2);
}

const copies = {"loader.js": "web/loader.js", "audio_worklet.js": "web/audio_worklet.js",
                "manifest.webmanifest": "web/manifest.webmanifest"};
for (const size of [32, 48, 128, 192, 256, 512]) {
  copies[`icons/icon-${size}.png`] =
      `dist/icons/hicolor/${size}x${size}/apps/io.github.bodger2010.Bodger2010.png`;
}
fs.mkdirSync(path.join(out, "icons"), {recursive: true});
for (const [to, from] of Object.entries(copies)) fs.copyFileSync(path.join(src, from), path.join(out, to));

const digest = (bytes) => crypto.createHash("sha256").update(bytes).digest("hex");
const read = (name) => fs.readFileSync(path.join(out, name));

const checked = {};
for (const name of ["index.wasm", "index.data"]) {
  const bytes = read(name);
  checked[name] = {size: bytes.length, sha256: digest(bytes)};
}
const marker = /\/\*@BODGER_FILES@\*\/[^;\n]*/;
const html = read("index.html").toString("utf8");
if (!marker.test(html)) {
  console.error("stamp.js: index.html has no file list marker");
  process.exit(1);
}
fs.writeFileSync(path.join(out, "index.html"),
                 html.replace(marker, "/*@BODGER_FILES@*/" + JSON.stringify(checked)));

const offline = ["index.html", "index.js", "index.wasm", "index.data", ...Object.keys(copies)];
const version = digest(offline.map((name) => digest(read(name))).join("\n")).slice(0, 16);
const worker = fs.readFileSync(path.join(src, "web/sw.js"), "utf8")
                   .replace("@BODGER_VERSION@", version)
                   .replace("/*@BODGER_FILE_LIST@*/[]", JSON.stringify(offline));
fs.writeFileSync(path.join(out, "sw.js"), worker);

const bytes = [...offline, "sw.js"].reduce((sum, name) => sum + read(name).length, 0);
console.log(`stamp.js: build ${version}, ${offline.length + 1} files, ${bytes} bytes`);
