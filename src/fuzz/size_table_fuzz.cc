// Both size table readers on an arbitrary file: the start-up reader lists
// sizes, the dimension reader reads each listed size (and a fuzzed size text)
// into dimensions, or refuses; nothing crashes or hangs.
#include <cstdint>
#include <string>

#include "config/bolt_dimensions.h"
#include "config/size_table.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [table, size_text] = boltgen::fuzz::SplitInput(data, size);
  const auto sizes = boltgen::ReadIniSections(table);
  const int chosen = boltgen::DefaultSizeIndex(sizes);
  if (!sizes.empty() && (chosen < 0 || chosen >= static_cast<int>(sizes.size()))) __builtin_trap();

  boltgen::Controls controls;
  controls.TXT_Nom_Length.text = "3.000";
  controls.CMB_Segments.text = "36";
  boltgen::BoltDimensions dims;
  for (const auto& entry : sizes) {
    const auto pitches = boltgen::PitchesOf(sizes, entry.Name);
    controls.Cmb_Size.text = entry.Name;
    controls.Cmb_Pitch.text = pitches.empty() ? std::string() : pitches.front();
    (void)boltgen::SetBoltDimensions(table, controls, dims);
  }
  controls.Cmb_Size.text = std::string(size_text);
  (void)boltgen::SetBoltDimensions(table, controls, dims);
  return 0;
}
