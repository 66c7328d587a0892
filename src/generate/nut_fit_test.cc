#include "generate/nut_fit.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

BoltDimensions Size(double major, double pitch) {
  BoltDimensions d;
  d.major_dia = major;
  d.pitch = pitch;
  d.HghtNut = d.HghtNutJam = major * 0.9;
  return d;
}

// The clearance is typed in millimetres whatever the section's unit and kept
// in the section's unit for the geometry; a quarter pitch is the most.
TEST(NutFitFor, MillimetresWhateverTheUnitUpToAQuarterPitch) {
  BoltRequest inch;
  inch.part_file_unit = LengthUnit::kInch;
  const BoltDimensions three_quarter = Size(0.75, 0.1);  // 2.54 mm
  inch.nut_clearance_text = "0.635";
  Result<NutFit> fit = NutFitFor(inch, three_quarter);
  ASSERT_TRUE(fit);
  EXPECT_FALSE(fit->standard);
  EXPECT_DOUBLE_EQ(fit->thread.clearance, 0.025);
  EXPECT_DOUBLE_EQ(fit->clearance_mm, 0.635);

  for (const char* refused : {"0.6351", "-0.01", "abc", "0.2mm", "nan"}) {
    inch.nut_clearance_text = refused;
    const Result<NutFit> no = NutFitFor(inch, three_quarter);
    ASSERT_FALSE(no) << refused;
    EXPECT_NE(no.error().message.find(std::string("\"") + refused + "\""), std::string::npos)
        << no.error().message;
    EXPECT_NE(no.error().message.find("0.6350"), std::string::npos) << no.error().message;
  }

  BoltRequest metric;
  metric.part_file_unit = LengthUnit::kMillimetre;
  metric.nut_clearance_text = "0.2";
  fit = NutFitFor(metric, Size(10, 1.5));
  ASSERT_TRUE(fit);
  EXPECT_DOUBLE_EQ(fit->thread.clearance, 0.2);
  metric.nut_clearance_text = "0.2";
  EXPECT_FALSE(NutFitFor(metric, Size(3, 0.5)));  // a quarter of 0.5 mm is 0.125
}

// No clearance typed: the 6H/6g fit of the pitch in millimetres, 3/4-10 UNC
// (2.54 mm) as (15 + 11 * 2.54) / 2 micrometres.
TEST(NutFitFor, WithoutAClearanceThe6H6gFitOfThePitchInMillimetres) {
  BoltRequest inch;
  inch.part_file_unit = LengthUnit::kInch;
  const Result<NutFit> fit = NutFitFor(inch, Size(0.75, 0.1));
  ASSERT_TRUE(fit);
  EXPECT_TRUE(fit->standard);
  EXPECT_NEAR(fit->clearance_mm, 0.02147, 0.000005);
  EXPECT_NEAR(fit->thread.clearance * 25.4, 0.02147, 0.000005);
  EXPECT_NE(NutThreadDetails(*fit, Size(0.75, 0.1)).find("Fit 6H/6g, Radial Clearance 0.0215 mm"),
            std::string::npos);
}

// A nut whose thread would need more rows than the grid holds is refused.
TEST(CheckThreadedNutRows, RefusesANutTooTallForItsPitch) {
  EXPECT_TRUE(CheckThreadedNutRows(Size(36, 4)));
  BoltDimensions fine = Size(36, 0.1);
  const Result<> refused = CheckThreadedNutRows(fine);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().message.find("at most 256"), std::string::npos);
}

}  // namespace
}  // namespace boltgen
