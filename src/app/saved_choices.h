#ifndef BOLTGEN_APP_SAVED_CHOICES_H_
#define BOLTGEN_APP_SAVED_CHOICES_H_

#include <string_view>

#include "app/controls.h"
#include "app/platform.h"

namespace boltgen {

// A check box the window keeps between runs, by its key in the store.
struct CheckSetting {
  std::string_view key;
  CheckBox Controls::*box;
};

// In the order they are restored: the washer face before the nuts, which
// need it.
inline constexpr CheckSetting kCheckSettings[] = {
    {"no_threads", &Controls::Chk_No_Threads}, {"washer_face", &Controls::Chk_WF},
    {"head_radius", &Controls::Chk_Rad_HEAD},  {"nuts", &Controls::Chk_Nuts},
    {"blocks", &Controls::Chk_WBlock},         {"stl", &Controls::Chk_STL},
    {"dxf", &Controls::Chk_DXF},               {"3mf", &Controls::Chk_3MF},
};

// The keys of the other kept choices.
inline constexpr std::string_view kSizeKey = "size";
inline constexpr std::string_view kPitchKey = "pitch";
inline constexpr std::string_view kLengthKey = "length";
inline constexpr std::string_view kSegmentsKey = "segments";

// Writes the choices the user sees into the platform's store: the size,
// pitch and segments shown, the last accepted length, each kept check box.
void SaveChoices(const Controls& controls, Platform& platform);

// The list index of the stored text of `key` in `box`; -1 when nothing is
// stored or the list no longer holds it.
int StoredIndex(Platform& platform, std::string_view key, const ComboBox& box);

}  // namespace boltgen

#endif  // BOLTGEN_APP_SAVED_CHOICES_H_
