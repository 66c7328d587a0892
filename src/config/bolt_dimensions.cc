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
#include "config/size_table_keys.h"
#include "config/size_table_sections.h"

namespace boltgen {

namespace {

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
  // A typed pitch goes into the script's header as typed.
  if (const std::optional<FoundCharacter> found = FindControlCharacter(request.pitch_text)) {
    return Refuse("The pitch " + Quoted(request.pitch_text) + " holds a control character (" +
                  CharacterCodeName(found->code) +
                  "), which a script would carry. Choose a pitch from the list.");
  }
  return Done();
}

// Values derived from finite inputs can still overflow (a pitch near the
// largest double doubled is infinite).
Result<> CheckDerived(const BoltDimensions& dims) {
  const std::array<std::pair<const char*, double>, 5> derived = {{
      {"minor diameter", dims.minor_dia},
      {"washer face diameter", dims.washer_face_dia},
      {"width across corners", dims.across_corners},
      {"thread length", dims.thread_length},
      {"four pitches", dims.pitch * 4},
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
  d.half_pitch = d.pitch / 2;
  d.major_dia = d.DiaNom;
  d.minor_dia = d.major_dia - (2 * d.pitch) * std::cos(kPi / 6);
  d.washer_face_dia = d.Flats * 0.9;
  d.across_corners = std::fabs(d.Flats / std::cos(kPi / 6));
  d.thread_length = d.nominal_length <= d.Long ? d.MinThrSht : d.MinThrLng;
  if (d.LongXL > 0 && d.nominal_length > d.LongXL) d.thread_length = d.MinThrXLng;
  // Always measured against the short thread length, also for long bolts.
  if (d.pitch * 3.5 + d.MinThrSht > d.nominal_length)
    d.thread_length = d.nominal_length - d.pitch * 3.5;
}

bool TooShort(const BoltDimensions& d) { return d.pitch * 4 > d.thread_length; }

bool LengthTooShort(BoltDimensions d, double length) {
  if (!(length > 0) || !std::isfinite(length)) return true;
  d.nominal_length = length;
  Derive(d);
  return TooShort(d);
}

}  // namespace

BoltDimensions NutDimensions(const BoltDimensions& dims) {
  BoltDimensions nut = dims;
  if (dims.FlatsNut > 0) {
    nut.Flats = dims.FlatsNut;
    nut.washer_face_dia = nut.Flats * 0.9;
    nut.across_corners = std::fabs(nut.Flats / std::cos(kPi / 6));
  }
  return nut;
}

Result<> SetBoltDimensions(std::string_view content, const BoltRequest& request,
                           BoltDimensions& dims, std::string_view table_name,
                           std::vector<std::string>* warnings) {
  const std::string& size_text = request.size;

  // An empty size text would name a section whose header is a bare '['.
  if (TrimBlanks(size_text).empty()) {
    return Refuse("No size is chosen. Choose a size from the list.");
  }
  const SizeTableSections table = ParseSizeTable(content);
  const TableSection* section = FindSection(table, size_text, NameMatch::kIgnoringCase);
  if (section == nullptr) {
    return Refuse("The size table has no section " + Quoted(size_text) +
                  ". Choose a size from the list, or add a section with this header "
                  "(without a comment after it) to the size table.");
  }
  // Every value the section gives is checked before any is used: a
  // generation uses exactly what is written under its own header.
  Result<std::vector<std::string>> checked =
      CheckSizeSection(table, *section, table_name, request.nuts);
  if (!checked) return checked.error();
  if (Result<> choices = CheckChoices(request); !choices) return choices;

  // Work on a copy: a refused generation leaves the dimensions as they were.
  BoltDimensions next = dims;
  next.nominal_length = request.length;
  next.pitch = request.pitch;
  next.segments = ClampToInt16(request.segments);
  // A key the section leaves out (an optional one) is 0, whatever an earlier
  // generation of the run read.
  for (const SizeTableKey& key : kSizeTableKeys) {
    if (key.field == nullptr) continue;
    const std::vector<const TableKeyLine*> lines = KeyLines(*section, key.name);
    next.*key.field = lines.empty() ? 0 : LeadingNumber(lines.back()->value);
  }
  Derive(next);
  if (Result<> derived = CheckDerived(next); !derived) return derived;

  dims = next;
  if (warnings != nullptr) *warnings = std::move(checked.value());
  if (TooShort(dims)) {
    const std::optional<double> shortest = ShortestLength(dims);
    return Error{"Bolt length (" + FormatNumber(dims.nominal_length, "000.000") +
                     ") too short for pitch (" + FormatNumber(dims.pitch, "000.0000") + ")." +
                     (shortest ? " The shortest length that works for this size and pitch is " +
                                     FormatNumber(*shortest, "###0.000") + "."
                               : " No length works for this pitch: the size table's thread "
                                 "lengths are shorter than four pitches."),
                 ErrorKind::kBoltTooShort};
  }
  return Done();
}

std::optional<double> ShortestLength(const BoltDimensions& dims) {
  // The thread length grows with the length up to 3.5 pitches plus the
  // short thread length and is constant between the steps at Long and
  // LongXL, so the shortest length lies at 7.5 pitches or at a step.
  const double step = 0.001;
  const double starts[] = {7.5 * dims.pitch, 3.5 * dims.pitch + dims.MinThrSht, dims.Long + step,
                           dims.LongXL + step};
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
