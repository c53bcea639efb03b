// Time in a web page: the page's clock, and sleeps that give the browser its
// turn meanwhile; or the headless twin's virtual clock. A page runs no
// commands.
#include "os.h"

#include "headless.h"
#include "web.h"
#include "web_p.h"

std::int64_t OS_now_us() {
  if (web::virtual_clock()) return headless::now_us();
  return static_cast<std::int64_t>(web_now_us());
}

void OS_usleep(std::uint32_t microseconds) {
  if (web::virtual_clock()) {
    headless::sleep_us(microseconds);
    return;
  }
  web_sleep_us(microseconds);
  web::yielded = true;
}

void OS_sleep(std::uint32_t seconds) { OS_usleep(seconds * 1000000u); }

// There is no shell in a page: nothing runs, and the status says so, as the
// C library's system() does when it cannot start one.
int OS_system(const char*) { return -1; }
