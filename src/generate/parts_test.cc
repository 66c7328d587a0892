#include "generate/parts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "config/size_table.h"
#include "geometry/bolt_body.h"
#include "mesh/grid_triangulation.h"
#include "mesh/stl.h"

namespace boltgen {
namespace {

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

struct Choice {
  std::string size;
  std::string pitch;
  int segments = 24;
  bool threads = true;
  bool washer_face = true;
  bool fillet = true;
  bool nuts = true;
};

Controls ControlsFor(const Choice& choice, double length) {
  Controls controls;
  controls.Cmb_Size.text = choice.size;
  controls.Cmb_Pitch.text = choice.pitch;
  controls.TXT_Nom_Length.text = FormatNumber(length, "###0.000");
  controls.CMB_Segments.text = std::to_string(choice.segments);
  controls.TXT_File.text = "ABCDEFGHIJKLMNOPQRSTU.scr";
  controls.Chk_No_Threads.checked = !choice.threads;
  controls.Chk_WF.checked = choice.washer_face;
  controls.Chk_Rad_HEAD.checked = choice.fillet;
  controls.Chk_Sharp_Threads.checked = true;
  controls.Chk_Nuts.checked = choice.nuts;
  return controls;
}

struct Built {
  GenerationState state;
  std::vector<Part> parts;
};

// A length of four diameters: long enough for every pitch's thread, short
// enough for the grid.
void Build(const Choice& choice, double dia_nom, Built& built) {
  const Controls controls = ControlsFor(choice, 4 * dia_nom);
  const GenerationResult result =
      BuildPartsInMemory(built.state, controls, {kSizeTable, {}}, built.parts);
  ASSERT_EQ(result.kind, GenerationResult::Kind::kWritten) << result.message;
}

double PolygonArea(double r, int n) { return n / 2.0 * r * r * std::sin(2 * kPi / n); }

// The bolt's rows down to its lowest shank ring, then a turned end: the
// bounds of the bolt whatever its thread does below that ring.
double TurnedVolume(const Part& bolt, int shank_end_row,
                    const std::vector<std::pair<double, double>>& tail) {
  static MeshGrid grid;  // one for all: a grid is large to clear
  grid.ColumnCount = static_cast<std::int16_t>(bolt.grid.columns());
  grid.RowCount = static_cast<std::int16_t>(shank_end_row + tail.size());
  for (int col = 1; col <= grid.ColumnCount; ++col) {
    for (int row = 1; row <= shank_end_row; ++row) grid.at(row, col) = bolt.grid.at(row, col);
    const double a = bolt.grid.at(1, col).AngleRad;
    for (std::size_t i = 0; i < tail.size(); ++i) {
      MeshVertex& v = grid.at(shank_end_row + 1 + static_cast<int>(i), col);
      v.X = std::cos(a) * tail[i].first;
      v.Y = std::sin(a) * tail[i].first;
      v.Z = tail[i].second;
    }
  }
  const TriangleMesh mesh = TriangulateGrid(GridCopy(grid));
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  return SignedVolume(mesh);
}

void ExpectSoundSurface(const TriangleMesh& mesh, const std::string& what) {
  const EdgeReport report = CheckEdges(mesh);
  EXPECT_TRUE(report.IsClosedManifold())
      << what << ": open " << report.open_edges << ", non-manifold " << report.non_manifold_edges
      << ", misoriented " << report.misoriented_edges << ", degenerate "
      << report.degenerate_triangles;
  EXPECT_EQ(CountShells(mesh), 1u) << what;
}

void ExpectZRange(const TriangleMesh& mesh, double low, double high, const std::string& what) {
  auto [lowest, highest] = std::ranges::minmax(mesh.vertices, {}, &Point3::z);
  EXPECT_NEAR(lowest.z, low, 1e-9) << what;
  EXPECT_NEAR(highest.z, high, 1e-9) << what;
}

void CheckBolt(const Built& built, const Choice& choice, const std::string& what) {
  const BoltDimensions& d = built.state.dims;
  const Part& bolt = built.parts.front();
  const TriangleMesh mesh = PartMesh(bolt);
  ExpectSoundSurface(mesh, what);
  if (choice.segments == 240) {
    // Once written as 32-bit floats, as a reader sees the file; the finest
    // grid has the vertices closest together.
    const auto read_back = DecodeBinaryStl(EncodeBinaryStl(mesh, what));
    ASSERT_TRUE(read_back.has_value());
    ExpectSoundSurface(*read_back, what + " as STL");
  }

  const double L = d.NomLength;
  const double p = d.HalfPitch;
  const double rMaj = d.MajorDia / 2;
  const double rMin = d.MinorDia / 2;
  const bool washer_face = choice.washer_face || choice.nuts;
  const int shank_end = BoltBodyRowCount(d, washer_face, choice.fillet) - 2;
  const double shank_end_z = bolt.grid.at(shank_end, 1).Z;
  const double upper = TurnedVolume(bolt, shank_end, {{rMaj, -L}, {0, -L}});
  const double lower = TurnedVolume(
      bolt, shank_end, {{rMin, shank_end_z}, {rMin, -L + 3 * p}, {rMaj - 3 * p, -L}, {0, -L}});
  const double volume = SignedVolume(mesh);
  EXPECT_GT(volume, 0) << what;
  EXPECT_LT(lower, volume) << what;
  EXPECT_LE(volume, upper * (1 + 1e-12)) << what;

  // Where the script puts it: head up to HghtHex, tip at -L, corners of the
  // hexagon furthest out.
  double widest = 0;
  for (const Point3& v : mesh.vertices) widest = std::max(widest, std::hypot(v.x, v.y));
  ExpectZRange(mesh, -L, d.HghtHex, what);
  EXPECT_NEAR(widest, d.AcrossCorners / 2, 1e-9) << what;
}

void CheckNut(const Part& nut, const BoltDimensions& d, double height, const std::string& what) {
  const TriangleMesh mesh = PartMesh(nut);
  ExpectSoundSurface(mesh, what);
  const int n = nut.grid.columns() - 1;
  const double hexagon = std::sqrt(3.0) / 2 * d.Flats * d.Flats;
  const double upper = (hexagon - PolygonArea(d.MajorDia / 2, n)) * height;
  const double lower =
      (PolygonArea(d.WshFaceDia / 2, n) - PolygonArea(d.MajorDia / 2 + d.Pitch / 4, n)) * height;
  const double volume = SignedVolume(mesh);
  EXPECT_GT(volume, lower) << what;
  EXPECT_LT(volume, upper) << what;
  // Where the script puts it: bearing face at the offset, body below it.
  ExpectZRange(mesh, nut.z_offset - height, nut.z_offset, what);
}

class EveryShippedSize : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    std::string error;
    const auto content = ReadWholeFile(kSizeTable, &error);
    ASSERT_TRUE(content.has_value()) << error;
    sizes_ = ReadIniSections(*content);
    ASSERT_FALSE(sizes_.empty());
  }
  std::vector<SizeEntry> sizes_;
};

