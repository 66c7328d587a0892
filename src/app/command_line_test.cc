#include "app/command_line.h"

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// The refusal's message; empty when the check passes.
std::string Refusal(const Result<>& checked) { return checked ? "" : checked.error().message; }

using Words = std::vector<std::string>;

TEST(CommandLine, WordsAtBlanksAndTabsQuotesMeanNothing) {
  EXPECT_EQ(SplitArguments("  /D:7\t/F:\"my bolt\"  "), (Words{"/D:7", "/F:\"my", "bolt\""}));
  const char* argv[] = {"boltgen", "/D:7", "/F:a b"};
  EXPECT_EQ(JoinArguments(3, argv), "/D:7 /F:a b");
  EXPECT_EQ(JoinArguments(1, argv), "");
  EXPECT_FALSE(AsksForHelp({"--HELP", "/D:7", "-h"}));
}

// The help as users have always read it, every word, blank, misspelling and
// digit, written out here rather than taken from the program, so that a
// changed character fails. "--help" alone adds one line per added switch.
TEST(CommandLine, HelpTextAndTheAddedSwitches) {
  constexpr std::string_view kExpected =
      "Quillfen Bolt Generator command line arguments:\n"
      "/?  Invoke help (this message box) and exit.\n"
      "/D:# Nominal Diameter: Index into Combobox as read from Ini file. First entry is zero.\n"
      "/P:# Nominal Pitch: Index into Combobox as read from Ini file. First entry is zero.\n"
      "/L:###.### Nominal Length as decimal number.\n"
      "/S:# Segments:Index into Combobox; 0=24, 1=36, 2=48, 3=72, 4=144, 5=240\n"
      "/T:# Show threads: 0=False, 1=True\n"
      "/W:# Show washer face: 0=False, 1=True\n"
      "/R:# Show radius under head: 0=False, 1=True\n"
      "/A:# Show sharp points on threads: 0=False, 1=True\n"
      "/N:# Include Nuts: 0=False, 1=True\n"
      "/F:XXXXX File Name. No spaces or quote characters.\n"
      "/B:# Include commands to write blocks: 0=False, 1=True.\n"
      "/G:# Process and exit: 0=False, 1=True\n"
      "\n"
      "Example:\n"
      "PRGNAME.EXE /D:7 /P:1 /L:3.000 /S:1 /T:1 /W:1 /R:1 /A:1 /N:0 "
      "/F:IN-0750x13UNCx03000(3D-36).SCR /G:1\n"
      "With the INI file that comes with the program this would generate a script named:\n"
      "    IN-0750x13UNCx03000(3D-36).SCR\n"
      "for 3/4 inch diameter bolt with 13TPI UNC threads includeing: washer face, head radius "
      "and sharp point threads. \n"
      "It would NOT include nuts.\n"
      "\n"
      "All switches may be given in one run, in any order, however many words there are; "
      "a later switch replaces an earlier one with the same letter. "
      "Each word that is not used is named on standard error.";
  EXPECT_EQ(HelpText(), kExpected);
  EXPECT_EQ(HelpTextWithAddedSwitches(),
            std::string(kExpected) +
                "\n\nSwitches added by this program:\n"
                "/M:# Write each part as an STL file in millimetres: 0=False, 1=True\n"
                "/X:# Write all parts into one 3MF file with its unit: 0=False, 1=True\n"
                "/E:# Write each part as a DXF drawing (one polygon mesh): 0=False, 1=True\n"
                "/I:# Threaded nuts (also includes nuts): 0=False, 1=True\n"
                "/C:#.## Threaded nuts' radial clearance in millimetres; without it the 6H/6g "
                "fit");
  // Each added switch is one the parser knows: it turns a flag on.
  for (const char* key : {"/M:", "/X:", "/E:", "/I:"}) {
    EXPECT_FALSE(ParseSwitches({key + std::string("1")}) == ParseSwitches({key + std::string("0")}))
        << key;
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
      {{"/I:1"}, &S::threaded_nuts, true}, {{"/I:1", "/I:0"}, &S::threaded_nuts, false},
      {{"/i:1"}, &S::threaded_nuts, false}, {{"/I:no"}, &S::threaded_nuts, true},
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
  // The clearance is kept as written, for the generation to check against
  // the pitch and name in its refusal.
  EXPECT_EQ(ParseSwitches({"/C: 0.2 ", "/C:0.15"}).nut_clearance, "0.15");
  EXPECT_EQ(ParseSwitches({"/C:abc"}).nut_clearance, "abc");
}

// A length that is no number is named for what it is, not taken for 0 and
// then refused as a bolt too short for its pitch.
TEST(CommandLine, ALengthThatIsNoNumberIsNamed) {
  for (const char* value : {"inf", "-INF", "+Infinity", "nan"}) {
    const std::string problem = Refusal(CheckLengthSwitch(ParseSwitches({std::string("/L:") + value}).length_value));
    EXPECT_EQ(problem, std::string("The switch /L:") + value +
                           " is not a finite number. Give a length such as /L:3.");
  }
  for (const char* value : {"abc", "-", ".", "in3"}) {
    const std::string problem = Refusal(CheckLengthSwitch(value));
    EXPECT_NE(problem.find(std::string("/L:") + value + " is not a number"), std::string::npos) << problem;
  }
  for (const char* value : {"", "3", "0", "-2.5", "+.5", ".75in", "3/4", "1e3"})
    EXPECT_EQ(Refusal(CheckLengthSwitch(value)), "") << value;
}

// Every word counts, however many there are; the words that change nothing
// are named: no switch (letter case counts, a key has its colon), or one a
// later switch of the same key replaces.
TEST(CommandLine, NoWordIsDroppedAndUnusedOnesAreNamed) {
  const Words words = SplitArguments("/D:7 /P:0 /L:3 /S:1 /T:0 /N:1 /B:1 /G:1 /M:1 /X:1 /E:1");
  EXPECT_EQ(words.size(), 11u);
  EXPECT_TRUE(ParseSwitches(words).dxf);
  EXPECT_TRUE(UnusedWords(words).empty());
  // A word asking for help is answered by the help, not reported as unused.
  EXPECT_TRUE(UnusedWords({"?", "/D:7?", "--help"}).empty());
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
