#include "app/file_name.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

std::vector<SizeEntry> Sizes() {
  std::vector<SizeEntry> sizes;
  for (const auto& [name, dia] : {std::pair{"[ANSI Inch 3/4]", 0.75}, {"[ISO M12]", 12.0},
                                  {"[ANSI 1-1/4]", 1.25}, {"[ANSI 12.5]", 12.5}, {"[ISO 1.6]", 1.6},
                                  {"[ISO 1234]", 1234.0}, {"[ANSI ISO]", 20.0}, {"[plain]", 0.5}}) {
    sizes.push_back({name, dia, "", "", "", ""});
  }
  return sizes;
}

struct Choices {
  const char* size;
  const char* pitch;
  const char* length;
  const char* segments;
  bool washer_face = true;
  bool no_threads = false;
};

std::string Compose(const Choices& choices, bool& is_metric) {
  Controls controls;
  controls.Cmb_Size.text = choices.size;
  controls.Cmb_Pitch.text = choices.pitch;
  controls.TXT_Nom_Length.text = choices.length;
  controls.CMB_Segments.text = choices.segments;
  controls.Chk_WF.checked = choices.washer_face;
  controls.Chk_No_Threads.checked = choices.no_threads;
  return ComposeFileName(controls, Sizes(), is_metric);
}

TEST(ComposeFileName, NamesOfTheExamples) {
  bool is_metric = false;
  EXPECT_EQ(Compose({"[ANSI Inch 3/4]", "0.076923 UNC", "3.000", "36"}, is_metric),
            "IN_07500_HCSW-UNC_03000-3D(036)");
  EXPECT_FALSE(is_metric);
  EXPECT_EQ(Compose({"[ANSI Inch 3/4]", "0.076923 UNC", "3.000", "24", true, true}, is_metric),
            "IN_07500_HCSW-###_03000-3D(024)");
  EXPECT_EQ(Compose({"[ISO M12]", "1.75", "50.000", "240", false}, is_metric),
            "MM_01200_BLTP-018_00500-3D(240)");
  EXPECT_TRUE(is_metric);
}

TEST(ComposeFileName, EachFieldKeepsOnlyTheDigitsItPicks) {
  const struct {
    Choices choices;
    bool metric_before;
    const char* name;
  } cases[] = {
      // Typed sizes name no entry (case counts) and give no diameter digits.
      {{"[ANSI Inch 3/4", "UNC", "3.000", "36"}, false, "IN__HCSW-UNC_03000-3D(036)"},
      {{"[ansi inch 3/4]", "UNC", "3.000", "36"}, false, "IN__HCSW-UNC_03000-3D(036)"},
      // The last literal found sets the unit system; none found keeps it.
      {{"[ANSI ISO]", "UNC", "3.000", "36"}, false, "MM_02000_HCSW-UNC_00030-3D(036)"},
      {{"inch metric", "UNC", "3.000", "36"}, true, "MM__HCSW-UNC_00030-3D(036)"},
      {{"inch metric", "UNC", "3.000", "36"}, false, "IN__HCSW-UNC_03000-3D(036)"},
      {{"[plain]", "UNC", "3.000", "36"}, true, "MM_00050_HCSW-UNC_00030-3D(036)"},
      // Series labels, case-sensitive, UNF before UNC; else the pitch number.
      {{"[plain]", "0.0625 UNC UNF", "3", "36"}, false, "IN_05000_HCSW-UNF_03000-3D(036)"},
      {{"[plain]", "0.1 ODD", "3", "36"}, false, "IN_05000_HCSW-ODD_03000-3D(036)"},
      {{"[plain]", "0.5", "3", "36"}, false, "IN_05000_HCSW-005_03000-3D(036)"},
      {{"[plain]", "0.05 unc", "3", "36"}, false, "IN_05000_HCSW-001_03000-3D(036)"},
      {{"[plain]", "123.4", "3", "36"}, false, "IN_05000_HCSW-234_03000-3D(036)"},
      {{"[plain]", "", "3", "36"}, false, "IN_05000_HCSW-000_03000-3D(036)"},
      // Oversized numbers lose their leading digits.
      {{"[ANSI 12.5]", "UNC", "12.5", "36"}, false, "IN_25000_HCSW-UNC_12500-3D(036)"},
      {{"[ANSI 1-1/4]", "UNC", "100", "36"}, false, "IN_12500_HCSW-UNC_00000-3D(036)"},
      {{"[ISO 1.6]", "UNC", "50", "36"}, false, "MM_00160_HCSW-UNC_00500-3D(036)"},
      {{"[ISO 1234]", "UNC", "12345.6", "36"}, false, "MM_23400_HCSW-UNC_23456-3D(036)"},
      // Texts that are not numbers count by their leading number.
      {{"[plain]", "UNC", "3/4", "36"}, false, "IN_05000_HCSW-UNC_03000-3D(036)"},
      {{"[plain]", "UNC", "abc", "many"}, false, "IN_05000_HCSW-UNC_00000-3D(000)"},
  };
  for (const auto& c : cases) {
    bool is_metric = c.metric_before;
    EXPECT_EQ(Compose(c.choices, is_metric), c.name) << c.choices.size << " " << c.choices.pitch;
  }
}

}  // namespace
}  // namespace boltgen
