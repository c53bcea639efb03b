#include "os.h"

#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>

std::int64_t OS_now_us() {
  timeval now{};
  gettimeofday(&now, nullptr);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_usec;
}

void OS_usleep(std::uint32_t microseconds) { usleep(microseconds); }

void OS_sleep(std::uint32_t seconds) { sleep(seconds); }

int OS_system(const char* command) { return std::system(command); }
