// The page's side of the browser build: the IndexedDB file system loaded
// before the game starts, sound started at the first key, click or touch and
// silenced in a background tab, the picture fitted to the screen, full
// screen on request, and the offer of another game when one has ended.
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
      Module["bodgerStored"] = !err;
      removeRunDependency("bodger-saved");
    });
  } catch (err) {
    console.warn("Bodger 2010: stored files not loaded: " + err);
    removeRunDependency("bodger-saved");
  }
});

// Browsers start sound only from a key press, a click or a touch.  A hidden
// tab neither advances the game (no animation frames) nor plays sound.
(function() {
  var hiddenWhilePlaying = false;
  function resume() {
    var audio = Module["bodgerAudio"];
    if (audio && audio.context.state !== "running" && !document.hidden) audio.context.resume();
  }
  ["keydown", "mousedown", "pointerdown", "touchend"].forEach(function(type) {
    window.addEventListener(type, resume, true);
  });
  document.addEventListener("visibilitychange", function() {
    var audio = Module["bodgerAudio"];
    if (!audio) return;
    if (document.hidden) {
      hiddenWhilePlaying = audio.context.state === "running";
      audio.context.suspend();
    } else if (hiddenWhilePlaying) {
      audio.context.resume();
    }
  });
})();

// The 640x480 picture as large as the screen allows once the controls have
// their room: the largest whole multiple that fits, or shrunk with its
// aspect kept when even one does not.
(function() {
  var canvas = Module["canvas"];
  var portrait = window.matchMedia("(orientation: portrait)");
  function fit() {
    var full = document.fullscreenElement === canvas;
    var w = document.documentElement.clientWidth, h = window.innerHeight;
    if (!full) {
      var gap = 12;
      w -= 2 * gap;
      h -= 2 * gap;
      var help = document.getElementById("help");
      if (help.offsetHeight) h -= help.offsetHeight + gap;
      if (document.body.classList.contains("touch")) {
        var left = document.getElementById("left"), right = document.getElementById("right");
        if (portrait.matches) {
          h -= Math.max(left.offsetHeight, right.offsetHeight) + gap;
        } else {
          w -= left.offsetWidth + right.offsetWidth + 2 * gap;
        }
      }
    }
    var scale = Math.min(w / 640, h / 480);
    if (scale >= 1) scale = Math.floor(scale);
    scale = Math.max(scale, 0.1);
    canvas.style.width = Math.floor(640 * scale) + "px";
    canvas.style.height = Math.floor(480 * scale) + "px";
  }
  Module["bodgerFit"] = fit;
  window.addEventListener("resize", fit);
  document.addEventListener("fullscreenchange", fit);
  fit();
  Module["bodgerFullScreen"] = function() {
    var target = canvas;
    // On a touch screen the controls come along into full screen.
    if (document.body.classList.contains("touch")) target = document.documentElement;
    if (target.requestFullscreen) target.requestFullscreen().catch(function() {});
  };
  canvas.addEventListener("dblclick", Module["bodgerFullScreen"]);
  ["fullscreen", "fullscreen-touch"].forEach(function(id) {
    var button = document.getElementById(id);
    if (button) button.addEventListener("click", Module["bodgerFullScreen"]);
  });
})();

// "Exit Game" (or Escape on the title) ends the game as on the desktop, the
// best score saved; the page then offers another game, started without a
// reload.  The count of ended games is for the page test.
Module["bodgerGamesEnded"] = 0;
Module["bodgerGameEnded"] = function(playAgain) {
  Module["bodgerGamesEnded"]++;
  if (document.fullscreenElement) document.exitFullscreen().catch(function() {});
  var overlay = document.getElementById("overlay");
  var action = document.getElementById("action");
  document.getElementById("bar").hidden = true;
  document.getElementById("message").textContent = "The game has ended.";
  document.getElementById("detail").textContent = Module["bodgerStored"]
      ? "The best score is kept in this browser for the next visit."
      : "This browser keeps no files for the page (a private window?): the best score lasts " +
        "until the page is closed.";
  action.textContent = "Play again";
  action.hidden = false;
  overlay.hidden = false;
  action.onclick = function() {
    action.onclick = null;
    overlay.hidden = true;
    Module["canvas"].focus();
    playAgain();
  };
  action.focus();
};
