#include "archpath.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "sine_table.h"

namespace {

struct Owned {
  ARCHPATH* path = ARCHPATH_new();
  ~Owned() { ARCHPATH_free(&path); }
};

// Sets the path up to switch arcs on its next step, with the point at `angle`.
void about_to_switch(ARCHPATH* p, std::int32_t x, std::int32_t y, std::int32_t angle,
                     std::int32_t speed) {
  p->x = x;
  p->y = y;
  p->radius = 10;
  p->angle = (angle - speed) & 1023;
  p->speed = speed;
  p->steps = 1;
  p->steps_done = 0;
}

}  // namespace

// The centre moves by (radius + r2) towards the point and wraps once across
// whichever edge it passes; the new arc turns the other way.
TEST(ARCHPATH, ArcSwitchWrapsTheCentreAcrossEachEdge) {
  struct Case {
    std::int32_t x, y, angle;
  };
  for (const Case c : {Case{250, 100, 256}, Case{5, 100, 768}, Case{100, 250, 0},
                       Case{100, 5, 512}}) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " angle " << c.angle);
    Owned o;
    about_to_switch(o.path, c.x, c.y, c.angle, 1);
    std::srand(5);
    const std::int32_t r2 = (std::rand() & 15) + 8;
    const std::int32_t steps = (std::rand() % 2048 + 2048) / 1;
    std::srand(5);
    ARCHPATH_advance(o.path);
    const std::int32_t dx = ((10 + r2) * SINE_TABLE[c.angle]) >> 15;
    const std::int32_t dy = ((10 + r2) * SINE_TABLE[(c.angle + 256) & 1023]) >> 15;
    EXPECT_TRUE(c.x + dx < 0 || c.x + dx >= 256 || c.y + dy < 0 || c.y + dy >= 256);
    EXPECT_EQ(o.path->x, (c.x + dx + 256) % 256);
    EXPECT_EQ(o.path->y, (c.y + dy + 256) % 256);
    EXPECT_EQ(o.path->radius, r2);
    EXPECT_EQ(o.path->steps, steps);
    EXPECT_EQ(o.path->steps_done, 0);
    EXPECT_EQ(o.path->angle, (c.angle + 512) & 1023);
    EXPECT_EQ(o.path->speed, -1);
  }
}

TEST(ARCHPATH, NegativeSpeedGivesPositiveStepsAndFlipsSign) {
  Owned o;
  about_to_switch(o.path, 100, 100, 300, -3);
  std::srand(11);
  std::rand();
  const std::int32_t steps = (std::rand() % 2048 + 2048) / 3;
  std::srand(11);
  ARCHPATH_advance(o.path);
  EXPECT_EQ(o.path->steps, steps);
  EXPECT_EQ(o.path->speed, 3);
}

TEST(ARCHPATH, OneStepArcsSwitchEveryStepWithSmallRadii) {
  Owned o;
  std::srand(3);
  std::int32_t sense = o.path->speed;
  for (int i = 0; i < 500; ++i) {
    o.path->steps = 1;
    ARCHPATH_advance(o.path);
    sense = -sense;
    ASSERT_EQ(o.path->speed, sense);
    ASSERT_GE(o.path->radius, 8);
    ASSERT_LE(o.path->radius, 23);
    ASSERT_GE(o.path->x, 0);
    ASSERT_LT(o.path->x, 256);
    ASSERT_GE(o.path->y, 0);
    ASSERT_LT(o.path->y, 256);
  }
}

TEST(ARCHPATH, PlotWrapsOncePerAxis) {
  Owned o;
  IMG* image = IMG_new();
  IMG_set_size(image, 256, 256);
  o.path->color = 0xABCDEF;
  o.path->radius = 3;
  o.path->x = 0;
  o.path->y = 40;
  o.path->angle = 768;  // straight left: x offset (3 * -32766) >> 15 = -3
  ARCHPATH_plot(o.path, image);
  EXPECT_EQ(IMG_get_pixel(image, 253, 40), 0xABCDEFu);
  o.path->x = 251;
  o.path->radius = 6;
  o.path->angle = 256;  // straight right: 251 + 5 = 256, exactly the width
  ARCHPATH_plot(o.path, image);
  EXPECT_EQ(IMG_get_pixel(image, 0, 40), 0xABCDEFu);
  const auto before = ARCHPATH_module.errors;
  ARCHPATH_plot(o.path, nullptr);
  ARCHPATH_advance(nullptr);
  ARCHPATH* none = nullptr;
  ARCHPATH_free(&none);
  EXPECT_EQ(ARCHPATH_module.errors, before + 3);
  IMG_free(&image);
}
