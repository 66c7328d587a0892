#include "generate/dxf_export.h"

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/test_folder.h"
#include "config/bolt_request_test.h"
#include "generate/driver.h"
#include "generate/dxf_read_test.h"

namespace boltgen {
namespace {

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

// A threaded inch bolt with nuts and a metric one, written as a run writes
// them, every drawing read back by ezdxf and held against the script beside it.
TEST(DxfFiles, EzdxfReadsEachPartAsTheScriptsMeshInTheTablesUnit) {
  EXPECT_EQ(DxfPath("cad/BOLT.SCR", "BOLT"), "cad/BOLT.dxf");
  const std::string dir = MakeTestFolder("dxf_export");
  const struct {
    const char *size, *pitch, *segments, *name, *length;
    LengthUnit unit;
  } cases[] = {{"[Inch 3/4]", "0.076923 UNC", "36", "IN_07500_HCSW-UNC_03000-3D(036)", "3.0000",
                LengthUnit::kInch},
               {"[Metric M12]", "1.75 coarse", "24", "MM_01200_HCSW-017_0075.0-3D(024)", "75",
                LengthUnit::kMillimetre}};
  std::string args;
  std::vector<std::string> inch_drawings;
  for (const auto& k : cases) {
    BoltRequest c = TextRequest(k.size, k.pitch, k.length, k.segments);
    c.file_name = dir + "/" + k.name;
    c.washer_face = c.head_radius = c.sharp_threads = c.nuts = c.write_dxf = true;
    c.part_file_unit = k.unit;
    GenerationState state;
    const Result<WrittenFiles> written = GenerateFiles(state, c, {kSizeTable, {6, 12, 2026}});
    ASSERT_TRUE(written) << written.error().message;
    if (!args.empty()) args += " -- ";
    args += ShellWord(written->script_path) + (k.unit == LengthUnit::kInch ? " in" : " mm");
    for (const std::string& path : written->part_files) args += " " + ShellWord(path);
    if (inch_drawings.empty()) inch_drawings = written->part_files;
  }
  std::vector<std::string> want;
  for (const char* name : {"IN_07500_HCSW-UNC_03000-3D(036)", "IN_07500_HNSW-3D(036)",
                           "IN_07500_HNJW-3D(036)", "IN_07500_HNJP-3D(036)", "IN_07500_HNSP-3D(036)"})
    want.push_back(dir + "/" + name + ".dxf");
  EXPECT_EQ(inch_drawings, want);
  std::string report;
  EXPECT_EQ(RunDxfChecker(args, report), 0) << report;
  EXPECT_NE(report.find("check_dxf: 10 files, 0 failures"), std::string::npos) << report;
}

// A program editing the drawing hands out handles from the seed on: it must
// lie above every handle the drawing uses. A user whose numbers use a decimal
// comma gets the same file: nothing on the way goes through the locale,
// neither C's nor C++'s.
TEST(EncodeDxf, SeedsAboveEveryHandleWhateverTheLocale) {
  BoltRequest c = TextRequest("[Metric M12]", "1.75 coarse", "75", "24");
  c.file_name = "BOLT";
  GenerationState state;
  const Result<BoltParts> built = BuildBoltParts(state, c, {kSizeTable, {}});
  ASSERT_TRUE(built) << built.error().message;
  const Part& bolt = built->parts.front();
  const std::string plain = EncodeDxf(bolt, LengthUnit::kMillimetre);
  const std::vector<DxfGroup> groups = DxfGroups(plain);
  unsigned long seed = 0, highest = 0;
  for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
    if (groups[i].value == "$HANDSEED") {
      seed = std::stoul(groups[++i].value, nullptr, 16);  // the seed is no handle itself
    } else if (groups[i].code == 5 || groups[i].code == 105) {
      highest = std::max(highest, std::stoul(groups[i].value, nullptr, 16));
    }
  }
  EXPECT_GT(highest, 0ul);
  EXPECT_GT(seed, highest);

  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\1"; }
  };
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Comma));
  const std::string c_previous = std::setlocale(LC_ALL, nullptr);
  // scripts/install-deps.sh makes this locale.
  const bool c_comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  const std::string localized = EncodeDxf(bolt, LengthUnit::kMillimetre);
  std::setlocale(LC_ALL, c_previous.c_str());
  std::locale::global(previous);
  EXPECT_EQ(localized, plain);
  if (!c_comma) std::printf("(no de_DE.UTF-8 locale: only C++'s decimal mark was changed)\n");
}

}  // namespace
}  // namespace boltgen
