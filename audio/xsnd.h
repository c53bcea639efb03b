// XSND: the sound device. Plays sample buffers from a queue as signed 16-bit
// little-endian mono at 44100 values per second, one device block per call.
//
// The device is the OSS digital audio device "/dev/dsp". Where it cannot be
// opened or refuses one of its set-up requests, the same stream goes to
// ALSA's "default" PCM through libasound, which is loaded at run time (and a
// refusing device is closed); where neither is there, the record still
// exists and playing writes nothing but keeps a device's time, so that the
// show runs at the same pace with and without sound. Opening failures are
// reported once. An offline capture replaces the device by a capture output
// (XSND_use_capture) that hands each block to the capture with its time.
#pragma once

#include <cstdint>
#include <memory>

#include "list.h"
#include "module.h"
#include "sample.h"

// Takes one block of the capture output: `count` values, which start to play
// at the virtual time `start_us`, a multiple of 20 ms.
using XSND_sink = void (*)(const std::int16_t* block, std::int32_t count, std::int64_t start_us);

struct XSND {
  std::int32_t rate;        // values per second asked of the device: 44100; the device may write back another
  std::int32_t format;      // sample format code: 16, signed 16-bit little-endian
  std::int32_t stereo;      // 0: one channel
  const char* path;         // the OSS device path, "/dev/dsp"
  std::int32_t fd;          // the open OSS device, negative when not open
  std::int32_t block_size;  // bytes per device block, as the device reports it
  LIST* queue;              // SAMPLE buffers waiting to be played, oldest first; the buffers are not owned
  SAMPLE* current;          // the buffer being played (the head of the queue)
  std::int32_t position;    // index in current of the next value to play
  std::unique_ptr<std::int16_t[]> block;  // one block of output, block_samples entries
  std::int32_t block_samples;             // block_size / 2; 0 while there is no output
  void* pcm;                // the ALSA PCM when the stream goes through ALSA, otherwise none
  std::int64_t silent_due_us;  // without an output: the time (OS_now_us) by which a device would
                               // have played every block counted so far
  XSND_sink capture;           // the capture output's sink, or none for a device
  std::int64_t capture_end_us; // the capture output: when its last block has played
};

extern Module XSND_module;

// Reports an error of the XSND module ("XSND error").
void XSND_error();

// Opens "/dev/dsp" (or ALSA's "default" PCM when "/dev/dsp" cannot be opened
// or set up) for 16-bit mono at 44100 per second and returns the record, which plays
// silently after one report when no output could be set up; none, reported,
// only when the record cannot be allocated.
XSND* XSND_new();
// Makes every later XSND_new return a capture output feeding the sink (none:
// back to the devices), whose blocks of 882 values (20 ms) play on the
// platform's clock like a device with room for one block: a write waits
// (OS_usleep) until the previous block has played, and a block starts at the
// later of that block's end and the time of the write rounded down to a
// multiple of 20 ms, so that every block fills one 20 ms slot.
void XSND_use_capture(XSND_sink sink);
// Writes at most one block from the head of the queue, removing (not freeing)
// a buffer played to its end; a missing record is reported and nothing
// happens, a queued item that is no buffer is reported and dropped, and a
// record without a queue just gets a new empty one. Without an output it
// writes nothing, leaves the queue as it is, counts one frame's block of 882
// values and sleeps (OS_usleep) only while the blocks counted are more than a
// 100 ms buffer ahead of what a device playing 44100 values per second would
// have played by now.
void XSND_play(XSND* sound);
// Closes the device (draining an ALSA stream first), frees the record with its
// queue and block but not the queued buffers, and sets the caller's handle to
// none; an absent handle is reported and nothing is freed.
void XSND_free(XSND** handle);
