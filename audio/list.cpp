#include "list.h"

#include <algorithm>
#include <climits>
#include <new>

Module LIST_module{MODULE_record("LIST    "), "LIST error", 0, 0};

void LIST_error() { MODULE_report(LIST_module); }

LIST* LIST_new() {
  LIST* list = new (std::nothrow) LIST{};
  if (list == nullptr) {
    LIST_error();
    return nullptr;
  }
  if (LIST_reserve(list, 2) == 0) {  // reported by LIST_reserve
    delete list;
    return nullptr;
  }
  return list;
}

void LIST_free(LIST** handle) { MODULE_free_record(LIST_module, handle); }

std::int32_t LIST_reserve(LIST* list, std::uint32_t capacity) {
  if (list == nullptr) {
    LIST_error();
    return 0;
  }
  if (capacity <= list->capacity) return 1;
  std::unique_ptr<void*[]> items(new (std::nothrow) void*[capacity]());
  if (items == nullptr) {
    LIST_error();
    return 0;
  }
  if (list->count > 0) std::copy_n(list->items.get(), list->count, items.get());
  list->items = std::move(items);
  list->capacity = capacity;
  return 1;
}

void LIST_append(LIST* list, void* item) {
  if (list == nullptr || list->count == INT32_MAX) {
    LIST_error();
    return;
  }
  if (static_cast<std::uint32_t>(list->count) >= list->capacity) {
    // Doubling from at most 2^31 slots cannot overflow: count stays below 2^31.
    const std::uint32_t grown = list->capacity == 0 ? 2 : list->capacity * 2;
    if (LIST_reserve(list, grown) == 0) return;  // reported; the item is dropped
  }
  list->items[list->count] = item;
  ++list->count;
}

void* LIST_pop(LIST* list) {
  if (list == nullptr || list->count <= 0) {
    LIST_error();
    return nullptr;
  }
  --list->count;
  return list->items[list->count];
}

void LIST_remove(LIST* list, std::int32_t index) {
  if (list == nullptr || index < 0 || index >= list->count) {
    LIST_error();
    return;
  }
  void** items = list->items.get();
  std::copy(items + index + 1, items + list->count, items + index);
  --list->count;
  items[list->count] = nullptr;
}

void* LIST_get(const LIST* list, std::int32_t index) {
  if (list == nullptr || index < 0 || index >= list->count) {
    LIST_error();
    return nullptr;
  }
  return list->items[index];
}
