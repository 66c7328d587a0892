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
  if (boltgen::fuzz::WriteScratchTable(table).empty()) return 0;
  // The preview generates nothing.
  boltgen::fuzz::LoadedApp loaded(switches, boltgen::fuzz::ScratchFolder());
  boltgen::BoltApp& app = loaded.app;
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
