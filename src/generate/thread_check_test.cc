#include "generate/parts.h"

#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "config/bolt_request_test.h"
#include "geometry/bolt_body.h"
#include "geometry/threads.h"

namespace boltgen {
namespace {

// A pitch exact in binary, so that the longest length offered is decided by
// the check and not by rounding; fine enough that the thread of a short 3/4
// inch bolt outgrows the grid.
constexpr char kFinePitch[] = "0.0078125";

struct Layout {
  bool washer_face, radius_under_head;
};

// The message that refuses a threaded 3/4 inch bolt of `length` in
// `layout`, or nothing, with the dimensions it was read with in `state`.
std::optional<std::string> Refusal(GenerationState& state, const Layout& layout,
                                   const std::string& length) {
  BoltRequest request = TextRequest("[Inch 3/4]", kFinePitch, length, "24");
  request.file_name = "bolt";
  request.washer_face = layout.washer_face;
  request.head_radius = layout.radius_under_head;
  const Result<BoltParts> built =
      BuildBoltParts(state, request, {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {6, 12, 2026}});
  if (built) return std::nullopt;
  EXPECT_FALSE(built.error().message.starts_with("Fatal Error: ")) << built.error().message;
  return built.error().message;
}

// The last number of `message` before `ending`.
std::string NumberBefore(const std::string& message, const std::string& ending) {
  const std::size_t end = message.rfind(ending);
  if (end == std::string::npos) return "";
  const std::size_t start = message.rfind(' ', end) + 1;
  return message.substr(start, end - start);
}

// A short bolt's thread grows with its length, two grid rows a turn. The
// longest length the refusal offers fills the grid to its last row or the one
// before and builds; one thousandth more is refused, never left to overrun
// the grid.
void ExpectTheLongestLengthOfferedFits(const Layout& layout) {
  SCOPED_TRACE(testing::Message() << "washer face " << layout.washer_face << ", radius "
                                  << layout.radius_under_head);
  GenerationState state;
  const std::optional<std::string> too_long = Refusal(state, layout, "1.5");
  ASSERT_TRUE(too_long);
  const std::string longest = NumberBefore(*too_long, ".");
  ASSERT_FALSE(longest.empty()) << *too_long;

  ASSERT_EQ(Refusal(state, layout, longest), std::nullopt) << longest;
  const int body_rows = BoltBodyRowCount(state.dims, layout.washer_face, layout.radius_under_head);
  const int turns = ThreadTurns(state.dims.ThreadLength, state.dims.Pitch);
  const int rows = body_rows + 2 * turns + 7;
  // Checked before building: a grid overrun aborts the whole test program.
  ASSERT_LE(rows, MeshGrid::kLastIndex) << longest;
  EXPECT_GE(rows, MeshGrid::kLastIndex - 1) << longest << " leaves a turn unused";
  MakeBoltBody(state.grid, state.dims, layout.washer_face, layout.radius_under_head);
  EXPECT_EQ(state.grid.RowCount, body_rows);
  MakeThreads(state.grid, state.dims);
  EXPECT_EQ(state.grid.RowCount, rows);

  const std::string next = FormatNumber(std::strtod(longest.c_str(), nullptr) + 0.001, "0.000");
  const std::optional<std::string> refused = Refusal(state, layout, next);
  ASSERT_TRUE(refused) << next << " is not refused";
  EXPECT_NE(refused->find(" needs " + std::to_string(turns + 1) +
                          " turns, but the mesh holds at most " + std::to_string(turns) + "."),
            std::string::npos)
      << *refused;
  EXPECT_EQ(NumberBefore(*refused, "."), longest);
}

// The body takes 8, 10, 13 or 15 rows, so a check off by one row shows in
// some layouts and not in others.
TEST(ThreadCheck, TheLongestLengthOfferedFillsTheGridInEveryBodyLayout) {
  for (const bool washer_face : {false, true}) {
    for (const bool radius_under_head : {false, true}) {
      ExpectTheLongestLengthOfferedFits({washer_face, radius_under_head});
    }
  }
}

}  // namespace
}  // namespace boltgen
