#include "list.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(LIST, GrowsDoublingAndServesAsStackAndQueue) {
  const auto item = [](std::intptr_t n) { return reinterpret_cast<void*>(n * 16); };  // opaque
  LIST* list = LIST_new();
  for (const std::uint32_t capacity : {2u, 2u, 2u, 4u, 4u, 8u}) {
    EXPECT_EQ(list->capacity, capacity) << list->count;
    LIST_append(list, item(list->count + 1));
  }
  EXPECT_EQ(LIST_reserve(list, 4), 1);  // never shrinks
  EXPECT_EQ(list->capacity, 8u);
  EXPECT_EQ(LIST_pop(list), item(6));  // slot 5 keeps the stale word
  const auto before = LIST_module.errors;
  EXPECT_EQ(LIST_get(list, 5), nullptr);
  EXPECT_EQ(LIST_get(list, -1), nullptr);
  LIST_remove(list, 5);
  LIST_append(nullptr, item(1));
  EXPECT_EQ(LIST_module.errors, before + 4);
  EXPECT_EQ(list->count, 5);
  LIST_remove(list, 0);
  EXPECT_EQ(LIST_get(list, 0), item(2));
  EXPECT_EQ(LIST_get(list, 3), item(5));
  EXPECT_EQ(list->items[4], nullptr);  // the slot that fell free is cleared
  while (list->count > 0) LIST_pop(list);
  EXPECT_EQ(LIST_pop(list), nullptr);
  LIST_free(&list);
  LIST_free(&list);
  EXPECT_EQ(LIST_module.errors, before + 6);
}
