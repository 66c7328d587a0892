#include "app/layout_dump.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

LayoutEntry Entry(std::string name, std::string kind, std::string text, int x) {
  LayoutEntry entry;
  entry.name = std::move(name);
  entry.kind = std::move(kind);
  entry.text = std::move(text);
  entry.x = x;
  entry.y = 2;
  entry.width = 30;
  entry.height = 4;
  return entry;
}

// Two toolkits list their widgets in different orders and may start the
// tab cycle anywhere: the dumps of one layout must still be equal.
TEST(LayoutDumpTest, OrderOfListingAndStartOfTheTabCycleDoNotCount) {
  LayoutDump one{"T", 10, 20, {Entry("b", "edit", "", 1), Entry("a", "label", "x", 0)}, {"b", "c", "a"}};
  LayoutDump two{"T", 10, 20, {Entry("a", "label", "x", 0), Entry("b", "edit", "", 1)}, {"a", "b", "c"}};
  EXPECT_EQ(FormatLayout(one), FormatLayout(two));
  EXPECT_EQ(FormatLayout(one),
            "window \"T\" 0,0 10x20\n"
            "control a label 0,2 30x4 \"x\"\n"
            "control b edit 1,2 30x4 \"\"\n"
            "tab a b c\n");
}

TEST(LayoutDumpTest, EveryDifferenceOfOneControlShows) {
  const LayoutDump base{"T", 10, 20, {Entry("a", "button", "Go", 0)}, {"a"}};
  const std::string text = FormatLayout(base);
  auto changed = [&](auto change) {
    LayoutDump other = base;
    change(other.controls[0]);
    return FormatLayout(other);
  };
  EXPECT_NE(changed([](LayoutEntry& e) { e.kind = "check"; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.text = "Go!"; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.x = 1; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.y = 1; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.width = 1; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.height = 1; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.enabled = false; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.checked = true; }), text);
  EXPECT_NE(changed([](LayoutEntry& e) { e.is_default = true; }), text);
  LayoutDump reordered{"T", 10, 20, base.controls, {"a", "c", "b"}};
  EXPECT_NE(FormatLayout(reordered), FormatLayout(LayoutDump{"T", 10, 20, base.controls, {"a", "b", "c"}}));
}

// A caption of two lines stays on its control's line, and quotes in a text
// cannot end it early.
TEST(LayoutDumpTest, TextsStayOnTheirLine) {
  LayoutDump dump{"Say \"hi\"", 1, 1, {Entry("a", "button", "Open PDF\nHelp\\File\t\r", 0)}, {}};
  EXPECT_EQ(FormatLayout(dump),
            "window \"Say \\\"hi\\\"\" 0,0 1x1\n"
            "control a button 0,2 30x4 \"Open PDF\\nHelp\\\\File\\t\\r\"\n"
            "tab\n");
}

TEST(LayoutDumpTest, PixelsBecomeFormUnitsAtTheScreensScale) {
  EXPECT_EQ(ToFormUnits(153, 1.0), 153);
  EXPECT_EQ(ToFormUnits(230, 1.5), 153);  // 229.5 drawn as 230
  EXPECT_EQ(ToFormUnits(229, 1.5), 153);
  EXPECT_EQ(ToFormUnits(306, 2.0), 153);
  EXPECT_EQ(ToFormUnits(17, 0), 17);  // an unknown scale is taken as 100 %
}

}  // namespace
}  // namespace boltgen
