#include <gtest/gtest.h>

#include "work.h"

TEST(Work, ChargesEachKindAtItsCostAndStartsAfresh) {
  WORK_take_ns();
  WORK_charge(WORK_CIRCLE);
  WORK_charge(WORK_CIRCLE);
  WORK_charge(WORK_LINE);
  WORK_charge(WORK_THICK_BICOLOR_LINE);
  EXPECT_EQ(WORK_take_ns(), 2 * 900 + 170 + 1650);
  EXPECT_EQ(WORK_take_ns(), 0);
  const std::uint32_t errors = WORK_module.errors;
  WORK_charge(WORK_KINDS);
  WORK_charge(static_cast<WorkKind>(-1));
  EXPECT_EQ(WORK_module.errors, errors + 2);
  EXPECT_EQ(WORK_take_ns(), 0);
}
