#include "app/thread_designation.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

std::vector<SizeEntry> Sizes() {
  std::vector<SizeEntry> sizes;
  for (const auto& [name, diameter] : {std::pair{"[Inch 3/4]", 0.75}, {"[Inch 1-1/2]", 1.5},
                                       {"[Inch 5/16]", 0.3125}, {"[Metric M12]", 12.0},
                                       {"[ISO M1.6]", 1.6}, {"[Odd]", 0.7}}) {
    SizeEntry& size = sizes.emplace_back();
    size.name = name;
    size.nominal_diameter = diameter;
  }
  return sizes;
}

TEST(ThreadDesignationTest, WritesTheThreadAsPeopleDo) {
  const struct {
    const char* size;
    const char* pitch;
    bool was_metric;
    const char* expected;
  } cases[] = {
      {"[Inch 3/4]", "0.0625 UNF", true, "3/4-16 UNF"},   // the size text decides
      {"[Inch 1-1/2]", "0.166667 UNC", false, "1-1/2-6 UNC"},
      {"[Inch 5/16]", "0.055556", false, "5/16-18"},      // no series named
      {"[ISO M1.6]", "0.35 fine", false, "M1.6x0.35"},
      {"[Metric M12]", "2", false, "M12x2"},
      {"[Odd]", "0.1", false, "0.7-10"},                  // no fraction fits
      {"[Odd]", "0.1", true, "M0.7x0.1"},                 // unnamed unit kept
      {"[Inch 3/4]", "", false, "3/4"},                    // no pitch: the diameter
      {"[Metric M12]", "abc", false, "M12"},
      {"[Inch 7/8]", "0.1 UNC", false, ""},                // names no section
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThreadDesignation(Sizes(), c.size, c.pitch, c.was_metric), c.expected)
        << c.size << " " << c.pitch;
  }
}

}  // namespace
}  // namespace boltgen
