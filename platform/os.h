// The few operating-system services the program uses besides X11: time,
// sleeping and running a command. The headless twin replaces them with a
// virtual clock and a record of the commands.
#pragma once

#include <cstdint>

// Time of day in microseconds.
std::int64_t OS_now_us();
// Sleeps for the given number of microseconds.
void OS_usleep(std::uint32_t microseconds);
// Sleeps for the given number of seconds.
void OS_sleep(std::uint32_t seconds);
// Runs a shell command and returns its status.
int OS_system(const char* command);
