// Every shipped size, each generation read back both from its script text and
// as the parts that its STL files are made of.

#include <algorithm>
#include <array>
#include <cmath>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "config/bolt_request_test.h"
#include "config/leading_number.h"
#include "config/size_table.h"
#include "generate/driver.h"
#include "generate/parts.h"
#include "geometry/bolt_body.h"
#include "geometry/threads.h"
#include "mesh/grid_triangulation.h"
#include "mesh/script_lines_test.h"
#include "mesh/stl.h"

namespace boltgen {
namespace {

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

// An export window, or the box around a part as the script writes it.
struct Box {
  Point3 low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
  void Add(const Point3& p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  bool Holds(const Box& b) const {
    return b.low.x >= low.x && b.low.y >= low.y && b.low.z >= low.z && b.high.x <= high.x &&
           b.high.y <= high.y && b.high.z <= high.z;
  }
};
using Column = std::vector<Point3>;
struct ScriptPart {
  std::vector<Column> columns;
  Box box;
};

// "x,y,z" and "x1,y1,z1 x2,y2,z2" as the script writes them.
std::vector<double> Numbers(const std::string& text) {
  std::vector<double> values;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = text.find_first_of(", ", start);
    values.push_back(LeadingNumber(std::string_view(text).substr(start, end - start)));
  }
  return values;
}

void ReadScript(const std::string& text, std::vector<ScriptPart>& parts,
                std::vector<Box>& windows) {
  const std::vector<std::string> lines = ScriptLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("; ----PART: ", 0) == 0) {
      ScriptPart& part = parts.emplace_back();
      const int columns = static_cast<int>(LeadingNumber(lines[i + 2]));
      const int rows = static_cast<int>(LeadingNumber(lines[i += 3]));
      for (int c = 0; c < columns; ++c) {
        ++i;  // the column's comment line
        Column& column = part.columns.emplace_back();
        for (int r = 0; r < rows; ++r) {
          const std::vector<double> v = Numbers(lines[++i]);
          part.box.Add(column.emplace_back(Point3{v[0], v[1], v[2]}));
        }
      }
    } else if (lines[i].rfind("-exportdrawing .\\", 0) == 0) {
      const std::vector<double> v = Numbers(lines[i + 3].substr(2));
      windows.emplace_back().Add({v[0], v[1], v[2]});
      windows.back().Add({v[3], v[4], v[5]});
    }
  }
}

bool Near(const Point3& a, const Point3& b) { return Length(a - b) < 2.6e-4; }  // four decimals

// The bolt's threaded length: whole turns covering thread_length, from row B
// at -L + (T + 1.5) pitches down to the tip.
void ExpectThreadedLength(const ScriptPart& bolt, const BoltDimensions& d, int body_rows) {
  const int turns = ThreadTurns(d.thread_length, d.pitch);
  ASSERT_EQ(bolt.columns[0].size(), static_cast<std::size_t>(body_rows + 2 * turns + 7));
  EXPECT_GE(turns * d.pitch, d.thread_length - 1e-4 * d.pitch);
  EXPECT_LT((turns - 1) * d.pitch, d.thread_length);
  EXPECT_NEAR(bolt.columns[0][body_rows - 3].z, -d.nominal_length + (turns + 1.5) * d.pitch, 1e-3);
}

