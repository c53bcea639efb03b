#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

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

TEST(SineTable, MirrorAndNegationOverEveryEntry) {
  for (int i = 0; i < 1024; ++i) {
    SCOPED_TRACE(i);
    if (i >= 256 && i < 512) {
      EXPECT_EQ(SINE_TABLE[i], SINE_TABLE[511 - i]);
    }
    if (i >= 512) {
      EXPECT_EQ(SINE_TABLE[i], -SINE_TABLE[i - 512]);
    }
    // Every entry stays within one unit of the exact sine of its own index
    // or, in the mirrored quarter, of its mirror's.
    const int source = (i & 511) < 256 ? (i & 511) : 511 - (i & 511);
    const double exact = 32767.0 * std::sin(2.0 * 3.14159265358979 * source / 1024.0);
    EXPECT_NEAR(std::abs(SINE_TABLE[i]), exact, 1.0);
  }
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
