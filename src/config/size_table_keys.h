#ifndef BOLTGEN_CONFIG_SIZE_TABLE_KEYS_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_KEYS_H_

#include <array>
#include <string_view>

#include "config/bolt_dimensions.h"

namespace boltgen {

// What a key's value is: a length of the size, or a pitch offered for it.
enum class KeyKind { kLength, kPitch };

// One key of a size table section, with every rule about it. Adding a key
// is adding a row here (and, for a length, its field).
struct SizeTableKey {
  std::string_view name = {};  // as the file spells it; matched ignoring case
  KeyKind kind = KeyKind::kLength;
  bool required = false;      // a section without it is refused
  bool zero_allowed = false;  // 0 means "none" (a length); a pitch is always 0 or more
  bool nuts_only = false;     // its value is held to its rules only when nuts are drawn
  std::string_view partner = {};  // a key that must be given with it, or neither
  std::string_view exceeds = {};  // a key whose value it must exceed, when given
  double BoltDimensions::*field = nullptr;  // where a length goes
};

// Lengths in the order their faults are listed; pitches in the order they
// are offered.
inline constexpr std::array<SizeTableKey, 17> kSizeTableKeys = {{
    {.name = "DiaNom", .required = true, .field = &BoltDimensions::DiaNom},
    {.name = "Flats", .required = true, .field = &BoltDimensions::Flats},
    {.name = "HghtHex", .required = true, .field = &BoltDimensions::HghtHex},
    {.name = "HghtWshFace", .required = true, .zero_allowed = true,
     .field = &BoltDimensions::HghtWshFace},
    {.name = "MinThrSht", .required = true, .field = &BoltDimensions::MinThrSht},
    {.name = "MinThrLng", .required = true, .field = &BoltDimensions::MinThrLng},
    {.name = "HghtNut", .required = true, .nuts_only = true, .field = &BoltDimensions::HghtNut},
    {.name = "HghtNutJam", .required = true, .nuts_only = true,
     .field = &BoltDimensions::HghtNutJam},
    {.name = "RadWshFace", .required = true, .zero_allowed = true,
     .field = &BoltDimensions::RadWshFace},
    {.name = "Long", .required = true, .field = &BoltDimensions::Long},
    // Later additions that older tables do not have.
    {.name = "FlatsNut", .field = &BoltDimensions::FlatsNut},
    {.name = "LongXL", .partner = "MinThrXLng", .exceeds = "Long", .field = &BoltDimensions::LongXL},
    {.name = "MinThrXLng", .partner = "LongXL", .field = &BoltDimensions::MinThrXLng},
    {.name = "pitch0", .kind = KeyKind::kPitch},
    {.name = "pitch1", .kind = KeyKind::kPitch},
    {.name = "pitch2", .kind = KeyKind::kPitch},
    {.name = "pitch3", .kind = KeyKind::kPitch},
}};

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_KEYS_H_
