#include "app/file_name.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

class ComposeFileNameTest : public testing::Test {
 protected:
  ComposeFileNameTest() {
    sizes_ = {
        {"[ANSI Inch 3/4]", 0.75, "0.076923 UNC", "", "", ""},
        {"[ISO M12]", 12, "1.75", "", "", ""},
        {"[ANSI 1-1/4]", 1.25, "", "", "", ""},
        {"[ANSI 12.5]", 12.5, "", "", "", ""},
        {"[ISO 1.6]", 1.6, "", "", "", ""},
        {"[ISO 1234]", 1234, "", "", "", ""},
        {"[ANSI ISO]", 20, "", "", "", ""},
        {"[plain]", 0.5, "", "", "", ""},
    };
    controls_.Cmb_Size.text = "[ANSI Inch 3/4]";
    controls_.Cmb_Pitch.text = "0.076923 UNC";
    controls_.TXT_Nom_Length.text = "3.000";
    controls_.CMB_Segments.text = "36";
    controls_.Chk_WF.checked = true;
  }

  std::string Compose() { return ComposeFileName(controls_, sizes_, is_metric_); }

  std::vector<SizeEntry> sizes_;
  Controls controls_;
  bool is_metric_ = false;
};

TEST_F(ComposeFileNameTest, NamesOfTheExamples) {
  EXPECT_EQ(Compose(), "IN_07500_HCSW-UNC_03000-3D(036)");
  EXPECT_FALSE(is_metric_);

  controls_.Chk_No_Threads.checked = true;
  controls_.CMB_Segments.text = "24";
  EXPECT_EQ(Compose(), "IN_07500_HCSW-###_03000-3D(024)");

  controls_ = {};
  controls_.Cmb_Size.text = "[ISO M12]";
  controls_.Cmb_Pitch.text = "1.75";
  controls_.TXT_Nom_Length.text = "50.000";
  controls_.CMB_Segments.text = "240";
  EXPECT_EQ(Compose(), "MM_01200_BLTP-018_00500-3D(240)");
  EXPECT_TRUE(is_metric_);
}

TEST_F(ComposeFileNameTest, UnitSystemFollowsTheLastLiteralFound) {
  controls_.Cmb_Size.text = "[ANSI ISO]";
  EXPECT_EQ(Compose().substr(0, 9), "MM_02000_");

  // Lower-case words match nothing: the previous unit system stays.
  controls_.Cmb_Size.text = "inch metric";
  EXPECT_EQ(Compose().substr(0, 4), "MM__");
  is_metric_ = false;
  EXPECT_EQ(Compose().substr(0, 4), "IN__");

  controls_.Cmb_Size.text = "[plain]";
  EXPECT_EQ(Compose().substr(0, 9), "IN_05000_");
  is_metric_ = true;
  EXPECT_EQ(Compose().substr(0, 9), "MM_00050_");
}

TEST_F(ComposeFileNameTest, TypedSizeGivesNoDiameterDigits) {
  controls_.Cmb_Size.text = "[ANSI Inch 3/4";  // names no entry, but still "Inch"
  EXPECT_EQ(Compose(), "IN__HCSW-UNC_03000-3D(036)");
  // Sizes match exactly, letter case included.
  controls_.Cmb_Size.text = "[ansi inch 3/4]";
  EXPECT_EQ(Compose(), "IN__HCSW-UNC_03000-3D(036)");
}

TEST_F(ComposeFileNameTest, ThreadPart) {
  controls_.Cmb_Pitch.text = "0.0625 UNC UNF";
  EXPECT_EQ(Compose(), "IN_07500_HCSW-UNF_03000-3D(036)");
  controls_.Cmb_Pitch.text = "0.1 ODD";
  EXPECT_EQ(Compose(), "IN_07500_HCSW-ODD_03000-3D(036)");
  controls_.Cmb_Pitch.text = "0.5";
  EXPECT_EQ(Compose(), "IN_07500_HCSW-005_03000-3D(036)");
  controls_.Cmb_Pitch.text = "0.05 unc";  // series labels are case-sensitive
  EXPECT_EQ(Compose(), "IN_07500_HCSW-001_03000-3D(036)");
  controls_.Cmb_Pitch.text = "123.4";  // the hundreds are lost
  EXPECT_EQ(Compose(), "IN_07500_HCSW-234_03000-3D(036)");
  controls_.Cmb_Pitch.text.clear();
  EXPECT_EQ(Compose(), "IN_07500_HCSW-000_03000-3D(036)");
}

TEST_F(ComposeFileNameTest, OversizedNumbersLoseTheirLeadingDigits) {
  controls_.Cmb_Size.text = "[ANSI 12.5]";
  EXPECT_EQ(Compose().substr(0, 9), "IN_25000_");
  controls_.Cmb_Size.text = "[ANSI 1-1/4]";
  EXPECT_EQ(Compose().substr(0, 9), "IN_12500_");
  controls_.TXT_Nom_Length.text = "100";
  EXPECT_EQ(Compose(), "IN_12500_HCSW-UNC_00000-3D(036)");
  controls_.TXT_Nom_Length.text = "12.5";
  EXPECT_EQ(Compose(), "IN_12500_HCSW-UNC_12500-3D(036)");

  controls_.Cmb_Size.text = "[ISO 1.6]";
  EXPECT_EQ(Compose().substr(0, 9), "MM_00160_");
  controls_.Cmb_Size.text = "[ISO 1234]";
  EXPECT_EQ(Compose().substr(0, 9), "MM_23400_");
  controls_.TXT_Nom_Length.text = "12345.6";
  EXPECT_EQ(Compose(), "MM_23400_HCSW-UNC_23456-3D(036)");
}

TEST_F(ComposeFileNameTest, TextsThatAreNotNumbersUseTheirLeadingNumber) {
  controls_.TXT_Nom_Length.text = "3/4";
  EXPECT_EQ(Compose(), "IN_07500_HCSW-UNC_03000-3D(036)");
  controls_.TXT_Nom_Length.text = "abc";
  controls_.CMB_Segments.text = "many";
  EXPECT_EQ(Compose(), "IN_07500_HCSW-UNC_00000-3D(000)");
}

}  // namespace
}  // namespace boltgen
