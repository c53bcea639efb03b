// The page of TORQ6150. A click or a key starts the show, compiled to
// WebAssembly (torq6150.js and .wasm beside this file), and gives it the
// canvas, the page's keys and Web Audio; when the show ends, a click or key
// starts it again. With the query "virtual=1&frames=N&keys=SCRIPT" (and
// "post=1" to also POST the result to ./result) the show instead starts at
// once on a virtual clock, without sound, and writes its result line into
// #result: the tests compare it with the capture tool's.
(function () {
  'use strict';

  const SIDE = 256;
  const MOST_QUEUED = 4410;       // values of sound: 100 ms at 44100 per second
  const SOUND_PATIENCE_MS = 250;  // longest wait for a player that stopped taking sound
  const MOST_LATE_MS = 4;         // most of a late wake-up made up by the next sleep
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('screen');
  const context2d = canvas.getContext('2d');
  const image = context2d.createImageData(SIDE, SIDE);
  const message = document.getElementById('message');
  const resultLine = document.getElementById('result');

  const params = new URLSearchParams(location.search);
  const post = params.get('post') === '1';
  params.delete('post');
  const query = params.toString();

  // Figures for the tests: frames shown, sound values posted to and played by
  // the player, where the page stands (loading, ready, running, ended), when
  // the show last started and first presented, the state of Web Audio and
  // the page's clock.
  const stats = window.torqStats = {
    presents: 0, posted: 0, played: 0, state: 'loading', startedAt: 0, firstPresentAt: 0,
    get sound() { return audio === null ? 'none' : audio.context.state; },
    get time() { return performance.now(); },
  };

  function say(text) { message.textContent = text; }

  // The canvas at the largest whole multiple of 256 that fits the window.
  function fit() {
    const scale = Math.max(1, Math.floor(Math.min(stage.clientWidth, stage.clientHeight) / SIDE));
    canvas.style.width = canvas.style.height = scale * SIDE + 'px';
  }
  window.addEventListener('resize', fit);
  fit();

  stage.addEventListener('dblclick', function () {
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (stage.requestFullscreen) {
      stage.requestFullscreen().catch(function () {});
    }
  });

  // One turn for the browser: a message posted to ourselves runs after what
  // is already queued, without the 4 ms that a zero-delay timer may take.
  const channel = new MessageChannel();
  const turns = [];
  channel.port1.onmessage = function () { turns.shift()(); };
  function yieldOnce(wake) {
    turns.push(wake);
    channel.port2.postMessage(0);
  }

  // Keys as the show takes them: printable characters as they are, and the
  // few control keys it knows. Keys with Ctrl, Alt or Meta stay the browser's.
  const CONTROL_KEYS = { Escape: 27, Enter: 13, Tab: 9, Backspace: 8 };
  function keyCode(event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return -1;
    if (event.key.length === 1) {
      const code = event.key.charCodeAt(0);
      return code < 256 ? code : -1;
    }
    return event.key in CONTROL_KEYS ? CONTROL_KEYS[event.key] : -1;
  }

  let keys = [];
  let keyWaiter = null;
  let keyTimer = 0;
  function wakeKeyWaiter() {
    if (keyWaiter === null) return;
    clearTimeout(keyTimer);
    const wake = keyWaiter;
    keyWaiter = null;
    wake();
  }

  // The sound player: an AudioWorklet fed one block per frame.
  const AudioContextClass = window.AudioContext || window.webkitAudioContext;
  let audio = null;
  let soundWaiter = null;
  let soundTimer = 0;
  function queued() { return stats.posted - stats.played; }
  function wakeSoundWaiter(always) {
    if (soundWaiter === null || (!always && queued() > MOST_QUEUED)) return;
    clearTimeout(soundTimer);
    const wake = soundWaiter;
    soundWaiter = null;
    wake();
  }

  // Starts Web Audio within the click or key that starts the show, as
  // browsers require; resolves to a note for the user when it cannot run.
  function startSound() {
    if (!AudioContextClass) return Promise.resolve('This browser has no Web Audio: the show runs silent.');
    let context;
    try {
      context = new AudioContextClass({ sampleRate: 44100 });
    } catch (error) {
      return Promise.resolve('Web Audio did not start (' + error.message + '): the show runs silent.');
    }
    context.resume();
    if (!context.audioWorklet) {
      context.close();
      return Promise.resolve('Web Audio needs a secure page here (https or localhost): the show runs silent.');
    }
    return context.audioWorklet.addModule('sound.js').then(function () {
      const node = new AudioWorkletNode(context, 'torq-sound', { numberOfInputs: 0, outputChannelCount: [1] });
      node.port.onmessage = function (event) {
        stats.played = event.data;
        wakeSoundWaiter(false);
      };
      node.connect(context.destination);
      audio = { context: context, node: node };
      return '';
    }, function () {
      context.close();
      return 'The sound player did not load: the show runs silent.';
    });
  }

  function stopSound() {
    if (audio !== null) audio.context.close();
    audio = null;
    wakeSoundWaiter(true);
  }

  // The program, compiled once while the page waits for its start, and
  // instantiated afresh for each start.
  let compiled = null;
  function compile() {
    const loading = fetch('torq6150.wasm');
    // Streaming needs the server to say application/wasm; not every host does.
    return WebAssembly.compileStreaming(loading).catch(function () {
      return fetch('torq6150.wasm').then(function (response) {
        if (!response.ok) throw new Error('torq6150.wasm: ' + response.status + ' ' + response.statusText);
        return response.arrayBuffer();
      }).then(WebAssembly.compile);
    });
  }
  function instantiate(imports, receive) {
    compiled.then(function (module) {
      return WebAssembly.instantiate(module, imports).then(function (instance) { receive(instance, module); });
    }).catch(function (error) {
      stats.state = 'ended';
      say('The show did not load: ' + error.message);
    });
    return {};
  }

  let lateMs = 0;

  // What the program's imports call (platform/web/library.js).
  const page = {
    // A timer fires late by a millisecond or so; the next sleep is shortened
    // by that much, so that a frame loop sleeping out each frame's rest keeps
    // its rate on average.
    sleep: function (microseconds, wake) {
      const due = performance.now() + microseconds / 1000 - lateMs;
      const wakeLate = function () {
        lateMs = Math.min(Math.max(performance.now() - due, 0), MOST_LATE_MS);
        wake();
      };
      if (due - performance.now() < 1) {
        yieldOnce(wakeLate);
      } else {
        setTimeout(wakeLate, due - performance.now());
      }
    },
    yieldOnce: yieldOnce,
    present: function (rgba) {
      image.data.set(rgba);
      context2d.putImageData(image, 0, 0);
      if (stats.firstPresentAt === 0) stats.firstPresentAt = performance.now();
      stats.presents += 1;
    },
    fill: function (rgb) {
      context2d.fillStyle = '#' + (0x1000000 + rgb).toString(16).slice(1);
      context2d.fillRect(0, 0, SIDE, SIDE);
    },
    pollKey: function () { return keys.length > 0 ? keys.shift() : -1; },
    waitKey: function (timeoutMs, wake) {
      if (keys.length > 0) {
        yieldOnce(wake);
        return;
      }
      keyWaiter = wake;
      keyTimer = setTimeout(wakeKeyWaiter, timeoutMs);
    },
    soundRunning: function () { return audio !== null && audio.context.state === 'running'; },
    postSound: function (values) {
      const block = new Float32Array(values.length);
      for (let i = 0; i < values.length; ++i) block[i] = values[i] / 32768;
      audio.node.port.postMessage(block, [block.buffer]);
      stats.posted += values.length;
      return queued();
    },
    waitSound: function (wake) {
      soundWaiter = wake;
      soundTimer = setTimeout(wakeSoundWaiter, SOUND_PATIENCE_MS, true);
      wakeSoundWaiter(false);
    },
    result: function (line) {
      resultLine.textContent = line;
      if (post) fetch('result', { method: 'POST', body: line });
    },
  };

  function ended() {
    stopSound();
    stats.state = 'ended';
    if (!query) say('The show has ended. Click or press a key to start it again.');
  }

  function start() {
    stats.state = 'running';
    stats.startedAt = performance.now();
    stats.firstPresentAt = 0;
    keys = [];
    say('');
    if (!query) {
      startSound().then(function (note) {
        if (note === '') return;
        say(note);
        setTimeout(function () { if (message.textContent === note) say(''); }, 5000);
      });
    }
    lateMs = 0;
    TORQ6150({
      arguments: query ? [query] : [],
      page: page,
      instantiateWasm: instantiate,
      onExit: ended,
      onAbort: function (what) {
        stopSound();
        stats.state = 'ended';
        say('The show stopped: ' + what);
      },
    });
  }

  window.addEventListener('keydown', function (event) {
    const code = keyCode(event);
    if (code < 0) return;
    event.preventDefault();  // SPACE would scroll the page, Tab move the focus
    if (stats.state === 'running') {
      keys.push(code);
      wakeKeyWaiter();
    } else if (stats.state === 'ready' || stats.state === 'ended') {
      start();
    }
  });
  stage.addEventListener('click', function () {
    if (stats.state === 'ready' || stats.state === 'ended') start();
  });

  if (typeof WebAssembly !== 'object') {
    say('This browser cannot run WebAssembly, which the show needs.');
  } else if (location.protocol === 'file:') {
    say('Open this page through a web server: a page opened as a file cannot load the show.');
  } else if (typeof TORQ6150 !== 'function') {
    say('The show (torq6150.js) did not load.');
  } else if (query) {
    compiled = compile();
    start();
  } else {
    compiled = compile();
    stats.state = 'ready';
    say(AudioContextClass ? 'Click or press a key to start' :
        'Click or press a key to start (this browser has no Web Audio: the show runs silent)');
  }
})();
