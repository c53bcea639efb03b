// The scroller part's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "parts.h"

TEST(ScrollText, MakeUp) {
  const std::string text = TORQ6150_scroll_text;
  ASSERT_EQ(text.size(), 1181u);
  ASSERT_EQ(text.back(), '\n');
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 71u);
  EXPECT_EQ(std::count_if(text.begin(), text.end(), [](unsigned char c) { return std::islower(c); }), 0);
  EXPECT_EQ(lines[0] + lines[1], "");
  EXPECT_EQ(lines[2].rfind("TORQ 6150", 0), 0u);
  EXPECT_EQ(lines[69].rfind("!\"#$%&'()*+,-./0123456789", 0), 0u);
  EXPECT_TRUE(!lines[70].empty() && lines[70].find_first_not_of(' ') == std::string::npos);
  const std::string help =
      "PRESS KEYS: \n5: 25 F.P.S.  \n6: 50 F.P.S.  \n8: FRAMES PER SECOND (F.P.S.)  \n"
      "S: STATS ON/OFF  \nESC,Q: EXIT  \nSPACE: NEXT PART  \nF: FADE ON/OFF  \n"
      "B: BLURR ON/OFF  \nG: GLARE ON/OFF  \nZ,X: LESS,MORE RAYS  \nK,L: RAYS LENGTH  \n"
      "O: MUTE MUSIC  \nP: PAUSE DEMO  \nW: WHITE/BLACK BACKGROUND  \n";
  EXPECT_NE(text.find("  \n" + help + "  "), std::string::npos);
}
