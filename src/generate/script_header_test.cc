#include "generate/script_header.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "generate/script_lines_test.h"

namespace boltgen {
namespace {

std::string Header(const BoltRequest& built) {
  BoltDimensions dims;
  dims.DiaNom = 0.75, dims.NomLength = 3, dims.Segments = 24, dims.RadWshFace = 0.0625;
  std::string script;
  AppendScriptHeader(script, built, dims, Date{6, 12, 2026});
  return script;
}

TEST(AppendScriptHeader, ExactTextThenTheDetailsAndSizeNameOfOtherChoices) {
  BoltRequest built;
  built.size = "[Inch 3/4]", built.pitch_text = "0.1 UNC";
  built.washer_face = built.head_radius = true;
  built.sharp_threads = true;
  EXPECT_EQ(Header(built),
            "; This script file was created by the 'Quillfen 3D Bolt Generator'.\r\n"
            "; Visit www.quillfen.example to access the PUBLIC DOMAIN CAD library.\r\n"
            "; ---------------------------------------------------------------------\r\n"
            "; Nominal Diameter: Inch 3/4 (000.7500)\r\n"
            "; Nominal Length: 0003.0000\r\n"
            "; Segments: 024\r\n"
            "; Details: Threaded 0.1 UNC, Washer Face, Radius Under Head (00.0625), "
            "Sharp Threads\r\n"
            "; Date: 06 Dec 2026\r\n"
            "; \r\n");

  built.washer_face = built.head_radius = built.sharp_threads = false;
  EXPECT_EQ(ScriptLines(Header(built)).at(6),
            "; Details: Threaded 0.1 UNC, Plain Face, No Head Radius, Radius Threads");
  built.plain_body = true;
  EXPECT_EQ(ScriptLines(Header(built)).at(6),
            "; Details: Plain Body, Plain Face, No Head Radius, Radius Threads");

  const std::pair<const char*, const char*> names[] = {
      {"[ Metric M6 ]", "Metric M6"}, {"[]", ""}, {"", ""}, {"[\tTab]", "\tTab"},
      {"[A very long size name that goes past thirty]", "A very long size name that goe"}};
  for (const auto& [text, name] : names) {
    built.size = text;
    EXPECT_EQ(ScriptLines(Header(built)).at(3),
              std::string("; Nominal Diameter: ") + name + " (000.7500)");
  }
}

}  // namespace
}  // namespace boltgen