// Every part closes (the bolt's seam is the STL check's: welded, it would
// leave open edges), lies in its own export window only, and the nuts clear
// the head and each other. Windows export bolt, HNSW, HNJW, HNSP, HNJP; the
// script writes the plain face jam nut before the standard one.
void ExpectScript(const std::string& text, const BoltDimensions& d, bool fillet) {
  std::vector<ScriptPart> parts;
  std::vector<Box> windows;
  ReadScript(text, parts, windows);
  ASSERT_TRUE(parts.size() == 5 && windows.size() == 5);
  ExpectThreadedLength(parts[0], d, BoltBodyRowCount(d, true, fillet));
  constexpr std::size_t kPartOfWindow[] = {0, 1, 2, 4, 3};
  for (std::size_t i = 0; i < 5; ++i) {
    for (const Column& column : parts[i].columns) {
      EXPECT_TRUE(i == 0 ? column.front().x == 0 && column.front().y == 0 &&
                               column.back().x == 0 && column.back().y == 0
                         : Near(column.front(), column.back()));
    }
    const Column &first = parts[i].columns.front(), &last = parts[i].columns.back();
    EXPECT_TRUE(i == 0 || std::ranges::equal(first, last, Near));
    for (std::size_t p = 0; p < 5; ++p) {
      EXPECT_EQ(windows[i].Holds(parts[p].box), p == kPartOfWindow[i]) << i << " " << p;
    }
    for (std::size_t j = i + 1; i > 0 && j < 5; ++j) {
      EXPECT_TRUE(parts[i].box.high.z < parts[j].box.low.z ||
                  parts[j].box.high.z < parts[i].box.low.z) << i << j;
    }
    EXPECT_TRUE(i == 0 || parts[i].box.low.z > parts[0].box.high.z) << i;
  }
  // Across flats between the columns at 0 and 180 degrees on row 3 (under
  // the head, on a nut's hexagon), and each window wider than its part's
  // corners: a nut may be wider than the head.
  for (std::size_t i = 0; i < 5; ++i) {
    const double flats = i == 0 ? d.Flats : NutDimensions(d).Flats;
    const std::vector<Column>& columns = parts[i].columns;
    EXPECT_NEAR(columns[0][3].x - columns[columns.size() / 2][3].x, flats, 2e-4) << i;
    EXPECT_NEAR(windows[i].high.x, flats / std::cos(kPi / 6) + 1, 1e-3) << i;
  }
}

// The table's sizes in standard proportions, read alike by both readers;
// metric bolts beyond 200 mm take the third thread length, b = 2d + 25.
void ExpectStandardSize(const SizeEntry& size, const BoltDimensions& d) {
  const bool inch = size.name.starts_with("[Inch ");
  EXPECT_TRUE(d.HghtWshFace > 0 && d.RadWshFace > 0);
  EXPECT_EQ(d.DiaNom, size.nominal_diameter);
  EXPECT_EQ(d.MinThrSht, 2 * d.DiaNom + (inch ? 0.25 : 6));
  EXPECT_EQ(d.MinThrLng, 2 * d.DiaNom + (inch ? 0.5 : 12));
  EXPECT_EQ(d.Long, inch ? 6 : 125);
  EXPECT_EQ(d.LongXL, inch ? 0 : 200);
  EXPECT_EQ(d.MinThrXLng, inch ? 0 : 2 * d.DiaNom + 25);
  EXPECT_TRUE(d.HghtNut > d.HghtNutJam && d.HghtHex > d.HghtWshFace);
  // The washer face circle lies outside the thread's countersink.
  EXPECT_GT(d.Flats * 0.9 / 2, d.DiaNom / 2 + d.pitch / 4);
  EXPECT_TRUE(d.pitch > 0 && d.pitch < d.DiaNom / 4);
  // Only the 7/16 and 9/16 nuts are wider than their cap screws' heads.
  const double nut_flats = NutDimensions(d).Flats;
  if (size.name == "[Inch 7/16]") {
    EXPECT_TRUE(d.Flats == 0.625 && nut_flats == 0.6875);
  } else if (size.name == "[Inch 9/16]") {
    EXPECT_TRUE(d.Flats == 0.8125 && nut_flats == 0.875);
  } else {
    EXPECT_EQ(nut_flats, d.Flats);
  }
}

