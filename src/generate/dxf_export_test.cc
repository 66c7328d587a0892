#include "generate/dxf_export.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/bolt_request_test.h"
#include "generate/driver.h"
#include "generate/dxf_read_test.h"

namespace boltgen {
namespace {

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

BoltRequest Choices(const std::string& size, const std::string& pitch, const std::string& segments,
                    const std::string& file, const std::string& length = "3.0000") {
  BoltRequest c = TextRequest(size, pitch, length, segments);
  c.file_name = file;
  c.washer_face = c.head_radius = c.sharp_threads = c.nuts = true;
  return c;
}

std::vector<Part> Parts(const BoltRequest& c) {
  GenerationState state;
  Result<BoltParts> built = BuildBoltParts(state, c, {kSizeTable, {}});
  EXPECT_TRUE(built);
  return built ? std::move(built.value().parts) : std::vector<Part>();
}

// Writes the script and the drawings of `c` into its folder; returns the
// checker's arguments for them.
std::string WriteRun(const BoltRequest& c, LengthUnit unit) {
  GenerationState state;
  const Result<std::string> script = ComposeScript(state, c, {kSizeTable, {6, 12, 2026}});
  EXPECT_TRUE(script);
  const std::string script_path = c.file_name + ".scr";
  std::vector<OutputFile> files = DxfFiles(Parts(c), script_path, unit);
  std::string args = ShellWord(script_path) + (unit == LengthUnit::kInch ? " in" : " mm");
  for (const OutputFile& file : files) args += " " + ShellWord(file.path);
  files.push_back({script_path, script ? script.value() : std::string()});
  EXPECT_EQ(WriteFilesAtomically(files), "");
  return args;
}

// A threaded inch bolt with nuts and a metric one, every drawing read back by
// ezdxf and held against the script written beside it.
TEST(DxfFiles, EzdxfReadsEachPartAsTheScriptsMeshInTheTablesUnit) {
  std::string dir = testing::TempDir() + "/dxf_export_XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  const BoltRequest inch = Choices("[Inch 3/4]", "0.076923 UNC", "36",
                                dir + "/IN_07500_HCSW-UNC_03000-3D(036)");
  const BoltRequest metric = Choices("[Metric M12]", "1.75 coarse", "24",
                                  dir + "/MM_01200_HCSW-017_0075.0-3D(024)", "75");
  const std::vector<OutputFile> files = DxfFiles(Parts(inch), inch.file_name + ".scr",
                                                 LengthUnit::kInch);
  const std::string names[] = {"IN_07500_HCSW-UNC_03000-3D(036)", "IN_07500_HNSW-3D(036)",
                               "IN_07500_HNJW-3D(036)", "IN_07500_HNJP-3D(036)",
                               "IN_07500_HNSP-3D(036)"};
  ASSERT_EQ(files.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(files[i].path, dir + "/" + names[i] + ".dxf");
  EXPECT_EQ(DxfPath("cad/BOLT.SCR", "BOLT"), "cad/BOLT.dxf");
  EXPECT_EQ(DxfPath("BOLT.scr", "BOLTHNSWBOLT"), "BOLTHNSWBOLT.dxf");

  std::string report;
  const int status = RunDxfChecker(WriteRun(inch, LengthUnit::kInch) + " -- " +
                                       WriteRun(metric, LengthUnit::kMillimetre), report);
  EXPECT_EQ(status, 0) << report;
  EXPECT_NE(report.find("check_dxf: 10 files, 0 failures"), std::string::npos) << report;
  // The checker itself refuses a drawing in the other unit.
  report.clear();
  EXPECT_EQ(RunDxfChecker(ShellWord(inch.file_name + ".scr") + " mm " +
                              ShellWord(dir + "/" + names[0] + ".dxf"), report), 1) << report;
}

// The group codes a reader keys on: the mesh's flags and sizes, the vertex
// flags, and a handle seed above every handle (on the largest grid).
TEST(EncodeDxf, WritesAnOpenPolygonMeshWithAHandleSeedAboveItsHandles) {
  const BoltRequest c = Choices("[Inch 3/4]", "0.076923 UNC", "240", "BOLT", "12");
  const Part bolt = Parts(c).front();
  const std::vector<DxfGroup> groups = DxfGroups(EncodeDxf(bolt, LengthUnit::kMillimetre));
  unsigned long seed = 0, highest = 0;
  int vertex_flags = 0, vertices = 0;
  for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
    const DxfGroup& g = groups[i];
    if (g.code == 9 && g.value == "$HANDSEED") seed = std::stoul(groups[i + 1].value, nullptr, 16);
    if (g.code == 9 && g.value == "$INSUNITS") {
      EXPECT_EQ(groups[i + 1].value, "4");
    }
    const bool is_seed = i > 0 && groups[i - 1].value == "$HANDSEED";
    if ((g.code == 5 || g.code == 105) && !is_seed) highest = std::max(highest, std::stoul(g.value, nullptr, 16));
    if (g.code == 0 && g.value == "VERTEX") ++vertices;
    if (g.code == 70 && vertices > 0 && groups[i - 1].code == 30) vertex_flags |= std::stoi(g.value);
    if (g.code == 0 && g.value == "POLYLINE") {
      std::string flags, m, n;
      for (std::size_t j = i + 1; groups[j].code != 0; ++j) {
        if (groups[j].code == 70) flags = groups[j].value;
        if (groups[j].code == 71) m = groups[j].value;
        if (groups[j].code == 72) n = groups[j].value;
      }
      EXPECT_EQ(flags, "16");
      EXPECT_EQ(m, std::to_string(bolt.grid.columns()));
      EXPECT_EQ(n, std::to_string(bolt.grid.rows()));
    }
  }
  EXPECT_EQ(vertices, bolt.grid.columns() * bolt.grid.rows());
  EXPECT_EQ(bolt.grid.columns(), 241);
  EXPECT_EQ(vertex_flags, 64);
  EXPECT_GT(seed, highest);
}

// A user whose numbers use a decimal comma gets the same file: nothing on the
// way goes through the locale, neither C's nor C++'s.
TEST(EncodeDxf, IsTheSameWhateverTheLocale) {
  const Part bolt = Parts(Choices("[Metric M12]", "1.75 coarse", "24", "BOLT", "75")).front();
  const std::string plain = EncodeDxf(bolt, LengthUnit::kMillimetre);

  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\1"; }
  };
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Comma));
  const std::string c_previous = std::setlocale(LC_ALL, nullptr);
  bool c_comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      c_comma = true;
      break;
    }
  }
  const std::string localized = EncodeDxf(bolt, LengthUnit::kMillimetre);
  std::setlocale(LC_ALL, c_previous.c_str());
  std::locale::global(previous);
  EXPECT_EQ(localized, plain);
  if (!c_comma) std::printf("(no decimal-comma C locale installed: only C++'s was changed)\n");
}

}  // namespace
}  // namespace boltgen
