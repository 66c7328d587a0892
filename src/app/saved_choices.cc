#include "app/saved_choices.h"

#include <optional>
#include <string>

namespace boltgen {

void SaveChoices(const Controls& c, Platform& platform) {
  platform.WriteSetting(kSizeKey, c.Cmb_Size.text);
  platform.WriteSetting(kPitchKey, c.Cmb_Pitch.text);
  // The text shown may be one not yet checked; the accepted one is kept.
  platform.WriteSetting(kLengthKey, c.TXT_Nom_Length.tag);
  platform.WriteSetting(kSegmentsKey, c.CMB_Segments.text);
  for (const CheckSetting& setting : kCheckSettings) {
    platform.WriteSetting(setting.key, (c.*setting.box).checked ? "1" : "0");
  }
}

int StoredIndex(Platform& platform, std::string_view key, const ComboBox& box) {
  const std::optional<std::string> text = platform.ReadSetting(key);
  if (!text) return -1;
  for (std::size_t i = 0; i < box.items.size(); ++i) {
    if (box.items[i] == *text) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace boltgen
