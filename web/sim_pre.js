// The runner under Node reads its WebAssembly beside this script itself:
// newer Node versions have a fetch() that cannot load a file path.
if (typeof require === "function" && typeof __dirname === "string") {
  Module["wasmBinary"] = require("fs").readFileSync(
      require("path").join(__dirname, "bodger2010-sim.wasm"));
}
