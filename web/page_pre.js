// The page's side of the browser build: the IndexedDB file system loaded
// before the game starts, sound started at the first key or click, full
// screen on request and the canvas scaled sharply to fit the window.
Module["canvas"] = document.getElementById("canvas");

Module["preRun"] = Module["preRun"] || [];
Module["preRun"].push(function() {
  FS.mkdir("/saved");
  // A browser that refuses IndexedDB (private windows) still plays: the
  // folder stays empty and the best score starts at 0.
  try {
    FS.mount(IDBFS, {}, "/saved");
  } catch (err) {
    console.warn("Bodger 2010: no stored files in this browser: " + err);
    return;
  }
  addRunDependency("bodger-saved");
  try {
    FS.syncfs(true, function(err) {
      if (err) console.warn("Bodger 2010: stored files not loaded: " + err);
      removeRunDependency("bodger-saved");
    });
  } catch (err) {
    console.warn("Bodger 2010: stored files not loaded: " + err);
    removeRunDependency("bodger-saved");
  }
});

// Browsers start sound only from a key press or a click.
(function() {
  function resume() {
    var audio = Module["bodgerAudio"];
    if (audio && audio.context.state !== "running") audio.context.resume();
  }
  ["keydown", "mousedown", "touchstart"].forEach(function(type) {
    window.addEventListener(type, resume, true);
  });
})();

// The 640x480 picture at the largest whole multiple that fits the window,
// or shrunk with its aspect kept when even one does not.
(function() {
  var canvas = Module["canvas"];
  function fit() {
    var full = document.fullscreenElement === canvas;
    var w = full ? window.innerWidth : document.documentElement.clientWidth;
    var h = full ? window.innerHeight : window.innerHeight - 48;
    var scale = Math.min(w / 640, h / 480);
    if (scale >= 1) scale = Math.floor(scale);
    scale = Math.max(scale, 0.1);
    canvas.style.width = Math.round(640 * scale) + "px";
    canvas.style.height = Math.round(480 * scale) + "px";
  }
  window.addEventListener("resize", fit);
  document.addEventListener("fullscreenchange", fit);
  fit();
  Module["bodgerFullScreen"] = function() {
    if (canvas.requestFullscreen) canvas.requestFullscreen().catch(function() {});
  };
  canvas.addEventListener("dblclick", Module["bodgerFullScreen"]);
  var button = document.getElementById("fullscreen");
  if (button) button.addEventListener("click", Module["bodgerFullScreen"]);
})();
