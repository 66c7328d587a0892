// Every size of the shipped size table, generated with threads, nuts and
// blocks at every segment count, read back from the script text.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "config/leading_number.h"
#include "config/size_table.h"
#include "generate/driver.h"
#include "generate/script_lines_test.h"
#include "geometry/bolt_body.h"
#include "geometry/threads.h"

namespace boltgen {
namespace {

struct Point {
  double x, y, z;
};

struct Part {
  std::string name;
  std::vector<std::vector<Point>> columns;
  double min_z = 1e300, max_z = -1e300;
};

struct Window {
  Point low, high;
  bool Holds(const Point& p) const {
    return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y && p.z >= low.z &&
           p.z <= high.z;
  }
  bool HoldsAll(const Part& part) const {
    return std::ranges::all_of(part.columns, [this](const std::vector<Point>& column) {
      return std::ranges::all_of(column, [this](const Point& p) { return Holds(p); });
    });
  }
};

// "x,y,z" and "x1,y1,z1 x2,y2,z2" as the script writes them.
std::vector<double> Numbers(const std::string& text) {
  std::vector<double> values;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of(", ", start);
    values.push_back(LeadingNumber(std::string_view(text).substr(start, end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return values;
}

struct Script {
  std::vector<Part> parts;
  std::vector<Window> windows;  // in the order of the export commands
};

Script ReadScript(const std::vector<std::string>& lines) {
  Script script;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("; ----PART: ", 0) == 0) {
      Part part;
      part.name = lines[i].substr(12, lines[i].find("----", 12) - 12);
      const int columns = static_cast<int>(LeadingNumber(lines[i + 2]));
      const int rows = static_cast<int>(LeadingNumber(lines[i + 3]));
      i += 4;
      for (int c = 0; c < columns; ++c, ++i) {
        part.columns.emplace_back();
        for (int r = 0; r < rows; ++r) {
          const std::vector<double> v = Numbers(lines[++i]);
          part.columns.back().push_back({v[0], v[1], v[2]});
          part.min_z = std::min(part.min_z, v[2]);
          part.max_z = std::max(part.max_z, v[2]);
        }
      }
      --i;
      script.parts.push_back(std::move(part));
    } else if (lines[i].rfind("-exportdrawing .\\", 0) == 0) {
      const std::vector<double> v = Numbers(lines[i + 3].substr(2));
      script.windows.push_back({{std::min(v[0], v[3]), std::min(v[1], v[4]), std::min(v[2], v[5])},
                                {std::max(v[0], v[3]), std::max(v[1], v[4]), std::max(v[2], v[5])}});
    }
  }
  return script;
}

bool Near(const Point& a, const Point& b) {
  constexpr double kText = 1.5e-4;  // four decimals in the script
  return std::abs(a.x - b.x) < kText && std::abs(a.y - b.y) < kText && std::abs(a.z - b.z) < kText;
}

// The thread's last column is its first one moved along the helix: every
// vertex of the last column is a vertex of the first, in the same order. The
// run-out's lower root after one turn (row B+6) is the exception: its factors
// leave it h / (4 ColumnCount) inside the first column's row B+3.
void ExpectHelicalSeam(const Part& bolt, const BoltDimensions& dims, std::size_t B) {
  const auto& first = bolt.columns.front();
  const auto& last = bolt.columns.back();
  std::size_t match = 0;
  for (std::size_t row = 0; row < last.size(); ++row) {
    if (row + 1 == B + 6) {
      const double depth = (dims.MajorDia - dims.MinorDia) / 2;
      EXPECT_NEAR(std::hypot(first[B + 2].x, first[B + 2].y) - std::hypot(last[row].x, last[row].y),
                  depth / (4 * bolt.columns.size()), 3e-4);
      continue;
    }
    while (match < first.size() && !Near(first[match], last[row])) ++match;
    ASSERT_LT(match, first.size()) << "row " << row + 1 << " of the last column";
  }
}

void ExpectBolt(const Part& bolt, const BoltDimensions& dims, int body_rows) {
  for (const auto& column : bolt.columns) {
    EXPECT_TRUE(column.front().x == 0 && column.front().y == 0);
    EXPECT_TRUE(column.back().x == 0 && column.back().y == 0);
  }
  const int turns = ThreadTurns(dims.ThreadLength, dims.Pitch);
  ASSERT_EQ(bolt.columns[0].size(), static_cast<std::size_t>(body_rows + 2 * turns + 7));
  EXPECT_GE(turns * dims.Pitch, dims.ThreadLength - 1e-4 * dims.Pitch);
  EXPECT_LT((turns - 1) * dims.Pitch, dims.ThreadLength);
  const std::size_t B = static_cast<std::size_t>(body_rows - 2);
  EXPECT_NEAR(bolt.columns[0][B - 1].z, -dims.NomLength + (turns + 1.5) * dims.Pitch, 1e-3);
  EXPECT_NEAR(bolt.min_z, -dims.NomLength, 1e-4);
  ExpectHelicalSeam(bolt, dims, B);
}

// The nut's last column is its first, and its last row its first.
void ExpectNut(const Part& nut) {
  for (std::size_t row = 0; row < nut.columns[0].size(); ++row) {
    EXPECT_TRUE(Near(nut.columns.front()[row], nut.columns.back()[row])) << nut.name << " " << row;
  }
  for (const auto& column : nut.columns) {
    EXPECT_TRUE(column.front().x == column.back().x && column.front().y == column.back().y &&
                column.front().z == column.back().z)
        << nut.name;
  }
}

// Each window exports its own part, and no other part lies wholly in it.
void ExpectWindows(const Script& script, const std::string& what) {
  // Export order: bolt, HNSW, HNJW, HNSP, HNJP; script order: bolt, washer
  // face standard, washer face jam, plain face jam, plain face standard.
  constexpr std::array<std::size_t, 5> kPartOfWindow = {0, 1, 2, 4, 3};
  ASSERT_EQ(script.windows.size(), 5u) << what;
  for (std::size_t w = 0; w < 5; ++w) {
    for (std::size_t p = 0; p < 5; ++p) {
      EXPECT_EQ(script.windows[w].HoldsAll(script.parts[p]), p == kPartOfWindow[w])
          << what << ": window " << w << ", " << script.parts[p].name;
    }
  }
}

void ExpectNutsApart(const Script& script, const std::string& what) {
  const double head_top = script.parts[0].max_z;
  for (std::size_t i = 1; i < 5; ++i) {
    EXPECT_GT(script.parts[i].min_z, head_top) << what << ": " << script.parts[i].name;
    for (std::size_t j = i + 1; j < 5; ++j) {
      const Part& a = script.parts[i];
      const Part& b = script.parts[j];
      EXPECT_TRUE(a.max_z < b.min_z || b.max_z < a.min_z)
          << what << ": " << a.name << " and " << b.name;
    }
  }
}

TEST(ShippedSizes, EveryPartClosesAndLiesInItsOwnWindowOnly) {
  const std::string table_path = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";
  std::string error;
  const auto content = ReadWholeFile(table_path, &error);
  ASSERT_TRUE(content) << error;
  const std::vector<SizeEntry> sizes = ReadIniSections(*content);
  ASSERT_GE(sizes.size(), 20u);

  GenerationState state;
  Controls controls;
  controls.TXT_File.text = "bolt.scr";
  controls.Chk_WF.checked = controls.Chk_Nuts.checked = controls.Chk_WBlock.checked = true;
  const GenerationInput input{table_path, {6, 12, 2026}};
  // Kept to seconds: every size and pitch at 24 segments with three lengths
  // (a shortened thread, a short bolt, a long bolt); the long bolt with the
  // first pitch also at one other count, each count in turn, so that every
  // count meets inch and metric sizes, small and large.
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const SizeEntry& size = sizes[i];
    controls.Cmb_Size.text = size.Name;
    const std::vector<std::string> pitches = PitchesOf(sizes, size.Name);
    for (const std::string& pitch_text : pitches) {
      controls.Cmb_Pitch.text = pitch_text;
      const double pitch = LeadingNumber(pitch_text);
      std::vector<std::string> counts = {"24"};
      if (&pitch_text == &pitches.front()) {
        counts.push_back(std::array{"36", "48", "72", "144", "240"}[i % 5]);
      }
      for (const std::string& segments : counts) {
        controls.CMB_Segments.text = segments;
        std::vector<double> lengths = {25 * size.DiaNom};
        if (segments == "24") lengths.insert(lengths.end(), {8 * pitch, 3 * size.DiaNom + 2 * pitch});
        for (double length : lengths) {
          controls.TXT_Nom_Length.text = FormatNumber(length, "0.0000");
          controls.Chk_Rad_HEAD.checked = length > 10 * pitch;
          const std::string what = size.Name + " " + pitch_text + " " + segments + " segments, " +
                                   controls.TXT_Nom_Length.text + " long";
          std::string text;
          const GenerationResult result = ComposeScript(state, controls, nullptr, input, text);
          ASSERT_EQ(result.kind, GenerationResult::Kind::kWritten) << what << ": " << result.message;
          const Script script = ReadScript(ScriptLines(text));
          ASSERT_EQ(script.parts.size(), 5u) << what;
          ExpectBolt(script.parts[0], state.dims,
                     BoltBodyRowCount(state.dims, true, controls.Chk_Rad_HEAD.checked));
          for (std::size_t i = 1; i < 5; ++i) ExpectNut(script.parts[i]);
          ExpectWindows(script, what);
          ExpectNutsApart(script, what);
          if (HasFailure()) return;
        }
      }
    }
  }
}

}  // namespace
}  // namespace boltgen
