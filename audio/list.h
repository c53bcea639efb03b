// LIST: an ordered, growable array of opaque pointer-sized items.
//
// A list never dereferences, compares or frees its items; it owns only its
// slot array. Used as queue (remove at 0), stack (pop) and indexed table.
// Every operation handed no list reports through LIST_error and does nothing.
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

// A new empty list with 2 slots, or none (reported) when memory runs out for
// the record or its slots.
LIST* LIST_new();
// Frees the list (not its items) and sets the caller's handle to none; an
// absent handle or list is reported.
void LIST_free(LIST** handle);
// Appends the item, doubling the capacity when the list is full (a list of no
// slots grows to 2). When growth fails, or the count would pass INT32_MAX, the
// stored items stay as they are, the item is dropped and it is reported once.
void LIST_append(LIST* list, void* item);
// Removes and returns the last item (its slot keeps the word); an empty list is
// reported and yields none.
void* LIST_pop(LIST* list);
// Removes the item at the index; the items above it move down one place and
// the slot that falls free is set to none. An index outside 0..count-1 is
// reported and changes nothing.
void LIST_remove(LIST* list, std::int32_t index);
// The item at the index; an index outside 0..count-1 is reported and yields
// none, never the stale word of a free slot.
void* LIST_get(const LIST* list, std::int32_t index);
// Grows the slot array to the new capacity, keeping the items; 1 on success,
// 0 (reported) on failure. Never shrinks: a capacity not above the current
// one changes nothing and yields 1.
std::int32_t LIST_reserve(LIST* list, std::uint32_t capacity);
