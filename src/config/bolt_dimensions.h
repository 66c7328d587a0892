#ifndef BOLTGEN_CONFIG_BOLT_DIMENSIONS_H_
#define BOLTGEN_CONFIG_BOLT_DIMENSIONS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "config/bolt_request.h"

namespace boltgen {

// The dimensions of the current generation, in the unit of the size table.
// Kept between generations of one run, but a section missing a key is refused,
// so every field read from the table comes from the chosen section.
struct BoltDimensions {
  double DiaNom = 0;
  double major_dia = 0;
  double minor_dia = 0;
  double washer_face_dia = 0;
  double HghtHex = 0;
  double HghtWshFace = 0;
  double MinThrSht = 0;
  double MinThrLng = 0;
  double thread_length = 0;
  double HghtNut = 0;
  double HghtNutJam = 0;
  double pitch = 0;
  double half_pitch = 0;
  double Flats = 0;
  double across_corners = 0;
  double nominal_length = 0;
  double RadWshFace = 0;
  double Long = 0;
  std::int16_t segments = 0;
  // Optional keys: 0 when the chosen section does not give them, whatever an
  // earlier generation read, so that a table without them behaves as before.
  double FlatsNut = 0;    // the nuts' own width across flats; else Flats
  double LongXL = 0;      // bolts longer than this get MinThrXLng
  double MinThrXLng = 0;  // thread length of those extra-long bolts
};

// The dimensions the nuts are drawn with: those of the bolt, but with the
// nuts' own width across flats (and the washer face diameter and width across
// corners that follow from it) when the section gives FlatsNut.
BoltDimensions NutDimensions(const BoltDimensions& dims);

// Reads the requested size's section from the size table `content` with the
// request's pitch, length and segment count, fills `dims` and derives the
// remaining values. Refuses, before touching `dims`, a size that names no
// section, a section that fails the size table checks (messages name
// `table_name` and the line), and any choice or derived value that is not
// finite, all before the too-short test. A bolt too short for its pitch is an
// error too (ErrorKind::kBoltTooShort), but only after `dims` holds its values.
// `warnings`, when given, receives the section's warnings (keys given twice)
// once `dims` holds the values.
Result<> SetBoltDimensions(std::string_view content, const BoltRequest& request,
                           BoltDimensions& dims, std::string_view table_name = "boltgen.ini",
                           std::vector<std::string>* warnings = nullptr);

// The shortest nominal length, in thousandths as the length box shows it,
// with which the size and pitch of `dims` pass the too-short test; nothing
// when no length does (the size table's thread lengths are too short for
// the pitch).
std::optional<double> ShortestLength(const BoltDimensions& dims);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_BOLT_DIMENSIONS_H_
