#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "module.h"
#include "sine_table.h"
#include "wrap.h"

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

TEST(SineTable, HalvesRoundUpInSinglePrecision) {
  for (int i = 0; i < 256; ++i) {
    const float product =
        32767.0f * std::sin(2.0f * 3.14159265358979f * static_cast<float>(i) / 1024.0f);
    EXPECT_EQ(SINE_TABLE[i], static_cast<int>(std::floor(product + 0.5f))) << i;
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

TEST(Module, RecordTextsAreEightCharacters) {
  constexpr ModuleRecord record = MODULE_record("XDPY    ", "XWINDOWS");
  EXPECT_STREQ(record.name.text, "XDPY    ");
  EXPECT_STREQ(record.version.text, "20261206");
  EXPECT_STREQ(record.author.text, "Vantorik");
  EXPECT_STREQ(record.platform.text, "XWINDOWS");
  EXPECT_STREQ(record.kind.text, "CODE    ");
}

TEST(Wrap, WrapsInsteadOfOverflowing) {
  EXPECT_EQ(wrap_add(0x7FFFFFFF, 2), -0x7FFFFFFF);
  EXPECT_EQ(wrap_mul(0x10000, 0x8000), INT32_MIN);
  EXPECT_EQ(wrap_mul(-3, 7), -21);
}
