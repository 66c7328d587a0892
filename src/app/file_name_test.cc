#include "app/file_name.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// The refusal's message; empty when the check passes.
std::string Refusal(const Result<>& checked) { return checked ? "" : checked.error().message; }

struct Choices {
  const char* size;
  const char* pitch;
  const char* length;
  const char* segments;
  bool washer_face = true;
  bool no_threads = false;
};

std::string Compose(const Choices& choices, bool& is_metric) {
  std::vector<SizeEntry> sizes;
  for (const auto& [name, dia] : {std::pair{"[ANSI Inch 3/4]", 0.75}, {"[ISO M12]", 12.0},
                                  {"[ANSI 1-1/4]", 1.25}, {"[ISO 1234]", 1234.0},
                                  {"[ANSI ISO]", 20.0}, {"[plain]", 0.5}}) {
    sizes.push_back({name, dia, {}});
  }
  Controls controls;
  controls.Cmb_Size.text = choices.size;
  controls.Cmb_Pitch.text = choices.pitch;
  controls.TXT_Nom_Length.text = choices.length;
  controls.CMB_Segments.text = choices.segments;
  controls.Chk_WF.checked = choices.washer_face;
  controls.Chk_No_Threads.checked = choices.no_threads;
  return ComposeFileName(controls, sizes, is_metric);
}

TEST(ComposeFileName, NamesOfTheExamplesAndTheDigitsEachFieldKeeps) {
  const struct {
    Choices choices;
    bool metric_before;
    const char* name;
  } cases[] = {
      {{"[ANSI Inch 3/4]", "0.076923 UNC", "3.000", "36"}, true, "IN_07500_HCSW-UNC_03000-3D(036)"},
      {{"[ISO M12]", "1.75", "50.000", "240", false}, false, "MM_01200_BLTP-018_00500-3D(240)"},
      // A typed size names no entry (case counts); naming no unit keeps it.
      {{"[ansi inch 3/4]", "UNC", "3.000", "36"}, false, "IN__HCSW-UNC_03000-3D(036)"},
      {{"inch metric", "UNC", "3.000", "36"}, true, "MM__HCSW-UNC_00030-3D(036)"},
      {{"[ANSI ISO]", "UNC", "3.000", "36"}, false, "MM_02000_HCSW-UNC_00030-3D(036)"},
      {{"[plain]", "0.0625 UNC UNF", "3", "36"}, false, "IN_05000_HCSW-UNF_03000-3D(036)"},
      {{"[plain]", "0.1 ODD", "3", "36"}, false, "IN_05000_HCSW-ODD_03000-3D(036)"},
      {{"[plain]", "0.05 unc", "3", "36"}, false, "IN_05000_HCSW-001_03000-3D(036)"},
      // Numbers too large for their fields widen them.
      {{"[plain]", "123.4", "abc", "many"}, false, "IN_05000_HCSW-1234_00000-3D(000)"},
      {{"[ANSI 1-1/4]", "UNC", "100", "36"}, false, "IN_12500_HCSW-UNC_100000-3D(036)"},
      {{"[ISO 1234]", "UNC", "12345.6", "36"}, false, "MM_123400_HCSW-UNC_123456-3D(036)"},
  };
  for (const auto& c : cases) {
    bool is_metric = c.metric_before;
    EXPECT_EQ(Compose(c.choices, is_metric), c.name) << c.choices.size << " " << c.choices.pitch;
    EXPECT_EQ(is_metric, c.name[0] == 'M') << c.choices.size;
  }
}

