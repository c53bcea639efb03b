// LIST: an ordered, growable array of opaque pointer-sized items.
//
// A list never dereferences, compares or frees its items; it owns only its
// slot array. Used as queue (remove at 0), stack (pop) and indexed table.
#pragma once

#include <cstdint>
#include <memory>

#include "module.h"

struct LIST {
  std::uint32_t capacity;           // allocated slots
  std::int32_t count;               // items in use
  std::unique_ptr<void*[]> items;   // slots at count and above are free
};

extern Module LIST_module;

// Reports an error of the LIST module ("LIST error").
void LIST_error();

// A new empty list with 2 slots, or none (reported) when memory runs out.
LIST* LIST_new();
// Frees the list (not its items) and sets the caller's handle to none.
void LIST_free(LIST** handle);
// Appends the item, doubling the capacity when the list is full. When growth
// fails the stored items stay readable, the item is dropped and it is reported.
void LIST_append(LIST* list, void* item);
// Removes and returns the last item; an empty list is reported and yields none.
void* LIST_pop(LIST* list);
// Removes the item at the index; the items above it move down one place.
void LIST_remove(LIST* list, std::int32_t index);
// The item at the index; an index outside 0..count-1 is reported and yields none.
void* LIST_get(const LIST* list, std::int32_t index);
// Grows the slot array to the new capacity, keeping the items; 1 on success,
// 0 (reported) on failure. Never shrinks.
std::int32_t LIST_reserve(LIST* list, std::uint32_t capacity);
