#include "cursor.h"

#include <gtest/gtest.h>

TEST(CURSOR, AdvanceWrapsEitherWayAndRestoreReturns) {
  const struct {
    std::int32_t from, step, to;
  } rows[] = {{0, 1, 1}, {4, 1, 0}, {0, -1, 4}, {2, 13, 0}, {2, -13, 4},
              {4, INT32_MAX, 1}, {0, INT32_MIN, 2}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.from << " + " << r.step);
    CURSOR* c = CURSOR_new();
    CURSOR_set(c, "HELLO", 5, r.step);
    c->position = r.from;
    CURSOR_save(c);
    CURSOR_advance(c);
    EXPECT_EQ(c->position, r.to);
    CURSOR_restore(c);
    EXPECT_EQ(c->position, r.from);
    CURSOR_free(&c);
  }
}

TEST(CURSOR, EmptyTextIsReportedNotDividedBy) {
  const std::uint32_t errors = CURSOR_module.errors;
  CURSOR* c = CURSOR_new();
  CURSOR_set(c, "", 0, 1);
  CURSOR_advance(c);
  EXPECT_EQ(c->position, 0);
  EXPECT_EQ(CURSOR_module.errors, errors + 1);
  CURSOR_free(&c);
}