// No two bolts share a name: lengths, diameters and pitches that differ in
// the digits the name shows give different names, however large. One too
// long for a file name is refused with the way out.
TEST(ComposeFileName, NumbersTooLargeForTheirFieldsNeverShareAName) {
  const auto name = [](const char* size, double dia, const char* pitch, const char* length) {
    std::vector<SizeEntry> sizes{{size, dia, "", "", "", ""}};
    Controls controls;
    controls.Cmb_Size.text = size;
    controls.Cmb_Pitch.text = pitch;
    controls.TXT_Nom_Length.text = length;
    controls.CMB_Segments.text = "36";
    controls.Chk_WF.checked = true;
    bool is_metric = false;
    return ComposeFileName(controls, sizes, is_metric);
  };
  std::set<std::string> names;
  for (const char* length : {"70", "170", "1070", "7", "0.7", "-70", "70000", "1e18"})
    EXPECT_TRUE(names.insert(name("[Inch]", 0.75, "UNC", length)).second) << length;
  for (const char* length : {"50", "10050", "100050", "1000050", "5"})
    EXPECT_TRUE(names.insert(name("[Metric]", 12, "1.75", length)).second) << length;
  for (const double dia : {6.0, 16.0, 106.0, 1006.0, 0.6})
    EXPECT_TRUE(names.insert(name("[Inch]", dia, "UNC", "3")).second) << dia;
  for (const double dia : {12.0, 1012.0, 100012.0, 0.12})
    EXPECT_TRUE(names.insert(name("[Metric]", dia, "1.75", "30")).second) << dia;
  for (const char* pitch : {"1.5", "101.5", "11.5", "0.15"})
    EXPECT_TRUE(names.insert(name("[Metric]", 12, pitch, "30")).second) << pitch;

  EXPECT_EQ(Refusal(CheckFileName(name("[Inch]", 0.75, "UNC", "170"))), "");
  const std::string huge = name("[Inch]", 1e299, "UNC", "3");
  EXPECT_EQ(huge.substr(0, 6), "IN_100") << huge;
  const std::string problem = Refusal(CheckFileName(huge));
  EXPECT_NE(problem.find("/F:"), std::string::npos) << problem;
  EXPECT_NE(problem.find(std::to_string(huge.size()) + " bytes"), std::string::npos) << problem;
}

// A name that cannot be a file's is refused before anything is written.
TEST(CheckFileName, RefusesFoldersAndNamesTooLongForAFile) {
  for (const char* folder : {"/", "parts/", "/tmp/bolts/"}) {
    const std::string problem = Refusal(CheckFileName(folder));
    EXPECT_NE(problem.find("names a folder"), std::string::npos) << folder << ": " << problem;
    EXPECT_NE(problem.find("/F:"), std::string::npos) << problem;
  }
  EXPECT_EQ(Refusal(CheckFileName("")), "");  // no name given: one is composed
  EXPECT_EQ(Refusal(CheckFileName("parts/bolt")), "");
  const std::string longest(251, 'a');  // with ".scr", 255 bytes
  EXPECT_EQ(Refusal(CheckFileName("some/folder/" + longest)), "");
  EXPECT_NE(Refusal(CheckFileName(longest + "a")), "");
  // A long path is no long name.
  EXPECT_EQ(Refusal(CheckFileName(std::string(300, 'f') + "/bolt")), "");
}

// The refusal's edges: codes 31 and 127 end a script line, so they are
// refused; the blank (32), '~' (126) and the bytes of UTF-8 letters are
// ordinary characters of a file name.
TEST(CheckFileName, RefusesControlCharactersOnlyAndShowsThemEscaped) {
  for (const std::string_view name : {"my bolt", " ", "a~b", "M\xC3\xBCller 3 4"}) {
    EXPECT_EQ(Refusal(CheckFileName(name)), "") << name;
  }
  EXPECT_EQ(Refusal(CheckFileName("a b\x1F c")),
            "The script file name \"a b\\x1F c\" holds a control character (code 31) at "
            "character 4. Type a name without it.");
  EXPECT_EQ(Refusal(CheckFileName(std::string_view("\0x", 2))),
            "The script file name \"\\x00x\" holds a control character (code 0) at "
            "character 1. Type a name without it.");
  EXPECT_EQ(Refusal(CheckFileName("x y\x7F")),
            "The script file name \"x y\\x7F\" holds a control character (code 127) at "
            "character 4. Type a name without it.");
}

}  // namespace
}  // namespace boltgen
