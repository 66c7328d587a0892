// The size table model on an arbitrary file: the size list lists
// sizes, the generation reads each listed size (and a fuzzed size text)
// into dimensions, or refuses; nothing crashes or hangs.
#include <cstdint>
#include <string>

#include "config/bolt_dimensions.h"
#include "config/leading_number.h"
#include "config/size_table.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [table, size_text] = boltgen::fuzz::SplitInput(data, size);
  const auto sizes = boltgen::ReadSizeList(table);
  const int chosen = boltgen::DefaultSizeIndex(sizes);
  if (!sizes.empty() && (chosen < 0 || chosen >= static_cast<int>(sizes.size()))) __builtin_trap();

  boltgen::BoltRequest request;
  request.length_text = "3.000", request.length = 3;
  request.segments_text = "36", request.segments = 36;
  boltgen::BoltDimensions dims;
  for (const auto& entry : sizes) {
    const auto pitches = boltgen::PitchesOf(sizes, entry.name);
    request.size = entry.name;
    request.pitch_text = pitches.empty() ? std::string() : pitches.front();
    request.pitch = boltgen::LeadingNumber(request.pitch_text);
    (void)boltgen::SetBoltDimensions(table, request, dims);
  }
  request.size = std::string(size_text);
  (void)boltgen::SetBoltDimensions(table, request, dims);
  return 0;
}
