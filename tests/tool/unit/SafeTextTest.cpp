// Unit tests for tools/comparam/SafeText.cpp
#include "SafeText.h"

#include <gtest/gtest.h>

using NComParamTool::OneLine;
using NComParamTool::SafeLines;

TEST(SafeText, ControlCharactersAreEscapedAndTheRestStays) {
  const struct {
    std::string text;
    std::string oneLine;
    std::string lines;
  } cases[] = {
      {"plain text", "plain text", "plain text"},
      {"a\nb", "a\\nb", "a\nb"},
      {"tab\there", "tab\\there", "tab\\there"},
      {"\x1b[31mred", "\\x1b[31mred", "\\x1b[31mred"},
      {"cr\rnul", "cr\\x0dnul", "cr\\x0dnul"},
      {std::string("nul\0byte", 8), "nul\\x00byte", "nul\\x00byte"},
      {"del\x7f", "del\\x7f", "del\\x7f"},
      {"csi\xc2\x9b"
       "2J",
       "csi\\u009b2J", "csi\\u009b2J"},  // U+009B, a C1 control
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
       "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"},     // é, €, an emoji: no controls
      {"\xc2\xa0nbsp", "\xc2\xa0nbsp", "\xc2\xa0nbsp"},  // U+00A0 follows the C1 block
      {"back\\slash", "back\\slash", "back\\slash"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OneLine(c.text), c.oneLine) << c.oneLine;
    EXPECT_EQ(SafeLines(c.text), c.lines) << c.oneLine;
  }
}

TEST(SafeText, WideTextIsEscapedAsUtf8) {
  EXPECT_EQ(OneLine(std::wstring(L"CAN\n1 \u00e9\u009b")), "CAN\\n1 \xc3\xa9\\u009b");
}
