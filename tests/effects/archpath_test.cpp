#include "archpath.h"
#include "rng.h"

#include <gtest/gtest.h>

#include "image/image_support.h"

// An arc about to switch: srand(5) draws r2 = 19 and an arc of 4061 entries,
// so the centre moves 29 towards the point (29 x 32766 >> 15 = 28 or -29 on
// the axis) and wraps once across whichever edge it passes; the new arc turns
// the other way, its length divided by |speed|.
TEST(ARCHPATH, ArcSwitchWrapsTheCentreAcrossEachEdge) {
  const struct {
    std::int32_t x, y, angle, speed, new_x, new_y, steps;
  } rows[] = {{250, 100, 256, 1, 22, 100, 4061},  {5, 100, 768, 1, 232, 100, 4061},
              {100, 250, 0, 1, 100, 22, 4061},    {100, 5, 512, 1, 100, 232, 4061},
              {250, 100, 256, -3, 22, 100, 1353}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << "," << r.y << " angle " << r.angle);
    ARCHPATH* p = ARCHPATH_new();
    *p = ARCHPATH{r.x, r.y, 0, 256, 256, 256, (r.angle - r.speed) & 1023, r.speed, 10, 1, 0, 0};
    RNG_srand(5);
    ARCHPATH_advance(p);
    EXPECT_EQ(p->x, r.new_x);
    EXPECT_EQ(p->y, r.new_y);
    EXPECT_EQ(p->radius, 19);
    EXPECT_EQ(p->steps, r.steps);
    EXPECT_EQ(p->steps_done, 0);
    EXPECT_EQ(p->angle, (r.angle + 512) & 1023);
    EXPECT_EQ(p->speed, -r.speed);
    ARCHPATH_free(&p);
  }
}

TEST(ARCHPATH, PlotWrapsOncePerAxis) {
  ARCHPATH* p = ARCHPATH_new();
  const Image image(256, 256);
  p->color = 0xABCDEF;
  p->radius = 3;
  p->x = 0;
  p->y = 40;
  p->angle = 768;  // straight left: x offset (3 * -32766) >> 15 = -3
  ARCHPATH_plot(p, image);
  EXPECT_EQ(IMG_get_pixel(image, 253, 40), 0xABCDEFu);
  p->x = 251;
  p->radius = 6;
  p->angle = 256;  // straight right: 251 + 5 = 256, exactly the width
  ARCHPATH_plot(p, image);
  EXPECT_EQ(IMG_get_pixel(image, 0, 40), 0xABCDEFu);
  const auto before = ARCHPATH_module.errors;
  ARCHPATH_plot(p, nullptr);
  ARCHPATH_advance(nullptr);
  EXPECT_EQ(ARCHPATH_module.errors, before + 2);
  ARCHPATH_free(&p);
}
