#include "app/command_line.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

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
  // The program's own lines stand as they were; the rule of the words follows.
  EXPECT_NE(text.find("\nIt would NOT include nuts.\n\nAll switches may be given"), text.npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
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

// Every word counts, however many there are; the words that change nothing
// are named: no switch (letter case counts, a key has its colon), or one a
// later switch of the same key replaces.
TEST(CommandLine, NoWordIsDroppedAndUnusedOnesAreNamed) {
  const Words words = SplitArguments("/D:7 /P:0 /L:3 /S:1 /T:0 /N:1 /B:1 /G:1 /M:1 /X:1 /E:1");
  EXPECT_EQ(words.size(), 11u);
  EXPECT_TRUE(ParseSwitches(words).dxf);
  EXPECT_TRUE(UnusedWords(words).empty());
  EXPECT_EQ(UnusedWords({"/e:1", "/E", "/E:0", "x", "/E:1", "/F:a", "/F:"}),
            (Words{"Not used: \"/e:1\" is no switch (see --help; letter case counts).",
                   "Not used: \"/E\" is no switch (see --help; letter case counts).",
                   "Not used: \"/E:0\", replaced by the later \"/E:1\".",
                   "Not used: \"x\" is no switch (see --help; letter case counts).",
                   "Not used: \"/F:a\", replaced by the later \"/F:\"."}));
  // Each key the parser acts on is known, and each known key changes a setting.
  for (std::string_view key : KnownSwitches()) {
    const std::string word = std::string(key) + "0";
    EXPECT_TRUE(UnusedWords({word}).empty()) << key;
    EXPECT_FALSE(ParseSwitches({word}) == ParseSwitches({std::string(key) + "1"}) &&
                 ParseSwitches({word}) == ParseSwitches({})) << key;
  }
}

// The manual's switch table is the program's: one row for each switch the
// parser knows, and none for a switch it does not.
TEST(CommandLine, TheManualsSwitchTableListsEverySwitch) {
  std::ifstream manual(BOLTGEN_SOURCE_DIR "/docs/manual.md");
  ASSERT_TRUE(manual.good());
  std::multiset<std::string> rows;
  for (std::string line; std::getline(manual, line);) {
    if (line.starts_with("| `/") && line.size() > 6) rows.insert(line.substr(3, 3));
  }
  const std::multiset<std::string> known(KnownSwitches().begin(), KnownSwitches().end());
  EXPECT_EQ(rows, known);
}

}  // namespace
}  // namespace boltgen
