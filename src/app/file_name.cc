#include "app/file_name.h"

#include <optional>
#include <string_view>

#include "base/number_format.h"
#include "base/text.h"
#include "config/leading_number.h"

namespace boltgen {
namespace {

// Each literal found in the size text decides the unit system; a later one
// overrides an earlier one, so "ANSI ... ISO" is metric.
struct UnitLiteral {
  std::string_view text;
  bool metric;
};
constexpr UnitLiteral kUnitLiterals[] = {
    {"Inch", false},   {"INCH", false}, {"ANSI", false}, {"Metric", true},
    {"METRIC", true},  {"DIM", true},   {"ISO", true},
};

// The `before` characters in front of the first '.' of `formatted` and the
// `after` characters behind it, joined. Digits further left are dropped,
// which is how an oversized number loses its leading digits. A text without
// a point (an infinity) contributes what it has rather than failing.
std::string PickDigits(std::string_view formatted, std::size_t before, std::size_t after) {
  std::size_t point = formatted.find('.');
  if (point == std::string_view::npos) point = formatted.size();
  const std::size_t start = point >= before ? point - before : 0;
  std::string digits(formatted.substr(start, point - start));
  if (point < formatted.size()) digits += formatted.substr(point + 1, after);
  return digits;
}

std::string DiameterDigits(const SizeEntry& size, bool is_metric) {
  if (is_metric) return PickDigits("000" + FormatNumber(size.nominal_diameter, "000.00"), 3, 2);
  return PickDigits("000" + FormatNumber(size.nominal_diameter, "0.0000") + "0000", 1, 4);
}

std::string ThreadPart(const Controls& controls) {
  if (controls.Chk_No_Threads.checked) return "###_";
  const std::string& pitch = controls.Cmb_Pitch.text;
  for (std::string_view series : {"UNF", "UNC", "ODD"}) {
    if (pitch.find(series) != std::string::npos) return std::string(series) + "_";
  }
  return PickDigits("000" + FormatNumber(LeadingNumber(pitch), "000.0"), 2, 1) + "_";
}

std::string LengthDigits(std::string_view length_text, bool is_metric) {
  const double length = LeadingNumber(length_text);
  if (is_metric) return PickDigits(FormatNumber(length, "0000.0"), 4, 1);
  return PickDigits(FormatNumber(length, "00.000"), 2, 3);
}

std::string SegmentDigits(std::string_view segments_text) {
  const std::string padded = "00" + FormatNumber(LeadingNumber(segments_text), "000");
  return padded.substr(padded.size() - 3);
}

}  // namespace

bool IsMetricSizeText(std::string_view size_text, bool was_metric) {
  bool is_metric = was_metric;
  for (const UnitLiteral& literal : kUnitLiterals) {
    if (size_text.find(literal.text) != std::string_view::npos) is_metric = literal.metric;
  }
  return is_metric;
}

std::string ComposeFileName(const Controls& controls, const std::vector<SizeEntry>& sizes,
                            bool& is_metric) {
  is_metric = IsMetricSizeText(controls.Cmb_Size.text, is_metric);
  std::string name = is_metric ? "MM_" : "IN_";
  if (const SizeEntry* size = FindSize(sizes, controls.Cmb_Size.text)) {
    name += DiameterDigits(*size, is_metric);
  }
  name += controls.Chk_WF.checked ? "_HCSW-" : "_BLTP-";
  name += ThreadPart(controls);
  name += LengthDigits(controls.TXT_Nom_Length.text, is_metric);
  name += "-3D(";
  name += SegmentDigits(controls.CMB_Segments.text);
  name += ")";
  return name;
}

std::string FileNameProblem(std::string_view name) {
  const std::optional<FoundCharacter> found = FindControlCharacter(name);
  if (!found) return {};
  // Shown escaped: the character itself would break the message too.
  std::string shown;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte != 127) {
      shown += c;
    } else {
      constexpr char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 15];
    }
  }
  return "The script file name \"" + shown + "\" holds a control character (" +
         CharacterCodeName(found->code) + ") at character " +
         FormatNumber(static_cast<double>(found->position), "0") + ". Type a name without it.";
}

}  // namespace boltgen
