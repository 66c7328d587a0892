#include "app/command_line.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Words = std::vector<std::string>;

TEST(SplitArguments, BlanksAndTabsSeparateQuotesDoNot) {
  EXPECT_EQ(SplitArguments(""), Words{});
  EXPECT_EQ(SplitArguments(" \t "), Words{});
  EXPECT_EQ(SplitArguments("  /D:7\t/P:1  "), (Words{"/D:7", "/P:1"}));
  EXPECT_EQ(SplitArguments("/F:\"my bolt\""), (Words{"/F:\"my", "bolt\""}));
}

TEST(SplitArguments, KeepsAtMostTheRequestedWords) {
  const auto words = SplitArguments("1 2 3 4 5 6 7 8 9 10 11?");
  ASSERT_EQ(words.size(), 10u);
  EXPECT_EQ(words.back(), "10");
  EXPECT_FALSE(AsksForHelp(words));  // the eleventh word is never looked at
  EXPECT_EQ(SplitArguments("a b c", 2), (Words{"a", "b"}));
}

TEST(JoinArguments, JoinsWithSingleBlanks) {
  const char* argv[] = {"boltgen", "/D:7", "/F:a b"};
  EXPECT_EQ(JoinArguments(3, argv), "/D:7 /F:a b");
  EXPECT_EQ(JoinArguments(1, argv), "");
}

TEST(AsksForHelp, QuestionMarkAnywhereOrLongOption) {
  EXPECT_TRUE(AsksForHelp({"/D:7", "/F:a?b"}));
  EXPECT_TRUE(AsksForHelp({"?"}));
  EXPECT_TRUE(AsksForHelp({"--help"}));
  EXPECT_FALSE(AsksForHelp({"--HELP", "/D:7", "-h"}));
}

TEST(HelpText, ExactLines) {
  const std::string_view text = HelpText();
  EXPECT_EQ(text.substr(0, 48), "Quillfen Bolt Generator command line arguments:\n");
  EXPECT_NE(text.find("\n/?  Invoke help (this message box) and exit.\n"), std::string_view::npos);
  EXPECT_NE(text.find("1=True\n\nExample:\n"), std::string_view::npos);
  EXPECT_NE(text.find("\n    IN-0750x13UNCx03000(3D-36).SCR\n"), std::string_view::npos);
  EXPECT_NE(text.find("includeing: washer face, head radius and sharp point threads. \n"),
            std::string_view::npos);
  EXPECT_EQ(text.substr(text.size() - 27), "\nIt would NOT include nuts.");
  int lines = 1;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(lines, 21);
  EXPECT_EQ(text.find('\r'), std::string_view::npos);
}

TEST(ParseSwitches, DefaultsWhenOnlyAFileNameIsGiven) {
  const SwitchSettings s = ParseSwitches({"/F:bolt.scr"});
  EXPECT_EQ(s.size_index, 7);
  EXPECT_EQ(s.pitch_index, 0);
  EXPECT_EQ(s.length, 3);
  EXPECT_EQ(s.segments_index, 1);
  EXPECT_TRUE(s.threads);
  EXPECT_TRUE(s.washer_face);
  EXPECT_TRUE(s.head_radius);
  EXPECT_TRUE(s.sharp_threads);
  EXPECT_FALSE(s.nuts);
  EXPECT_FALSE(s.process_and_exit);
  EXPECT_FALSE(s.blocks);
  EXPECT_EQ(s.file_name, "bolt.scr");
}

TEST(ParseSwitches, FlagsAreOffOnlyForExactlyZero) {
  for (const char* value : {"1", "", "00", "no", " 0x"}) {
    EXPECT_TRUE(ParseSwitches({std::string("/B:") + value}).blocks) << value;
  }
  EXPECT_FALSE(ParseSwitches({"/T:0"}).threads);
  EXPECT_FALSE(ParseSwitches({"/T:0  "}).threads);  // the value is trimmed
  EXPECT_FALSE(ParseSwitches({"/A:0"}).sharp_threads);
  EXPECT_TRUE(ParseSwitches({"/A:0", "/A:1"}).sharp_threads);  // the later one wins
}

TEST(ParseSwitches, KeysAreCaseSensitiveAndUnknownWordsIgnored) {
  const SwitchSettings s = ParseSwitches({"/t:0", "/D", "x", "/X:5", "/d:3", "D:4"});
  EXPECT_TRUE(s.threads);
  EXPECT_EQ(s.size_index, 7);
}

TEST(ParseSwitches, NumbersAreLeadingNumbers) {
  const SwitchSettings s = ParseSwitches({"/D:2.5", "/P:1x", "/L:3/4", "/S:-1"});
  EXPECT_EQ(s.size_index, 2.5);
  EXPECT_EQ(s.pitch_index, 1);
  EXPECT_EQ(s.length, 3);
  EXPECT_EQ(s.segments_index, -1);
  EXPECT_EQ(ParseSwitches({"/L:abc"}).length, 0);
  EXPECT_EQ(ParseSwitches({"/F:"}).file_name, "");
}

}  // namespace
}  // namespace boltgen
