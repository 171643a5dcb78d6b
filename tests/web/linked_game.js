// The page's program and the WebAssembly runner must be one game: the same
// code for the game's math, whose last bits decide where Bodger and the
// effects go.  Reads the link map each link wrote and fails when a math
// function the two programs share is defined by different code in each (the
// page falling back on emscripten's own sin, say), or when either lacks the
// desktop's sin and cos.
//   node tests/web/linked_game.js PAGE.map RUNNER.map
"use strict";
const fs = require("fs");
const path = require("path");

// Every function of the map's code section, by name, with the file it came
// from ("libc.a(sin.o)", "sine.cpp.o").
function functions(mapFile) {
  const found = new Map();
  for (const line of fs.readFileSync(mapFile, "utf8").split("\n")) {
    const m = /(\S+):\(([^()]+)\)\s*$/.exec(line);
    if (m) found.set(m[2], path.basename(m[1]));
  }
  return found;
}

const math = new Set();
for (const base of ["sin", "cos", "tan", "asin", "acos", "atan", "atan2", "sinh", "cosh", "tanh",
                    "exp", "exp2", "expm1", "log", "log2", "log10", "log1p", "pow", "sqrt", "cbrt",
                    "hypot", "fmod", "remainder", "floor", "ceil", "round", "trunc", "fabs", "sincos",
                    "__sin", "__cos", "__tan", "__rem_pio2", "__rem_pio2_large"]) {
  for (const suffix of ["", "f", "l"]) math.add(base + suffix);
}

const [pageMap, runnerMap] = process.argv.slice(2);
if (!pageMap || !runnerMap) {
  console.error("usage: node linked_game.js PAGE.map RUNNER.map");
  process.exit(2);
}
const page = functions(pageMap), runner = functions(runnerMap);
let bad = 0, same = 0;
for (const [name, from] of page) {
  if (!math.has(name) || !runner.has(name)) continue;
  if (runner.get(name) === from) {
    same++;
  } else {
    console.log(`${name}: the page has it from ${from}, the runner from ${runner.get(name)}`);
    bad++;
  }
}
for (const [what, map] of [["the page", page], ["the runner", runner]]) {
  for (const name of ["sin", "cos"]) {
    const from = map.get(name) || "nowhere";
    if (!/^sine\.cpp\.o(bj)?$/.test(from)) {
      console.log(`${what} takes ${name} from ${from}, not the game's own sine.cpp`);
      bad++;
    }
  }
}
console.log(`${page.size} functions in the page, ${runner.size} in the runner, ` +
            `${same} shared math functions from the same code, ${bad} differences`);
process.exitCode = bad || page.size === 0 || runner.size === 0 ? 1 : 0;
