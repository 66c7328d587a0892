#include "app/file_name.h"

#include <optional>
#include <string_view>

#include "base/number_format.h"
#include "base/path.h"
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

// The digits of `formatted` (a number shown with a point) in a field of
// `before` digits in front of the point and `after` behind it: zero-padded
// to the field, and wider where the number does not fit, so that two
// numbers the format tells apart never share a name. A text without a point
// (an infinity) contributes what it has.
std::string FieldDigits(std::string_view formatted, std::size_t before, std::size_t after) {
  const std::size_t point = formatted.find('.');
  if (point == std::string_view::npos) return std::string(formatted);
  std::string digits;
  std::string_view whole = formatted.substr(0, point);
  if (whole.starts_with('-')) digits += '-', whole.remove_prefix(1);
  while (whole.size() > before && whole.front() == '0') whole.remove_prefix(1);
  digits.append(before > whole.size() ? before - whole.size() : 0, '0');
  digits += whole;
  digits += formatted.substr(point + 1, after);
  return digits;
}

std::string DiameterDigits(const SizeEntry& size, bool is_metric) {
  if (is_metric) return FieldDigits(FormatNumber(size.nominal_diameter, "000.00"), 3, 2);
  return FieldDigits(FormatNumber(size.nominal_diameter, "0.0000"), 1, 4);
}

std::string ThreadPart(const Controls& controls) {
  if (controls.Chk_No_Threads.checked) return "###_";
  const std::string& pitch = controls.Cmb_Pitch.text;
  for (std::string_view series : {"UNF", "UNC", "ODD"}) {
    if (pitch.find(series) != std::string::npos) return std::string(series) + "_";
  }
  return FieldDigits(FormatNumber(LeadingNumber(pitch), "000.0"), 2, 1) + "_";
}

std::string LengthDigits(std::string_view length_text, bool is_metric) {
  const double length = LeadingNumber(length_text);
  if (is_metric) return FieldDigits(FormatNumber(length, "0000.0"), 4, 1);
  return FieldDigits(FormatNumber(length, "00.000"), 2, 3);
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

namespace {

// The longest file name most file systems take, in bytes, the script's
// ".scr" included.
constexpr std::size_t kLongestFileName = 255;

// Refuses a name that cannot be a file's: nothing after the last separator,
// or more than a folder entry holds.
Result<> CheckFileNameShape(std::string_view name) {
  const std::string_view file = FileNameOf(name);
  if (file.empty()) {
    return Error{"The script file name \"" + std::string(name) +
                 "\" names a folder, not a file. Give a file name after the last separator with /F:."};
  }
  if (file.size() + 4 > kLongestFileName) {
    return Error{"The script file name is " + FormatNumber(static_cast<double>(file.size()), "0") +
                 " bytes long; a file name holds at most " +
                 FormatNumber(static_cast<double>(kLongestFileName - 4), "0") +
                 " before \".scr\". Give a shorter name with /F:."};
  }
  return Done();
}

}  // namespace

Result<> CheckFileName(std::string_view name) {
  if (const std::optional<FoundCharacter> found = FindControlCharacter(name)) {
    // Shown escaped: the character itself would break the message too.
    return Error{"The script file name \"" + EscapeControls(name, false) +
                 "\" holds a control character (" + CharacterCodeName(found->code) +
                 ") at character " + FormatNumber(static_cast<double>(found->position), "0") +
                 ". Type a name without it."};
  }
  if (name.empty()) return Done();
  return CheckFileNameShape(name);
}

}  // namespace boltgen
