// Ways into the Linux sound device below XSND_new, shared with the tests: the
// same opening and playing code, pointed at another device or at any file
// descriptor.
#pragma once

#include <cstdint>

#include "xsnd.h"
#include "xsnd_device.h"

// The OSS path and ALSA PCM name that XSND_new opens.
inline constexpr const char* XSND_oss_path = "/dev/dsp";
inline constexpr const char* XSND_alsa_name = "default";

// Bytes per block on the ALSA output: 896 values, a little more than the 882
// that one frame at 50 frames per second takes from 44100 per second, so that
// the blocking writes hold the frame loop to the music's pace.
inline constexpr std::int32_t XSND_alsa_block_size = 896 * 2;

// XSND_new with another OSS device path and ALSA PCM name: opens the OSS
// device at oss_path or, when it cannot be opened or set up, the ALSA PCM
// alsa_name (no ALSA attempt when alsa_name is none). Both texts must outlive
// the record.
XSND* XSND_open(const char* oss_path, const char* alsa_name);
// A record that writes its blocks of block_size bytes to the open descriptor
// fd, which it takes over (XSND_free closes it); path stays none. A block size
// outside 2..XSND_max_block_size is reported and the record plays silently.
XSND* XSND_new_on_fd(int fd, std::int32_t block_size);
