// The page's loader: downloads the game's program (index.wasm) and its
// sounds (index.data) with a progress bar over the picture's place, checks
// them against the sizes and digests the build wrote into the page, then
// starts the game's script.  Anything that goes wrong ends in a message that
// says what to do, never a blank page.  It also registers the service worker
// that keeps the page playable offline.
"use strict";

(function() {
  var overlay = document.getElementById("overlay");
  var message = document.getElementById("message");
  var detail = document.getElementById("detail");
  var bar = document.getElementById("bar");
  var action = document.getElementById("action");
  var files = window.bodgerFiles;
  var CACHE_PREFIX = "bodger2010-";

  // The record the page test reads: each progress step, and how it ended.
  var loading = window.bodgerLoading = {steps: [], total: 0, state: "loading", error: ""};

  function show(title, text, button, onButton) {
    overlay.hidden = false;
    message.textContent = title;
    detail.textContent = text;
    action.hidden = !button;
    if (button) {
      action.textContent = button;
      action.onclick = onButton;
    }
  }

  // A damaged or stale copy must not come back on the next try: the cached
  // files go and the next load fetches them afresh.
  function forgetCache() {
    var jobs = [];
    if (window.caches) {
      jobs.push(caches.keys().then(function(names) {
        return Promise.all(names.filter(function(n) { return n.indexOf(CACHE_PREFIX) === 0; })
                                .map(function(n) { return caches.delete(n); }));
      }).catch(function() {}));
    }
    return Promise.all(jobs);
  }

  function fail(title, text, error) {
    loading.state = "failed";
    loading.error = title;
    bar.hidden = true;
    console.error("Bodger 2010: " + title + (error ? ": " + error : ""));
    show(title, text, "Try again", function() {
      forgetCache().then(function() { location.reload(); });
    });
  }
  window.bodgerFail = fail;

  function megabytes(n) { return (n / 1e6).toFixed(1); }

  function progress(loaded, total) {
    if (loading.state !== "loading") return;  // the other file after a failure
    loading.steps.push(loaded);
    loading.total = total;
    bar.setAttribute("aria-valuemax", String(total));
    bar.setAttribute("aria-valuenow", String(loaded));
    bar.firstElementChild.style.width = (total ? 100 * Math.min(loaded / total, 1) : 0) + "%";
    detail.textContent = "Loading the game: " + megabytes(loaded) + " of " + megabytes(total) + " MB";
  }

  // One file's bytes, with each arrived chunk counted.
  function download(name, onBytes) {
    return fetch(name).then(function(response) {
      if (!response.ok) throw new Error(name + ": HTTP " + response.status);
      if (!response.body || !response.body.getReader) {
        return response.arrayBuffer().then(function(buffer) {
          onBytes(buffer.byteLength);
          return new Uint8Array(buffer);
        });
      }
      var reader = response.body.getReader(), chunks = [], size = 0;
      function next() {
        return reader.read().then(function(step) {
          if (step.done) {
            var all = new Uint8Array(size), at = 0;
            chunks.forEach(function(c) { all.set(c, at); at += c.length; });
            return all;
          }
          chunks.push(step.value);
          size += step.value.length;
          onBytes(step.value.length);
          return next();
        });
      }
      return next();
    }, function(err) { throw new Error(name + ": " + err.message); });
  }

  function hex(buffer) {
    return Array.from(new Uint8Array(buffer), function(b) { return b.toString(16).padStart(2, "0"); })
        .join("");
  }

  // Size always; the digest where the browser offers it (pages served
  // securely, or from this computer).
  function check(name, bytes) {
    var want = files && files[name];
    if (!want) return Promise.resolve(true);
    if (bytes.length !== want.size) return Promise.resolve(false);
    if (!window.crypto || !crypto.subtle) return Promise.resolve(true);
    return crypto.subtle.digest("SHA-256", bytes).then(function(d) { return hex(d) === want.sha256; },
                                                       function() { return true; });
  }

  function startGame(wasm, data) {
    Module["wasmBinary"] = wasm.buffer;
    Module["getPreloadedPackage"] = function() { return data.buffer; };
    Module["onAbort"] = function(what) {
      fail("The game stopped with an error.", "Press Try again to reload the page.", what);
    };
    Module["onRuntimeInitialized"] = function() {
      loading.state = "running";
      overlay.hidden = true;
      keepOffline();
    };
    var template = document.getElementById("game-script");
    var original = template.content.querySelector("script");
    var script = document.createElement("script");
    script.src = original ? original.getAttribute("src") : "index.js";
    script.onerror = function() {
      fail("The game could not be downloaded.",
           "Check the connection, then press Try again.", script.src);
    };
    document.body.appendChild(script);
  }

  function load() {
    if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
      fail("This browser cannot run the game: it has no WebAssembly.",
           "Open the page in a current Firefox, Chrome, Edge or Safari, or turn WebAssembly " +
           "(JavaScript optimisations) back on in this browser's settings.");
      return;
    }
    if (typeof fetch !== "function" || typeof Promise !== "function") {
      fail("This browser is too old for the game.",
           "Open the page in a current Firefox, Chrome, Edge or Safari.");
      return;
    }
    var names = ["index.wasm", "index.data"];
    var total = files ? files["index.wasm"].size + files["index.data"].size : 0;
    var loaded = 0;
    progress(0, total);
    Promise.all(names.map(function(name) {
      return download(name, function(n) {
        loaded += n;
        progress(loaded, Math.max(total, loaded));
      });
    })).then(function(got) {
      return Promise.all(names.map(function(name, i) { return check(name, got[i]); }))
          .then(function(good) {
            var bad = names.filter(function(name, i) { return !good[i]; });
            if (bad.length) {
              forgetCache();
              fail("The game's files arrived damaged (" + bad.join(", ") + ").",
                   "Press Try again to fetch them afresh.");
              return;
            }
            loading.state = "starting";
            detail.textContent = "Starting\u2026";
            startGame(got[0], got[1]);
          });
    }, function(err) {
      fail("The game could not be downloaded.",
           "Check the connection, then press Try again. (" + err.message + ")", err);
    });
  }

  // Offline play and installing, once the game runs (its own downloads come
  // first): a refused worker (a private window, a browser without them, a
  // page not served securely) only means the page needs the network next time.
  function keepOffline() {
    if (!files || !("serviceWorker" in navigator)) return;
    try {
      navigator.serviceWorker.register("sw.js").catch(function(err) {
        console.warn("Bodger 2010: no offline copy in this browser: " + err);
      });
    } catch (err) {
      console.warn("Bodger 2010: no offline copy in this browser: " + err);
    }
  }

  load();
})();