// The volume of the bolt's rows down to its lowest shank ring, then a
// turned end: the bounds of the bolt whatever its thread does below that ring.
double TurnedVolume(const Part& bolt, int shank_end,
                    const std::vector<std::pair<double, double>>& tail) {
  static MeshGrid grid;  // one for all: a grid is large to clear
  grid.column_count = static_cast<std::int16_t>(bolt.grid.columns());
  grid.row_count = static_cast<std::int16_t>(shank_end + tail.size());
  for (int col = 1; col <= grid.column_count; ++col) {
    for (int row = 1; row <= shank_end; ++row) {
      const GridPoint& p = bolt.grid.at(row, col);
      std::tie(grid.at(row, col).x, grid.at(row, col).y, grid.at(row, col).z) =
          std::tuple(p.x, p.y, p.z);
    }
    const double a = DegToRad(bolt.grid.angle_deg(col));
    for (std::size_t i = 0; i < tail.size(); ++i) {
      MeshVertex& v = grid.at(shank_end + 1 + static_cast<int>(i), col);
      std::tie(v.x, v.y, v.z) =
          std::tuple(std::cos(a) * tail[i].first, std::sin(a) * tail[i].first, tail[i].second);
    }
  }
  return SignedVolume(TriangulateGrid(GridCopy(grid)));
}

double Polygon(double r, int n) { return n / 2.0 * r * r * std::sin(2 * kPi / n); }

// Each part a closed outward surface between turned bounds: the bolt's down
// to its lowest shank ring, and those of a nut's hexagon and bore.
void ExpectStlParts(const std::vector<Part>& parts, const BoltDimensions& d, bool washer_face,
                    bool fillet) {
  const double length = d.nominal_length, half_pitch = d.half_pitch, major_radius = d.major_dia / 2,
               minor_radius = d.minor_dia / 2;
  const double heights[] = {0, d.HghtNut, d.HghtNutJam, d.HghtNutJam, d.HghtNut};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const TriangleMesh mesh = PartMesh(parts[i]);
    // At 240 as 32-bit floats, as a reader sees the file: the finest grid has
    // the vertices closest together.
    const bool as_read = d.segments == 240;
    EXPECT_TRUE(CheckEdges(as_read ? *DecodeBinaryStl(EncodeBinaryStl(mesh, "")) : mesh)
                    .IsClosedManifold()) << i;
    EXPECT_EQ(CountShells(mesh), 1u) << i;
    const double volume = SignedVolume(mesh), h = heights[i];
    const int n = d.segments, end = BoltBodyRowCount(d, washer_face, fillet) - 2;
    if (i == 0) {
      const double end_z = parts[0].grid.at(end, 1).z;
      EXPECT_GT(volume, TurnedVolume(parts[0], end,
                                     {{minor_radius, end_z},
                                      {minor_radius, -length + 3 * half_pitch},
                                      {major_radius - 3 * half_pitch, -length},
                                      {0, -length}}));
      EXPECT_LE(volume,
                TurnedVolume(parts[0], end, {{major_radius, -length}, {0, -length}}) * (1 + 1e-12));
    } else {
      const BoltDimensions nut = NutDimensions(d);
      EXPECT_GT(volume,
                (Polygon(nut.washer_face_dia / 2, n) - Polygon(major_radius + d.pitch / 4, n)) * h)
          << i;
      EXPECT_LT(volume, (std::sqrt(3.0) / 2 * nut.Flats * nut.Flats - Polygon(major_radius, n)) * h)
          << i;
    }
  }
}

