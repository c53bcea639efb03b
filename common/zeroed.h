// Zero-filled arrays that leave fresh memory untouched.
//
// `new T[n]()` writes every element, so a big array touches all its pages at
// once: each first touch is a page fault, and the kernel has zeroed every
// such page already. calloc knows when its memory comes fresh from the
// system and then skips the fill, so pages that nobody writes are never
// touched at all. Image and sample arrays are allocated this way: the sheet
// of big letters (32 MiB, of which the letters cover about half) and the
// instrument bank (13 MB) are made once at start, and writing them only once
// halves their cost.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>

// Gives a ZeroedArray's memory back to calloc's allocator.
struct ZeroedFree {
  void operator()(void* memory) const noexcept { std::free(memory); }
};

// An owned array of zero-filled elements of a trivial type.
template <typename T>
using ZeroedArray = std::unique_ptr<T[], ZeroedFree>;

// `count` zero elements, or none when memory runs out.
template <typename T>
ZeroedArray<T> ZEROED_array(std::size_t count) {
  static_assert(std::is_trivial_v<T>, "calloc makes only trivial elements");
  return ZeroedArray<T>(static_cast<T*>(std::calloc(count == 0 ? 1 : count, sizeof(T))));
}
