#include "generate/threemf_export.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "config/bolt_request_test.h"

#if BOLTGEN_HAVE_LIB3MF
#include <Model/COM/NMR_DLLInterfaces.h>
#endif

namespace boltgen {
namespace {

TEST(ThreeMfPath, TheScriptsNameBesideIt) {
  EXPECT_EQ(ThreeMfPath("C:\\cad\\BOLT.SCR"), "C:\\cad\\BOLT.3mf");
}

// The parts of one shipped size, built as a generation builds them.
std::vector<Part> ShippedParts(const char* size, const char* pitch, const char* length,
                               bool nuts) {
  BoltRequest c = TextRequest(size, pitch, length, "72");
  c.file_name = "BOLT.scr";
  c.washer_face = c.head_radius = true;
  c.nuts = nuts;
  GenerationState state;
  Result<BoltParts> built = BuildBoltParts(state, c, {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {}});
  EXPECT_TRUE(built) << (built ? "" : built.error().message);
  return built ? std::move(built.value().parts) : std::vector<Part>();
}

#if BOLTGEN_HAVE_LIB3MF

// The library's instances, each to be released once.
using Instance = NMR::PLib3MFBase*;
struct Release {
  void operator()(Instance instance) const { NMR::lib3mf_release(instance); }
};
using Handle = std::unique_ptr<NMR::PLib3MFBase, Release>;

// A package as lib3mf reads it back: its unit and its objects, named.
struct ReadBack {
  DWORD unit = 99;
  std::vector<std::string> names;
  std::vector<TriangleMesh> meshes;
  std::size_t build_items = 0;
};

// The model lib3mf reads from a package.
Handle ReadModel(std::string bytes) {
  Instance raw = nullptr;
  EXPECT_EQ(NMR::lib3mf_createmodel(&raw), 0);
  Handle model(raw);
  EXPECT_EQ(NMR::lib3mf_model_queryreader(model.get(), "3mf", &raw), 0);
  const Handle reader(raw);
  EXPECT_EQ(NMR::lib3mf_reader_readfrombuffer(reader.get(), reinterpret_cast<BYTE*>(bytes.data()),
                                              bytes.size()), 0);
  return model;
}

ReadBack Read(std::string bytes) {
  ReadBack back;
  Instance raw = nullptr;
  const Handle model = ReadModel(std::move(bytes));
  NMR::lib3mf_model_getunit(model.get(), &back.unit);
  EXPECT_EQ(NMR::lib3mf_model_getmeshobjects(model.get(), &raw), 0);
  const Handle objects(raw);
  BOOL more = false;
  while (NMR::lib3mf_resourceiterator_movenext(objects.get(), &more) == 0 && more) {
    EXPECT_EQ(NMR::lib3mf_resourceiterator_getcurrent(objects.get(), &raw), 0);
    const Handle object(raw);
    char name[64] = {};
    ULONG needed = 0;
    NMR::lib3mf_object_getnameutf8(object.get(), name, sizeof name, &needed);
    back.names.emplace_back(name);
    DWORD vertex_count = 0, triangle_count = 0;
    NMR::lib3mf_meshobject_getvertexcount(object.get(), &vertex_count);
    NMR::lib3mf_meshobject_gettrianglecount(object.get(), &triangle_count);
    std::vector<NMR::MODELMESHVERTEX> vertices(vertex_count);
    std::vector<NMR::MODELMESHTRIANGLE> triangles(triangle_count);
    NMR::lib3mf_meshobject_getvertices(object.get(), vertices.data(), vertex_count, nullptr);
    NMR::lib3mf_meshobject_gettriangleindices(object.get(), triangles.data(), triangle_count,
                                              nullptr);
    TriangleMesh& mesh = back.meshes.emplace_back();
    for (const NMR::MODELMESHVERTEX& v : vertices)
      mesh.vertices.push_back({v.m_fPosition[0], v.m_fPosition[1], v.m_fPosition[2]});
    for (const NMR::MODELMESHTRIANGLE& t : triangles)
      mesh.triangles.push_back({int(t.m_nIndices[0]), int(t.m_nIndices[1]), int(t.m_nIndices[2])});
  }
  EXPECT_EQ(NMR::lib3mf_model_getbuilditems(model.get(), &raw), 0);
  const Handle items(raw);
  while (NMR::lib3mf_builditemiterator_movenext(items.get(), &more) == 0 && more) ++back.build_items;
  return back;
}

// Each part one object holding the part's own triangles, placed as in the
// script, in the unit of its size table section and not scaled.
TEST(EncodeThreeMf, EachPartAsItsMeshInTheSectionsUnit) {
  const struct {
    const char *size, *pitch, *length;
    bool nuts;
    LengthUnit unit;
    DWORD read_unit;
  } cases[] = {{"[Inch 3/4]", "0.076923 UNC", "3.0000", true, LengthUnit::kInch, NMR::MODELUNIT_INCH},
               {"[Metric M12]", "1.75 coarse", "60.0000", false, LengthUnit::kMillimetre,
                NMR::MODELUNIT_MILLIMETER}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const std::vector<Part> parts = ShippedParts(c.size, c.pitch, c.length, c.nuts);
    const Result<std::string> bytes = EncodeThreeMf(parts, c.unit);
    ASSERT_TRUE(bytes) << bytes.error().message;
    const ReadBack back = Read(bytes.value());
    EXPECT_EQ(back.unit, c.read_unit);
    ASSERT_EQ(back.meshes.size(), c.nuts ? 5u : 1u);
    EXPECT_EQ(back.build_items, back.meshes.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
      SCOPED_TRACE(parts[i].part_name);
      EXPECT_EQ(back.names[i], parts[i].part_name);
      // The part's own triangles, the same way round, each corner where the
      // script puts it as far as the package's text holds it.
      const TriangleMesh want = PartMesh(parts[i]);
      EXPECT_EQ(back.meshes[i].triangles, want.triangles);
      ASSERT_EQ(back.meshes[i].vertices.size(), want.vertices.size());
      double moved = 0;
      for (std::size_t v = 0; v < want.vertices.size(); ++v)
        moved = std::max(moved, Length(back.meshes[i].vertices[v] - want.vertices[v]));
      EXPECT_LT(moved, 1e-5 * (1 + BoundingDiagonal(want.vertices)));
    }
  }
}

// The same request gives the same bytes: UUIDs from the content (each part
// its own, read back by lib3mf) and entries dated on a day that exists, as
// an independent zip tester sees them.
TEST(EncodeThreeMf, TheSameRequestGivesTheSameBytesWithValidDates) {
  const std::vector<Part> parts = ShippedParts("[Inch 3/4]", "0.076923 UNC", "3.0000", true);
  const Result<std::string> first = EncodeThreeMf(parts, LengthUnit::kInch);
  const Result<std::string> second = EncodeThreeMf(parts, LengthUnit::kInch);
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(first.value() == second.value());
  const Result<std::string> metric = EncodeThreeMf(parts, LengthUnit::kMillimetre);
  ASSERT_TRUE(metric);

  Instance raw = nullptr;
  const Handle model = ReadModel(first.value());
  std::set<std::string> uuids;
  const auto add = [&](BOOL has, const char* uuid) {
    EXPECT_TRUE(has);
    EXPECT_TRUE(uuids.insert(uuid).second) << uuid;  // none twice
  };
  char uuid[64] = {};
  BOOL has = false;
  ASSERT_EQ(NMR::lib3mf_model_getbuilduuidutf8(model.get(), &has, uuid), 0);
  add(has, uuid);
  ASSERT_EQ(NMR::lib3mf_model_getmeshobjects(model.get(), &raw), 0);
  const Handle objects(raw);
  BOOL more = false;
  while (NMR::lib3mf_resourceiterator_movenext(objects.get(), &more) == 0 && more) {
    ASSERT_EQ(NMR::lib3mf_resourceiterator_getcurrent(objects.get(), &raw), 0);
    const Handle object(raw);
    ASSERT_EQ(NMR::lib3mf_object_getuuidutf8(object.get(), &has, uuid), 0);
    add(has, uuid);
  }
  ASSERT_EQ(NMR::lib3mf_model_getbuilditems(model.get(), &raw), 0);
  const Handle items(raw);
  while (NMR::lib3mf_builditemiterator_movenext(items.get(), &more) == 0 && more) {
    ASSERT_EQ(NMR::lib3mf_builditemiterator_getcurrent(items.get(), &raw), 0);
    const Handle item(raw);
    ASSERT_EQ(NMR::lib3mf_builditem_getuuidutf8(item.get(), &has, uuid), 0);
    add(has, uuid);
  }
  EXPECT_EQ(uuids.size(), 11u);  // the build, five objects, five items
  // Another unit is another build.
  EXPECT_FALSE(metric.value() == first.value());

#ifndef _WIN32  // the zip tester is Debian's
  const std::string path = testing::TempDir() + "/same_request.3mf";
  {
    std::ofstream out(path, std::ios::binary);
    out << first.value();
  }
  // zipinfo -T: each entry's date as yymmdd.hhmmss.
  std::FILE* listing = popen(("zipinfo -T " + path + " 2>&1; unzip -tq " + path + " 2>&1").c_str(), "r");
  ASSERT_NE(listing, nullptr);
  std::string text;
  for (char buffer[512]; std::fgets(buffer, sizeof buffer, listing);) text += buffer;
  EXPECT_EQ(pclose(listing), 0) << text;
  for (const char* entry : {"3D/3dmodel.model", "[Content_Types].xml", "_rels/.rels"}) {
    const std::size_t at = text.find(entry);
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(text.substr(text.rfind(' ', at - 2) + 1, at - text.rfind(' ', at - 2) - 2),
              "19800101.000000") << text;
  }
  EXPECT_NE(text.find("No errors detected"), std::string::npos) << text;
  std::remove(path.c_str());
#endif
}

#else  // !BOLTGEN_HAVE_LIB3MF

TEST(EncodeThreeMf, ABuildWithoutLib3mfRefusesAndSaysHowToGoOn) {
  EXPECT_FALSE(CanWriteThreeMf());
  const Result<std::string> bytes = EncodeThreeMf(
      ShippedParts("[Inch 3/4]", "0.076923 UNC", "3.0000", false), LengthUnit::kInch);
  ASSERT_FALSE(bytes);
  EXPECT_NE(bytes.error().message.find("/X:0"), std::string::npos);
}

#endif

}  // namespace
}  // namespace boltgen
