// The headless twin behaves as the X11 platform does where the demo can tell.
#include <gtest/gtest.h>

#include "headless.h"
#include "xdpy.h"
#include "xkbd.h"

TEST(HeadlessXDPY, PresentsOnlyImagesOfTheWindowSize) {
  headless::reset();
  XDPY* display = XDPY_new();
  ASSERT_EQ(display, XDPY_new());  // one program-wide record
  EXPECT_EQ(display->width, 256);
  const unsigned long first_window = XDPY_window_id();
  XDPY_set_size(display, 64, 32);
  EXPECT_NE(XDPY_window_id(), first_window);
  EXPECT_EQ(display->width, 64);
  EXPECT_EQ(display->height, 32);

  IMG* image = IMG_new();
  const auto before = XDPY_module.errors;
  XDPY_present(display, image);  // 16 x 16 into a 64 x 32 window
  EXPECT_EQ(XDPY_module.errors, before + 1);
  EXPECT_EQ(headless::presents(), 0u);
  IMG_set_size(image, 64, 32);
  IMG_set_pixel(image, 5, 6, 0x123456);
  XDPY_present(display, image);
  XDPY_present(display, image);
  ASSERT_EQ(headless::presents(), 2u);
  EXPECT_EQ(headless::frame_hashes()[0], headless::frame_hashes()[1]);
  EXPECT_EQ(headless::last_frame()[6 * 64 + 5], 0x123456u);
  XDPY_set_size(display, 0, 32);
  EXPECT_EQ(display->width, 64);
  XDPY_set_size(display, 256, 256);
  IMG_free(&image);
}

TEST(HeadlessXKBD, PollsOneKeyAtATimeInOrder) {
  headless::reset();
  XKBD* keyboard = XKBD_new();
  ASSERT_EQ(keyboard, XKBD_new());
  keyboard->key_buffer[0] = 'z';
  EXPECT_EQ(XKBD_poll(keyboard), 0);
  EXPECT_EQ(keyboard->key_buffer[0], 'z');  // untouched without a key press
  headless::press("abc");
  headless::request_close();
  for (char expected : {'a', 'b', 'c', '\x1b'}) {
    EXPECT_EQ(XKBD_poll(keyboard), 1);
    EXPECT_EQ(keyboard->key_buffer[0], expected);
  }
  EXPECT_EQ(XKBD_poll(keyboard), 0);
  const auto before = XKBD_module.errors;
  EXPECT_EQ(XKBD_poll(nullptr), 0);
  EXPECT_EQ(XKBD_module.errors, before + 1);
}

TEST(HeadlessXKBD, WaitingAdvancesTheClockByItsTimeout) {
  headless::reset();
  XKBD* keyboard = XKBD_new();
  XKBD_wait(keyboard, 10);
  EXPECT_EQ(headless::now_us(), 10000);
}
