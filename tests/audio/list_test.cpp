#include "list.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Distinct item words that are never dereferenced.
void* item(std::intptr_t n) { return reinterpret_cast<void*>(n * 16); }

}  // namespace

TEST(LIST, GrowthQueueAndStackOrder) {
  LIST* list = LIST_new();
  ASSERT_NE(list, nullptr);
  const std::uint32_t capacity_after[] = {2, 2, 2, 4, 4, 8, 8, 8, 8, 16};
  for (int i = 0; i <= 9; ++i) {
    EXPECT_EQ(list->capacity, capacity_after[i]) << "after " << i << " appends";
    LIST_append(list, item(i + 1));
  }
  EXPECT_EQ(LIST_reserve(list, 4), 1);  // never shrinks
  EXPECT_EQ(list->capacity, 16u);
  EXPECT_EQ(LIST_pop(list), item(10));  // last in, first out
  EXPECT_EQ(list->items[9], item(10));  // popping leaves the word in its slot
  LIST_remove(list, 0);                 // first in, first out
  EXPECT_EQ(list->count, 8);
  EXPECT_EQ(LIST_get(list, 0), item(2));
  EXPECT_EQ(LIST_get(list, 7), item(9));
  EXPECT_EQ(list->items[8], nullptr);  // the slot that fell free is cleared
  while (list->count > 1) LIST_pop(list);
  LIST_remove(list, 0);
  EXPECT_EQ(list->count, 0);
  EXPECT_EQ(list->items[0], nullptr);
  LIST_free(&list);
  EXPECT_EQ(list, nullptr);
}

TEST(LIST, BadAccessIsReportedAndYieldsNothing) {
  LIST* list = LIST_new();
  LIST_append(list, item(1));
  LIST_append(list, item(2));
  LIST_pop(list);  // slot 1 still holds item(2)
  const auto before = LIST_module.errors;
  EXPECT_EQ(LIST_get(list, 1), nullptr);  // never the stale word
  EXPECT_EQ(LIST_get(list, -1), nullptr);
  LIST_remove(list, 1);
  EXPECT_EQ(list->count, 1);
  EXPECT_EQ(LIST_get(nullptr, 0), nullptr);
  LIST_append(nullptr, item(1));
  LIST_pop(list);
  EXPECT_EQ(LIST_pop(list), nullptr);  // empty
  LIST_free(&list);
  LIST_free(&list);  // already none
  EXPECT_EQ(LIST_module.errors, before + 7);
}
