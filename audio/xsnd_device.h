// The sound device behind XSND. The portable part of XSND (the record, its
// queue, cutting blocks, the silent and capture outputs) is the same on
// every platform; each platform brings one file that defines the three
// device functions below, and may use the portable helpers after them.
#pragma once

#include <cstdint>

#include "xsnd.h"

// Opens the platform's device for the format asked in the record (rate,
// format, stereo) and sets the record's block with XSND_set_block; false,
// with nothing left open, when no device could be set up.
bool XSND_device_open(XSND* sound);
// Plays the first n values (n >= 1) of the record's block.
void XSND_device_write(XSND* sound, std::int32_t n);
// Closes the device, letting what it holds play out first where it can.
void XSND_device_close(XSND* sound);

// The zero-filled record with the format asked of every device and an empty
// queue, no output yet; none, reported, when memory runs out.
XSND* XSND_make_record();
// Sets the format asked of every device, which a device may have
// overwritten, and marks the record as having no device and no block size.
void XSND_ask_format(XSND* sound);
// Takes the block size in bytes that the device grants and allocates the
// block; false (nothing allocated, block_samples 0) for a size outside
// 2..XSND_max_block_size or when memory runs out.
bool XSND_set_block(XSND* sound, std::int32_t block_size);
// Counts one 20 ms block as played where nothing plays it, and waits as a
// blocking write to a full device with a 100 ms buffer would.
void XSND_keep_silent_time(XSND* sound);

// Largest block size, in bytes, taken from a device (about six seconds of
// sound); a device that grants more, or less than one value, is treated as a
// failed request.
inline constexpr std::int32_t XSND_max_block_size = 1 << 19;
