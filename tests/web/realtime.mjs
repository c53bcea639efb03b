// The page in real time, driven through Chromium's DevTools protocol as a
// person would use it: a key starts the show, its sound plays through Web
// Audio at the music's pace, the picture moves, SPACE changes the part, q
// fades out and ends with the page's message, and a click starts it again;
// without Web Audio the page says so and the show runs silent. Prints what
// it measured.
// Usage: node --experimental-websocket realtime.mjs URL PROFILE_DIR CHROMIUM FLAGS...
import { spawn } from 'node:child_process';

const [url, profile, chromium, ...flags] = process.argv.slice(2);
const browser = spawn(chromium, [...flags, `--user-data-dir=${profile}`, '--remote-debugging-port=0',
  '--window-size=800,800', 'about:blank'], { stdio: ['ignore', 'ignore', 'pipe'] });

function fail(text) {
  console.error(`FAIL: ${text}`);
  browser.kill('SIGKILL');
  process.exit(1);
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
setTimeout(() => fail('no result within 90 s'), 90000).unref();

const endpoint = await new Promise((resolve) => {
  let text = '';
  browser.stderr.on('data', (chunk) => {
    text += chunk;
    const found = /DevTools listening on (ws:\S+)/.exec(text);
    if (found) resolve(found[1]);
  });
  browser.on('exit', () => fail(`Chromium ended: ${text.slice(-500)}`));
});

const socket = new WebSocket(endpoint);
await new Promise((resolve, reject) => { socket.onopen = resolve; socket.onerror = reject; });
let nextId = 1;
const pending = new Map();
socket.onmessage = (event) => {
  const message = JSON.parse(event.data);
  if (message.id && pending.has(message.id)) {
    pending.get(message.id)(message);
    pending.delete(message.id);
  }
};
function send(method, params = {}, sessionId = undefined) {
  const id = nextId++;
  socket.send(JSON.stringify({ id, method, params, sessionId }));
  return new Promise((resolve) => pending.set(id, (message) => {
    if (message.error) fail(`${method}: ${message.error.message}`);
    resolve(message.result);
  }));
}

const { targetId } = await send('Target.createTarget', { url });
const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
const page = (method, params) => send(method, params, sessionId);
await page('Page.bringToFront');
await page('Emulation.setFocusEmulationEnabled', { enabled: true });

async function evaluate(expression) {
  const { result, exceptionDetails } = await page('Runtime.evaluate', { expression, returnByValue: true });
  if (exceptionDetails) fail(`${expression}: ${exceptionDetails.text}`);
  return result.value;
}
async function waitFor(expression, what, ms) {
  const end = Date.now() + ms;
  for (;;) {
    const value = await evaluate(expression);
    if (value) return value;
    if (Date.now() > end) fail(`${what} within ${ms} ms`);
    await sleep(20);
  }
}
async function press(key) {
  const text = key === 'Space' ? ' ' : key;
  const code = key === 'Space' ? 32 : key.toUpperCase().charCodeAt(0);
  await page('Input.dispatchKeyEvent', { type: 'keyDown', key: text, text, windowsVirtualKeyCode: code });
  await page('Input.dispatchKeyEvent', { type: 'keyUp', key: text, windowsVirtualKeyCode: code });
}
const stats = () => evaluate('({...torqStats})');
// The share of white pixels on the canvas.
const whiteShare = `(() => {
  const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 256, 256).data;
  let white = 0;
  for (let i = 0; i < d.length; i += 4) if (d[i] === 255 && d[i + 1] === 255 && d[i + 2] === 255) ++white;
  return white / 65536;
})()`;
const canvasHash = `(() => {
  const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 256, 256).data;
  let h = 0;
  for (let i = 0; i < d.length; ++i) h = (h * 31 + d[i]) | 0;
  return h;
})()`;

await waitFor("typeof torqStats === 'object' && torqStats.state === 'ready'", 'the start screen', 10000);
await press('a');
await waitFor('torqStats.presents > 0', 'the loading screen', 5000);
const loading = await evaluate('torqStats.firstPresentAt - torqStats.startedAt');
await waitFor("torqStats.sound === 'running'", 'Web Audio running', 5000);
// The first part plays music from start-up's end on.
await waitFor('torqStats.played > 44100', 'a second of sound played', 10000);

const before = await stats();
const pictureBefore = await evaluate(canvasHash);
await sleep(3000);
const after = await stats();
const seconds = (after.time - before.time) / 1000;
const perSecond = (after.posted - before.posted) / seconds;
const playedPerSecond = (after.played - before.played) / seconds;
const fps = (after.presents - before.presents) / seconds;
if (perSecond < 0.9 * 44100) fail(`${perSecond.toFixed(0)} values of sound per second were posted to the player`);
if ((await evaluate(canvasHash)) === pictureBefore) fail('the picture did not change');

// Three SPACEs lead to the first benchmark, thick lines on white.
if ((await evaluate(whiteShare)) > 0.2) fail('white before SPACE');
for (let i = 0; i < 3; ++i) {
  await press('Space');
  await sleep(300);
}
await waitFor(`${whiteShare} > 0.2`, 'the benchmark on white after SPACE', 5000);
// Three more: the sine-line part, measured at its pace.
for (let i = 0; i < 3; ++i) {
  await press('Space');
  await sleep(300);
}
await sleep(1000);
const sineBefore = await stats();
await sleep(3000);
const sineAfter = await stats();
const sineFps = (sineAfter.presents - sineBefore.presents) / ((sineAfter.time - sineBefore.time) / 1000);

await press('q');
await waitFor("torqStats.state === 'ended'", 'the end after q', 10000);
const message = await evaluate("document.getElementById('message').textContent");
if (!/ended/.test(message)) fail(`the end message is "${message}"`);

// A click starts it again.
const presentsAtEnd = (await stats()).presents;
await page('Input.dispatchMouseEvent', { type: 'mousePressed', x: 400, y: 400, button: 'left', clickCount: 1 });
await page('Input.dispatchMouseEvent', { type: 'mouseReleased', x: 400, y: 400, button: 'left', clickCount: 1 });
await waitFor(`torqStats.state === 'running' && torqStats.presents > ${presentsAtEnd}`, 'a new start after a click', 5000);

// A browser without Web Audio: the page says so, and the show runs silent.
await page('Page.enable');
await page('Page.addScriptToEvaluateOnNewDocument', { source: 'delete window.AudioContext; delete window.webkitAudioContext;' });
await page('Page.reload');
await waitFor("typeof torqStats === 'object' && torqStats.state === 'ready'", 'the start screen without Web Audio', 10000);
const silentNote = await evaluate("document.getElementById('message').textContent");
if (!/no Web Audio/.test(silentNote)) fail(`no word of the missing Web Audio: "${silentNote}"`);
await press('a');
await waitFor("torqStats.presents > 1 && torqStats.sound === 'none'", 'a silent show', 5000);

console.log(`loading screen ${loading.toFixed(0)} ms after the key; sound ${perSecond.toFixed(0)} values per second posted, ${playedPerSecond.toFixed(0)} played; ` +
            `${fps.toFixed(1)} frames per second in the first part, ${sineFps.toFixed(1)} in the sine-line part`);
await send('Browser.close');
await new Promise((resolve) => { browser.removeAllListeners('exit'); browser.on('exit', resolve); });
process.exit(0);