// Every pitch of every size at 24 segments, at a length of four diameters,
// a shortened thread and a long bolt; the first pitch also with every mix of
// options, at 240 (all on and all off, and the last pitch) and at one other
// count in turn. Each generation is composed as a script (when it has threads
// and nuts) and built in memory for its STL files. The script goes to a
// folder, its drawings are named without it.
TEST(ShippedSizes, EveryGenerationClosesInItsWindowsAndIsSoundBetweenItsBounds) {
  const Result<std::string> content = ReadWholeFile(kSizeTable);
  ASSERT_TRUE(content) << content.error().message;
  // Every line ends in CR LF, the one line end both readers share.
  EXPECT_FALSE(std::regex_search(*content, std::regex("\r(?!\n)|(^|[^\r])\n")));
  const std::vector<SizeEntry> sizes = ReadSizeList(*content);
  ASSERT_GE(sizes.size(), 20u);
  EXPECT_EQ(sizes[DefaultSizeIndex(sizes)].name, "[Inch 3/4]");
  EXPECT_EQ(PitchesOf(sizes, "[Inch 3/4]"), (std::vector<std::string>{"0.0625 UNF", "0.1 UNC"}));
  GenerationState state;  // reused as one run of the program reuses it
  const GenerationInput input{kSizeTable, {6, 12, 2026}};
  BoltRequest c;
  c.file_name = "cad/ABCDEFGHIJKLMNOPQRSTU.SCR";
  c.sharp_threads = c.block_commands = true;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const double diameter = sizes[i].nominal_diameter;
    const std::vector<std::string> pitches = PitchesOf(sizes, sizes[i].name);
    ASSERT_EQ(pitches.size(), 2u) << sizes[i].name;
    for (const std::string& pitch : pitches) {
      const double pitch_value = LeadingNumber(pitch);
      const bool first = &pitch == &pitches.front(), last = &pitch == &pitches.back();
      struct Run {
        int segments, options;  // options: threads 1, washer face and nuts 2, fillet 4
        double length;
      };
      std::vector<Run> runs = {
          {24, 7, 4 * diameter}, {24, 7, 8 * pitch_value}, {24, 7, 25 * diameter}};
      for (int options = 0; first && options < 7; ++options)
        runs.push_back({24, options, 4 * diameter});
      if (first)
        runs.insert(runs.end(), {{240, 0, 4 * diameter},
                                 {std::array{36, 48, 72, 144}[i % 4], 7, 4 * diameter}});
      if (first || last) runs.push_back({240, 7, 4 * diameter});
      for (const Run& run : runs) {
        const BoltRequest texts = TextRequest(sizes[i].name, pitch,
                                              FormatNumber(run.length, "0.0000"),
                                              std::to_string(run.segments));
        c.size = texts.size, c.pitch_text = texts.pitch_text, c.pitch = texts.pitch;
        c.segments_text = texts.segments_text, c.segments = texts.segments;
        c.length_text = texts.length_text, c.length = texts.length;
        c.plain_body = !(run.options & 1);
        c.washer_face = c.nuts = run.options & 2;
        c.head_radius = (run.options & 4) && run.length > 10 * pitch_value;
        SCOPED_TRACE(sizes[i].name + " " + pitch + " /" + c.segments_text + " " +
                     c.length_text + " long, options " + std::to_string(run.options));
        const Result<BoltParts> built = BuildBoltParts(state, c, input);
        ASSERT_TRUE(built) << built.error().message;
        const std::vector<Part>& parts = built->parts;
        if (&run == &runs.front()) ExpectStandardSize(sizes[i], state.dims);
        std::string text;
        if (run.options == 7) {
          text = ScriptText(built.value(), input.today);
          ExpectScript(text, state.dims, c.head_radius);
        }
        ASSERT_EQ(parts.size(), c.nuts ? 5u : 1u);
        EXPECT_EQ(parts[0].drawing_name, "ABCDEFGHIJKLMNOPQRSTU");
        if (c.nuts) {
          EXPECT_EQ(parts[3].part_name, "Plain Face Jam Nut");
          EXPECT_EQ(parts[3].drawing_name, "ABCDEFGHIHNJPNOPQRSTU");
        }
        ExpectStlParts(parts, state.dims, c.washer_face, c.head_radius);
        if (HasFailure()) return;
      }
    }
  }
}

}  // namespace
}  // namespace boltgen
