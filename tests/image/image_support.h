// Owned images for the tests of every module that draws.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "img.h"

// An image freed with its scope, passed to the modules' calls as its IMG*.
class Image {
 public:
  // A new width x height image with every pixel `colour`.
  Image(std::int32_t width, std::int32_t height, std::uint32_t colour = 0) : image_(IMG_new()) {
    IMG_set_size(image_, width, height);
    std::fill(begin(), end(), colour);
  }
  // Takes over an image made elsewhere, or none.
  explicit Image(IMG* image) : image_(image) {}
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  ~Image() {
    if (image_ != nullptr) IMG_free(&image_);
  }
  operator IMG*() const { return image_; }  // NOLINT: passed to the drawing calls
  IMG* operator->() const { return image_; }
  IMG* get() const { return image_; }
  std::uint32_t* begin() const { return image_->pixels.get(); }
  std::uint32_t* end() const { return begin() + image_->width * image_->height; }
  // The pixels row after row.
  std::vector<std::uint32_t> all() const { return {begin(), end()}; }

 private:
  IMG* image_;
};
