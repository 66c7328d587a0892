#include "config/bolt_dimensions.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/number_format.h"
#include "base/text.h"
#include "base/angles.h"
#include "config/leading_number.h"
#include "config/size_table_check.h"

namespace boltgen {

namespace {

// The dimension keys in the order a key is compared with them; the first
// match takes the value.
struct DimensionKey {
  const char* name;  // as written in the size table
  double BoltDimensions::*field;
};

constexpr std::array<DimensionKey, 13> kDimensionKeys = {{
    {"DiaNom", &BoltDimensions::DiaNom},
    {"Flats", &BoltDimensions::Flats},
    {"HghtHex", &BoltDimensions::HghtHex},
    {"HghtWshFace", &BoltDimensions::HghtWshFace},
    {"MinThrSht", &BoltDimensions::MinThrSht},
    {"MinThrLng", &BoltDimensions::MinThrLng},
    {"HghtNut", &BoltDimensions::HghtNut},
    {"HghtNutJam", &BoltDimensions::HghtNutJam},
    {"RadWshFace", &BoltDimensions::RadWshFace},
    {"Long", &BoltDimensions::Long},
    {"FlatsNut", &BoltDimensions::FlatsNut},
    {"LongXL", &BoltDimensions::LongXL},
    {"MinThrXLng", &BoltDimensions::MinThrXLng},
}};
// The keys from kOptionalKeys on may be left out of a section.
constexpr std::size_t kOptionalKeys = 10;

// The value texts of the dimension keys as the chosen section gives them,
// later lines overriding earlier ones; absent keys stay unset.
using SectionValues = std::array<std::optional<std::string>, kDimensionKeys.size()>;

// Finds the header that names the size: a header line whose trimmed,
// lower-cased text equals the lower-cased size text. Returns the index of the
// line, or nothing when no header matches.
std::optional<std::size_t> FindSectionLine(const std::vector<std::string_view>& lines,
                                           const std::string& size_key) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = TrimBlanks(lines[i]);
    if (line.starts_with('[') && ToLowerAscii(line) == size_key) return i;
  }
  return std::nullopt;
}

void ReadKeyLine(std::string_view line, SectionValues& values) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string key = ToLowerAscii(TrimBlanks(line.substr(0, equals)));
  const std::string_view value = TrimBlanks(line.substr(equals + 1));
  for (std::size_t k = 0; k < kDimensionKeys.size(); ++k) {
    if (key == ToLowerAscii(kDimensionKeys[k].name)) {
      values[k] = std::string(value);
      return;
    }
  }
}

// Reads the section after the header line `header`. Comments are not cut off
// here: only lines starting with ';' and lines of two characters or fewer are
// skipped, and any line starting with '[' ends the section.
SectionValues ReadSection(const std::vector<std::string_view>& lines, std::size_t header) {
  SectionValues values;
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const std::string_view line = TrimBlanks(lines[i]);
    if (!line.empty() && line.front() == '[') break;
    if (line.size() > 2 && line.front() != ';') ReadKeyLine(line, values);
  }
  return values;
}

std::int16_t ClampToInt16(double rounded) {
  constexpr double kMin = std::numeric_limits<std::int16_t>::min();
  constexpr double kMax = std::numeric_limits<std::int16_t>::max();
  if (rounded < kMin) return std::numeric_limits<std::int16_t>::min();
  if (rounded > kMax) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(rounded);
}

Error Refuse(std::string message) { return {std::move(message)}; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The choices from the window that must be numbers: a typed "1e999" is an
// infinity, which no geometry can use.
Result<> CheckChoices(const BoltRequest& request) {
  if (!std::isfinite(request.length)) {
    return Refuse("The nominal length " + Quoted(request.length_text) +
                  " is not a finite number. Type a length such as 2.5.");
  }
  if (!std::isfinite(request.pitch)) {
    return Refuse("The pitch " + Quoted(request.pitch_text) +
                  " is not a finite number. Choose a pitch from the list.");
  }
  if (!std::isfinite(request.segments)) {
    return Refuse("The segment count " + Quoted(request.segments_text) +
                  " is not a finite number. Choose 24, 36, 48, 72, 144 or 240.");
  }
  return Done();
}

// An optional key, when given, must say something: a width or length of 0 or
// less would draw no nut or thread. The extra-long thread needs both its keys
// and a limit beyond the long one, or bolts between the limits would change.
Result<> CheckOptionalValues(const SectionValues& values,
                                                    const BoltDimensions& dims,
                                                    const std::string& size_text) {
  for (std::size_t k = kOptionalKeys; k < kDimensionKeys.size(); ++k) {
    if (!values[k] || dims.*kDimensionKeys[k].field > 0) continue;
    return Refuse(std::string("The size table gives ") + kDimensionKeys[k].name + "=" + *values[k] +
                  " for " + size_text + ", which is not greater than 0. Correct the value in the size table.");
  }
  if ((dims.LongXL > 0) != (dims.MinThrXLng > 0)) {
    return Refuse("The size table gives only one of LongXL and MinThrXLng for " + size_text +
                  ". Give both, or neither, in the size table.");
  }
  if (dims.LongXL > 0 && !(dims.LongXL > dims.Long)) {
    return Refuse("The size table gives LongXL=" + *values[kOptionalKeys + 1] + " for " + size_text +
                  ", which is not greater than Long. Correct the value in the size table.");
  }
  return Done();
}

// Values derived from finite inputs can still overflow (a pitch near the
// largest double doubled is infinite).
Result<> CheckDerived(const BoltDimensions& dims) {
  const std::array<std::pair<const char*, double>, 5> derived = {{
      {"minor diameter", dims.MinorDia},
      {"washer face diameter", dims.WshFaceDia},
      {"width across corners", dims.AcrossCorners},
      {"thread length", dims.ThreadLength},
      {"four pitches", dims.Pitch * 4},
  }};
  for (const auto& [name, value] : derived) {
    if (std::isfinite(value)) continue;
    return Refuse(std::string("The ") + name +
                  " computed from the size table and the chosen pitch and length is not a finite "
                  "number. Use smaller values.");
  }
  return Done();
}

void Derive(BoltDimensions& d) {
  d.HalfPitch = d.Pitch / 2;
  d.MajorDia = d.DiaNom;
  d.MinorDia = d.MajorDia - (2 * d.Pitch) * std::cos(kPi / 6);
  d.WshFaceDia = d.Flats * 0.9;
  d.AcrossCorners = std::fabs(d.Flats / std::cos(kPi / 6));
  d.ThreadLength = d.NomLength <= d.Long ? d.MinThrSht : d.MinThrLng;
  if (d.LongXL > 0 && d.NomLength > d.LongXL) d.ThreadLength = d.MinThrXLng;
  // Always measured against the short thread length, also for long bolts.
  if (d.Pitch * 3.5 + d.MinThrSht > d.NomLength) d.ThreadLength = d.NomLength - d.Pitch * 3.5;
}

bool TooShort(const BoltDimensions& d) { return d.Pitch * 4 > d.ThreadLength; }

bool LengthTooShort(BoltDimensions d, double length) {
  if (!(length > 0) || !std::isfinite(length)) return true;
  d.NomLength = length;
  Derive(d);
  return TooShort(d);
}

}  // namespace

