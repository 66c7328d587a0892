#include "app/command_line.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLine, WordsAtBlanksAndTabsQuotesMeanNothing) {
  EXPECT_EQ(SplitArguments("  /D:7\t/F:\"my bolt\"  "), (Words{"/D:7", "/F:\"my", "bolt\""}));
  const char* argv[] = {"boltgen", "/D:7", "/F:a b"};
  EXPECT_EQ(JoinArguments(3, argv), "/D:7 /F:a b");
  EXPECT_EQ(JoinArguments(1, argv), "");
  EXPECT_FALSE(AsksForHelp({"--HELP", "/D:7", "-h"}));
}

// The words, the blanks and the misspellings are the program's own; "--help"
// alone adds one line per added switch, each one the parser knows (it turns a
// flag on) and listed once.
TEST(CommandLine, HelpTextAndTheAddedSwitches) {
  const std::string_view text = HelpText();
  EXPECT_TRUE(text.starts_with("Quillfen Bolt Generator command line arguments:\n"));
  for (const char* line : {"\n/?  Invoke help (this message box) and exit.\n",
                           "1=True\n\nExample:\n", "\n    IN-0750x13UNCx03000(3D-36).SCR\n",
                           "includeing: washer face, head radius and sharp point threads. \n"}) {
    EXPECT_NE(text.find(line), text.npos) << line;
  }
  EXPECT_TRUE(text.ends_with("\nIt would NOT include nuts."));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
  const std::string added = HelpTextWithAddedSwitches();
  ASSERT_EQ(added.substr(0, text.size()), text);
  Words keys;
  for (std::size_t at = added.find("\n/", text.size()); at != std::string::npos;
       at = added.find("\n/", at + 1)) {
    keys.push_back(added.substr(at + 1, 3));
  }
  EXPECT_EQ(keys, (Words{"/M:", "/X:", "/E:"}));
  for (const std::string& key : keys) {
    EXPECT_FALSE(ParseSwitches({key + "1"}) == ParseSwitches({key + "0"})) << key;
  }
}

TEST(CommandLine, FlagsAreOffOnlyForExactlyZeroAndKeysMatchExactly) {
  using S = SwitchSettings;
  const struct {
    Words words;
    bool S::*flag;
    bool expected;
  } cases[] = {
      {{"/B:"}, &S::blocks, true},       {{"/B:00"}, &S::blocks, true},
      {{"/B: 0x"}, &S::blocks, true},    {{"/T:0  "}, &S::no_threads, false},
      {{"/A:0", "/A:1"}, &S::sharp_threads, true},  {{"/E:1", "/E:0"}, &S::dxf, false},
      {{"/F:bolt"}, &S::stl, false},     {{"/M:1"}, &S::stl, true},
      {{"/m:1"}, &S::stl, false},        {{"/t:0", "/T", "x", "/X:0", "T:0"}, &S::no_threads, true},
      {{"/X:1", "/X:0"}, &S::threemf, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseSwitches(c.words).*c.flag, c.expected) << testing::PrintToString(c.words);
  }
  const SwitchSettings s = ParseSwitches({"/D:2.5", "/P:1e0", "/L:3/4", "/S:-1", "/d:3", "D:4"});
  EXPECT_EQ(s.size_index, 2.5);
  EXPECT_EQ(s.pitch_index, 1);
  EXPECT_EQ(s.length, 3);
  EXPECT_EQ(s.segments_index, -1);
  EXPECT_EQ(s.size_value + s.pitch_value + s.segments_value, "2.51e0-1");
  // An index must be a number as a whole (NaN names no entry); the length keeps
  // its leading number.
  for (const char* word : {"/D:abc", "/D:nan", "/D:", "/D:1x", "/D:0x10", "/D:1 1/4"}) {
    EXPECT_TRUE(std::isnan(ParseSwitches({word}).size_index)) << word;
  }
  EXPECT_TRUE(std::isnan(ParseSwitches({"/P:x"}).pitch_index));
  EXPECT_TRUE(std::isnan(ParseSwitches({"/S:"}).segments_index));
  EXPECT_EQ(ParseSwitches({"/L:2.5in"}).length, 2.5);
}

// A length that is no number is named for what it is, not taken for 0 and
// then refused as a bolt too short for its pitch.
TEST(CommandLine, ALengthThatIsNoNumberIsNamed) {
  for (const char* value : {"inf", "-INF", "+Infinity", "nan"}) {
    const std::string problem = LengthSwitchProblem(ParseSwitches({std::string("/L:") + value}).length_value);
    EXPECT_EQ(problem, std::string("The switch /L:") + value +
                           " is not a finite number. Give a length such as /L:3.");
  }
  for (const char* value : {"abc", "-", ".", "in3"}) {
    const std::string problem = LengthSwitchProblem(value);
    EXPECT_NE(problem.find(std::string("/L:") + value + " is not a number"), std::string::npos) << problem;
  }
  for (const char* value : {"", "3", "0", "-2.5", "+.5", ".75in", "3/4", "1e3"})
    EXPECT_EQ(LengthSwitchProblem(value), "") << value;
}

}  // namespace
}  // namespace boltgen
