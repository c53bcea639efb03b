// The browser twin's imports: each hands over to the page script, which the
// page gives the module as Module.page. Those that yield are listed in the
// build's ASYNCIFY_IMPORTS.
mergeInto(LibraryManager.library, {
  web_now_us: function () {
    return performance.now() * 1000;
  },
  web_sleep_us: function (microseconds) {
    return Asyncify.handleSleep(function (wakeUp) { Module.page.sleep(microseconds, wakeUp); });
  },
  web_wait_key: function (timeoutMs) {
    return Asyncify.handleSleep(function (wakeUp) { Module.page.waitKey(timeoutMs, wakeUp); });
  },
  web_yield: function () {
    return Asyncify.handleSleep(function (wakeUp) { Module.page.yieldOnce(wakeUp); });
  },
  web_present: function (rgba) {
    Module.page.present(HEAPU8.subarray(rgba, rgba + 256 * 256 * 4));
  },
  web_fill: function (rgb) {
    Module.page.fill(rgb);
  },
  web_poll_key: function () {
    return Module.page.pollKey();
  },
  web_sound_running: function () {
    return Module.page.soundRunning() ? 1 : 0;
  },
  web_sound_post: function (values, n) {
    return Module.page.postSound(HEAP16.subarray(values >> 1, (values >> 1) + n));
  },
  web_sound_wait: function () {
    return Asyncify.handleSleep(function (wakeUp) { Module.page.waitSound(wakeUp); });
  },
  web_result: function (line) {
    Module.page.result(UTF8ToString(line));
  },
});
