#include "sam.h"

#include <gtest/gtest.h>

TEST(SAM, HoldsTheBufferGivenAndReportsMissingOnes) {
  SAM* holder = SAM_new();
  SAMPLE* buffer = SAMPLE_new();
  const auto errors = SAM_module.errors;
  SAM_set_sample(holder, buffer);
  SAM_set_sample(holder, nullptr);  // keeps the buffer
  SAM_set_sample(nullptr, buffer);
  EXPECT_EQ(holder->sample, buffer);
  EXPECT_EQ(SAM_module.errors, errors + 2);
  SAM_free(&holder);
  EXPECT_EQ(holder, nullptr);
  SAMPLE_free(&buffer);  // the holder did not own it
}
