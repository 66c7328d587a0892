// The preview of fuzzed choices from a fuzzed size table: the parts built in
// memory, drawn by the renderer from two views. Ends in a picture or in the
// program's own message, within the memory limit, whatever the dimensions.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/bolt_app.h"
#include "app/preview_parts.h"
#include "app/preview_raster.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [table, switches] = boltgen::fuzz::SplitInput(data, size);
  const std::string folder = boltgen::fuzz::ScratchFolder();
  const std::string table_path = boltgen::fuzz::WriteScratchTable(table);
  if (table_path.empty()) return 0;
  // The preview generates nothing.
  const std::string args = boltgen::fuzz::WithoutProcessSwitch(switches);
  boltgen::fuzz::SilentPlatform platform;
  boltgen::AppEnvironment environment;
  environment.program_path = folder + "/boltgen";
  environment.raw_args = args;
  environment.working_dir = folder;
  environment.headless = true;
  boltgen::BoltApp app(platform, environment);
  app.Form_Load();
  if (app.exit_status()) return 0;

  const boltgen::PreviewParts parts = boltgen::BuildPreviewParts(app);
  if (parts.meshes.empty() && parts.message.empty()) __builtin_trap();  // no parts, no reason
  for (const boltgen::PreviewView& view :
       {boltgen::PreviewView{}, boltgen::PreviewView{137, -60, 4}}) {
    const boltgen::PreviewPixels picture = boltgen::RasterisePreview(parts.meshes, view, 48, 64);
    if (picture.pixels.size() != 48u * 64u) __builtin_trap();
  }
  return 0;
}