// Every mix of options at 24 segments, and every pitch threaded. At 240,
// where the vertices lie closest but each bolt costs ten times as much, all
// options on and all off, and the last pitch offered (inch UNC, metric fine)
// as well as the first: every row that an option adds or leaves out still
// meets the finest grid.
TEST_P(EveryShippedSize, EveryPartIsAClosedOutwardSurfaceBetweenItsBounds) {
  const int segments = GetParam();
  const std::vector<int> option_sets =
      segments == 24 ? std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7} : std::vector<int>{0, 7};
  Built built;  // reused as one run of the program reuses its state
  for (const SizeEntry& size : sizes_) {
    const std::vector<std::string> pitches = PitchesOf(sizes_, size.Name);
    ASSERT_FALSE(pitches.empty()) << size.Name;
    for (int options : option_sets) {
      Choice choice{size.Name,          pitches.front(),    segments,          (options & 1) != 0,
                    (options & 2) != 0, (options & 4) != 0, (options & 2) != 0};
      const std::string what = size.Name + " " + choice.pitch + " /" + std::to_string(segments) +
                               (choice.threads ? " threads" : "") +
                               (choice.washer_face ? " washer face" : "") +
                               (choice.fillet ? " fillet" : "");
      Build(choice, size.DiaNom, built);
      ASSERT_EQ(built.parts.size(), choice.nuts ? 5u : 1u) << what;
      CheckBolt(built, choice, what);
      // The nuts do not depend on the thread or the fillet.
      if (choice.nuts && choice.threads && choice.fillet) {
        const BoltDimensions& d = built.state.dims;
        const double heights[] = {d.HghtNut, d.HghtNutJam, d.HghtNutJam, d.HghtNut};
        for (int i = 0; i < 4; ++i) {
          CheckNut(built.parts[i + 1], d, heights[i], what + " " + built.parts[i + 1].part_name);
        }
      }
    }
    for (std::size_t i = segments == 24 ? 1 : pitches.size() - 1; i < pitches.size(); ++i) {
      const Choice choice{size.Name, pitches[i], segments, true, true, true, false};
      Build(choice, size.DiaNom, built);
      CheckBolt(built, choice, size.Name + " " + pitches[i]);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FewestAndMostSegments, EveryShippedSize, ::testing::Values(24, 240));

TEST(BuildPartsInMemory, NamesAndPlacesThePartsAsTheScriptAndItsDrawingsDo) {
  GenerationState state;
  std::vector<Part> parts;
  Controls controls = ControlsFor({"[Inch 3/4]", "0.076923 UNC", 36}, 3);
  controls.TXT_File.text = "out/ABCDEFGHIJKLMNOPQRSTU";
  ASSERT_EQ(BuildPartsInMemory(state, controls, {kSizeTable, {}}, parts).kind,
            GenerationResult::Kind::kWritten);
  ASSERT_EQ(parts.size(), 5u);
  EXPECT_EQ(parts[0].part_name, "Hex Head Cap Screw(Bolt)");
  EXPECT_EQ(parts[3].part_name, "Plain Face Jam Nut");
  EXPECT_EQ(parts[0].drawing_name, "ABCDEFGHIJKLMNOPQRSTU");
  EXPECT_EQ(parts[3].drawing_name, "ABCDEFGHIHNJPNOPQRSTU");
  EXPECT_EQ(parts[0].z_offset, 0);
  const int offset_of[] = {0, 1, 3, 2};  // the plain face nuts are written jam nut first
  for (int i = 0; i < 4; ++i) EXPECT_EQ(parts[i + 1].z_offset, state.nut_offsets[offset_of[i]]);
  EXPECT_EQ(parts[0].grid.columns(), 37);
}

TEST(BuildPartsInMemory, RefusesWhatAGenerationRefusesAndBuildsNothing) {
  GenerationState state;
  std::vector<Part> parts;
  Controls controls = ControlsFor({"[Inch 3/4]", "0.076923 UNC", 30}, 3);
  EXPECT_EQ(BuildPartsInMemory(state, controls, {kSizeTable, {}}, parts).kind,
            GenerationResult::Kind::kRefused);
  EXPECT_TRUE(parts.empty());
  controls = ControlsFor({"[Inch 3/4]", "0.076923 UNC", 36}, 0.25);
  EXPECT_EQ(BuildPartsInMemory(state, controls, {kSizeTable, {}}, parts).kind,
            GenerationResult::Kind::kFatal);
  EXPECT_TRUE(parts.empty());
}

TEST(DrawingBaseName, DropsTheFolderAndTheScriptExtension) {
  EXPECT_EQ(DrawingBaseName("BOLT"), "BOLT");
  EXPECT_EQ(DrawingBaseName("BOLT.SCR"), "BOLT");
  EXPECT_EQ(DrawingBaseName("out/sub/BOLT.scr"), "BOLT");
  EXPECT_EQ(DrawingBaseName("C:\\cad\\IN-0750x13UNCx03000(3D-36).SCR"),
            "IN-0750x13UNCx03000(3D-36)");
}

}  // namespace
}  // namespace boltgen
