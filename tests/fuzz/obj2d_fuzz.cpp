// Fuzz target of the 2D object parser: any bytes must give a list whose
// objects hold both points of every segment, and that draw and export,
// without reading outside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "obj2d.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LIST* objects = OBJ2D_parse(data, size);
  if (objects == nullptr) std::abort();  // only missing data is refused
  IMG* image = IMG_new();
  SAMPLE* exported = SAMPLE_new();
  for (std::int32_t i = 0; i < objects->count; ++i) {
    auto* object = static_cast<OBJ2D*>(LIST_get(objects, i));
    if (object == nullptr) continue;
    const LIST* segments = object->segments;
    if (object->points->count != 2 * segments->count) std::abort();
    for (std::int32_t j = 0; j < segments->count; ++j) {
      auto* segment = static_cast<SEG2D*>(LIST_get(segments, j));
      if (LIST_get(object->points, 2 * j) != &segment->a ||
          LIST_get(object->points, 2 * j + 1) != &segment->b) {
        std::abort();
      }
    }
    object->scale = VEC2D{3, -2, 0};
    object->angle = 100;
    object->position = VEC2D{7, 9, 0};
    OBJ2D_draw(object, image);
    OBJ2D_export(object, exported);
  }
  SAMPLE_free(&exported);
  IMG_free(&image);
  OBJ2D_free_list(&objects);
  return 0;
}
