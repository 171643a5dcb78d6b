// The on-screen controls for touch screens: a d-pad for the arrow keys, the
// remote button (Left Control) and pause (Space).  They show on a device whose
// main pointer is coarse, or after the first touch, and hide again when a
// keyboard or a pad is used.  Each finger is followed on its own, so Bodger
// walks while another finger presses the remote button; a finger sliding
// across the pad changes direction.  The controls send the very key events a
// keyboard sends, through the same listeners, so the game cannot tell them
// apart.  A tap on the picture moves the game's pointer there and clicks.
(function() {
  var body = document.body;
  var canvas = document.getElementById("canvas");
  var pads = [document.getElementById("left"), document.getElementById("right")];
  var keys = Array.prototype.slice.call(document.querySelectorAll(".pad .key[data-code]"));
  var fingers = {};  // pointer id -> the keys under it
  var held = {};     // code -> its element, the keys down now

  function setTouch(on) {
    if (body.classList.contains("touch") === on) return;
    if (!on) releaseAll();
    body.classList.toggle("touch", on);
    if (Module["bodgerFit"]) Module["bodgerFit"]();
  }
  Module["bodgerTouchControls"] = setTouch;

  function send(type, key) {
    window.dispatchEvent(new KeyboardEvent(type, {
      code: key.dataset.code, key: key.dataset.key || key.dataset.code,
      bubbles: true, cancelable: true}));
  }

  // Sends downs and ups so that the keys held are those under some finger.
  function update() {
    var want = {};
    Object.keys(fingers).forEach(function(id) {
      fingers[id].forEach(function(key) { want[key.dataset.code] = key; });
    });
    Object.keys(held).forEach(function(code) {
      if (want[code]) return;
      held[code].classList.remove("held");
      send("keyup", held[code]);
      delete held[code];
    });
    Object.keys(want).forEach(function(code) {
      if (held[code]) return;
      held[code] = want[code];
      want[code].classList.add("held");
      send("keydown", want[code]);
    });
  }

  function releaseAll() {
    fingers = {};
    update();
  }

  // The keys at a point: a key's own box, and on the d-pad the two arrows
  // beside a corner (diagonals), so a thumb needs no precision.
  function keysAt(x, y) {
    var found = [];
    keys.forEach(function(key) {
      var r = key.getBoundingClientRect();
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) found.push(key);
    });
    if (found.length) return found;
    var pad = pads[0].getBoundingClientRect();
    if (x < pad.left || x >= pad.right || y < pad.top || y >= pad.bottom) return found;
    var col = Math.floor(3 * (x - pad.left) / pad.width);
    var row = Math.floor(3 * (y - pad.top) / pad.height);
    if (col === 1 || row === 1) return found;  // the middle: no direction
    found.push(document.getElementById(row === 0 ? "up" : "down"));
    found.push(document.getElementById(col === 0 ? "leftkey" : "rightkey"));
    return found;
  }

  function onPadPointer(e) {
    if (e.target.closest("button")) return;  // full screen: a plain button
    e.preventDefault();
    if (e.type === "pointerdown") {
      setTouch(true);
      try { e.currentTarget.setPointerCapture(e.pointerId); } catch (err) {}
    } else if (!(e.pointerId in fingers)) {
      return;
    }
    if (e.type === "pointerup" || e.type === "pointercancel") delete fingers[e.pointerId];
    else fingers[e.pointerId] = keysAt(e.clientX, e.clientY);
    update();
  }

  pads.forEach(function(pad) {
    ["pointerdown", "pointermove", "pointerup", "pointercancel"].forEach(function(type) {
      pad.addEventListener(type, onPadPointer);
    });
  });

  // A tap on the picture: the pointer moves there and the left button goes
  // down and up, as a mouse's would.
  function mouse(type, e) {
    canvas.dispatchEvent(new MouseEvent(type, {
      clientX: e.clientX, clientY: e.clientY, screenX: e.screenX, screenY: e.screenY,
      button: 0, buttons: type === "mousedown" ? 1 : 0, bubbles: true, cancelable: true}));
  }
  var tapping = null;
  canvas.addEventListener("pointerdown", function(e) {
    if (e.pointerType === "mouse") return;
    e.preventDefault();  // and with it the browser's own mouse events
    setTouch(true);
    if (tapping !== null) return;
    tapping = e.pointerId;
    mouse("mousemove", e);
    mouse("mousedown", e);
  });
  function endTap(e) {
    if (e.pointerId !== tapping) return;
    e.preventDefault();
    tapping = null;
    mouse("mouseup", e);
  }
  canvas.addEventListener("pointerup", endTap);
  canvas.addEventListener("pointercancel", endTap);

  // No scrolling, zooming, text selection or menus from the screen's touches.
  ["touchstart", "touchmove", "touchend"].forEach(function(type) {
    document.addEventListener(type, function(e) {
      if (e.target.closest && e.target.closest("button")) return;
      if (e.cancelable) e.preventDefault();
    }, {passive: false});
  });
  document.addEventListener("contextmenu", function(e) { e.preventDefault(); });
  document.addEventListener("pointerdown", function(e) {
    if (e.pointerType === "touch") setTouch(true);
  }, true);

  // A real key or a pad hides the controls again.
  window.addEventListener("keydown", function(e) {
    if (e.isTrusted) setTouch(false);
  }, true);
  // A pad counts as used when one of its buttons or sticks is newly pressed
  // and no finger is on the controls, so a pad and touch at once both work.
  var padWas = "";
  function padPressed() {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var pressed = [];
    for (var i = 0; i < pads.length; ++i) {
      var pad = pads[i];
      if (!pad) continue;
      for (var b = 0; b < pad.buttons.length; ++b) if (pad.buttons[b].pressed) pressed.push(i + "b" + b);
      for (var a = 0; a < pad.axes.length; ++a) {
        if (Math.abs(pad.axes[a]) > 0.5) pressed.push(i + "a" + a + (pad.axes[a] > 0 ? "+" : "-"));
      }
    }
    return pressed.join(" ");
  }
  setInterval(function() {
    if (!body.classList.contains("touch")) return;
    var now = padPressed();
    var fresh = now !== "" && now !== padWas;
    padWas = now;
    if (fresh && Object.keys(fingers).length === 0) setTouch(false);
  }, 250);
  // A hidden page gets no key ups: what a finger held is let go.
  window.addEventListener("blur", releaseAll);

  if (window.matchMedia && window.matchMedia("(pointer: coarse)").matches) setTouch(true);
})();
