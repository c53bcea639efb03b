#include <gtest/gtest.h>

#include "module.h"
#include "sine_table.h"

TEST(SineTable, QuarterWaveFacts) {
  EXPECT_EQ(SINE_TABLE.size, 1024);
  EXPECT_EQ(SINE_TABLE.mask, 1023);
  EXPECT_EQ(SINE_TABLE[0], 0);
  EXPECT_EQ(SINE_TABLE[255], 32766);
  EXPECT_EQ(SINE_TABLE[256], 32766);
  EXPECT_EQ(SINE_TABLE[511], 0);
  EXPECT_EQ(SINE_TABLE[128], 23170);  // 32767 * sin(pi / 4) = 23169.77
  EXPECT_EQ(SINE_TABLE[1], 201);      // 32767 * sin(2 pi / 1024) = 201.06
}

TEST(Module, ReportCountsAndPrintsOnlyWithDebugSwitch) {
  Module quiet{MODULE_record("QUIET   "), "QUIET error", 0, 0};
  Module loud{MODULE_record("LOUD    "), "LOUD error", 1, 0};
  Module mute{MODULE_record("MUTE    "), nullptr, 1, 0};
  testing::internal::CaptureStdout();
  MODULE_report(quiet);
  MODULE_report(loud);
  MODULE_report(mute);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "LOUD error\n");
  EXPECT_EQ(quiet.errors, 1u);
  EXPECT_EQ(loud.errors, 1u);
  EXPECT_EQ(mute.errors, 1u);
}
