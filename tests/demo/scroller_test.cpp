// The scroller part and its text, run headless.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "demo_support.h"
#include "parts.h"

TEST(ScrollText, MakeUp) {
  const std::string text = TORQ6150_scroll_text;
  ASSERT_EQ(text.size(), 1181u);
  ASSERT_EQ(text.back(), '\n');
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 71u);
  for (const unsigned char c : text) {
    EXPECT_TRUE(c == '\n' || c == ' ' || std::isupper(c) || std::isdigit(c) || std::ispunct(c))
        << int(c);
  }
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2].rfind("TORQ 6150", 0), 0u);
  EXPECT_EQ(lines[69].rfind("!\"#$%&'()*+,-./0123456789", 0), 0u);
  EXPECT_EQ(lines[70].find_first_not_of(' '), std::string::npos);
  EXPECT_FALSE(lines[70].empty());
  const std::string help =
      "PRESS KEYS: \n5: 25 F.P.S.  \n6: 50 F.P.S.  \n8: FRAMES PER SECOND (F.P.S.)  \n"
      "S: STATS ON/OFF  \nESC,Q: EXIT  \nSPACE: NEXT PART  \nF: FADE ON/OFF  \n"
      "B: BLURR ON/OFF  \nG: GLARE ON/OFF  \nZ,X: LESS,MORE RAYS  \nK,L: RAYS LENGTH  \n"
      "O: MUTE MUSIC  \nP: PAUSE DEMO  \nW: WHITE/BLACK BACKGROUND  \n";
  EXPECT_NE(text.find("  \n" + help + "  "), std::string::npos);
}
