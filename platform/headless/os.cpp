// Time and commands without the operating system: a virtual clock that
// sleeping moves (and, elsewhere in the twin, key waits and presents), and a
// record of the commands instead of running them.
#include "os.h"

#include "headless.h"
#include "headless_p.h"

std::int64_t OS_now_us() { return headless::now_us(); }

void OS_usleep(std::uint32_t microseconds) { headless::sleep_us(microseconds); }

void OS_sleep(std::uint32_t seconds) { OS_usleep(seconds * 1000000u); }

int OS_system(const char* command) {
  headless::state().commands.emplace_back(command);
  return 0;
}