BoltDimensions NutDimensions(const BoltDimensions& dims) {
  BoltDimensions nut = dims;
  if (dims.FlatsNut > 0) {
    nut.Flats = dims.FlatsNut;
    nut.WshFaceDia = nut.Flats * 0.9;
    nut.AcrossCorners = std::fabs(nut.Flats / std::cos(kPi / 6));
  }
  return nut;
}

Result<> SetBoltDimensions(std::string_view content, const BoltRequest& request,
                           BoltDimensions& dims, std::string_view table_name) {
  const std::string& size_text = request.size;

  // An empty size text would match the first blank line of the file and
  // read whatever follows it as dimensions.
  if (TrimBlanks(size_text).empty()) {
    return Refuse("No size is chosen. Choose a size from the list.");
  }
  const std::vector<std::string_view> lines = SplitLines(content);
  const std::optional<std::size_t> header = FindSectionLine(lines, ToLowerAscii(size_text));
  if (!header) {
    return Refuse("The size table has no section " + Quoted(size_text) +
                  ". Choose a size from the list, or add a section with this header "
                  "(without a comment after it) to the size table.");
  }
  // Every value the section gives is checked before any is used: a
  // generation uses exactly what is written under its own header.
  if (Result<> checked = CheckSizeSection(content, table_name, size_text, request.nuts); !checked) {
    return checked;
  }
  if (Result<> checked = CheckChoices(request); !checked) return checked;

  // Work on a copy: a refused generation leaves the dimensions as they were.
  BoltDimensions next = dims;
  next.NomLength = request.length;
  next.Pitch = request.pitch;
  next.Segments = ClampToInt16(request.segments);
  const SectionValues values = ReadSection(lines, *header);
  for (std::size_t k = kOptionalKeys; k < kDimensionKeys.size(); ++k) {
    next.*kDimensionKeys[k].field = 0;
  }
  for (std::size_t k = 0; k < kDimensionKeys.size(); ++k) {
    if (values[k]) next.*kDimensionKeys[k].field = LeadingNumber(*values[k]);
  }
  if (Result<> checked = CheckOptionalValues(values, next, size_text); !checked) return checked;
  Derive(next);
  if (Result<> checked = CheckDerived(next); !checked) return checked;

  dims = next;
  if (TooShort(dims)) {
    const std::optional<double> shortest = ShortestLength(dims);
    return Error{std::string(kFatalErrorPrefix) + "Bolt length (" +
                 FormatNumber(dims.NomLength, "000.000") + ") too short for pitch (" +
                 FormatNumber(dims.Pitch, "000.0000") + ")." +
                 (shortest ? " The shortest length that works for this size and pitch is " +
                                 FormatNumber(*shortest, "###0.000") + "."
                           : " No length works for this pitch: the size table's thread lengths "
                             "are shorter than four pitches.")};
  }
  return Done();
}

std::optional<double> ShortestLength(const BoltDimensions& dims) {
  // The thread length grows with the length up to 3.5 pitches plus the
  // short thread length and is constant between the steps at Long and
  // LongXL, so the shortest length lies at 7.5 pitches or at a step.
  const double step = 0.001;
  const double starts[] = {7.5 * dims.Pitch, 3.5 * dims.Pitch + dims.MinThrSht,
                           dims.Long + step, dims.LongXL + step};
  std::optional<double> shortest;
  for (double start : starts) {
    // Rounded up to the box's thousandths, then a step further where
    // rounding lands just below the limit.
    double length = std::ceil(start / step - 1e-6) * step;
    for (int tries = 0; tries < 3 && LengthTooShort(dims, length); ++tries) length += step;
    if (!LengthTooShort(dims, length) && (!shortest || length < *shortest)) shortest = length;
  }
  return shortest;
}

}  // namespace boltgen
