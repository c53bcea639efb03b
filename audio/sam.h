// SAM: a holder of one sample buffer, the way a drawing reaches its sound.
//
// The holder refers to its buffer and does not own it.
#pragma once

#include "module.h"
#include "sample.h"

struct SAM {
  SAMPLE* sample;  // the buffer held, not owned; none when empty
};

extern Module SAM_module;

// Reports an error of the SAM module ("SAM error.").
void SAM_error();

// A new empty holder; when memory runs out it reports and ends the process
// with status -1.
SAM* SAM_new();
// Frees the holder (not its buffer) and sets the caller's handle to none; an
// absent handle or holder is reported.
void SAM_free(SAM** handle);
// Makes the holder hold the buffer; a missing holder or buffer is reported and
// changes nothing.
void SAM_set_sample(SAM* holder, SAMPLE* sample);
