#include "app/thread_designation.h"

#include <cmath>

#include "app/file_name.h"
#include "base/number_format.h"
#include "config/leading_number.h"

namespace boltgen {
namespace {

// A number with at most `decimals` decimals and no trailing zeros: 12, 1.75.
std::string Shortest(double value, int decimals) {
  std::string text = decimals == 1 ? FormatNumber(value, "0.0") : FormatNumber(value, "0.000");
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// Inch diameters are written as fractions down to sixty-fourths; a
// diameter no fraction matches stays a decimal number.
std::string InchDiameter(double diameter) {
  for (int denominator = 1; denominator <= 64; denominator *= 2) {
    const double numerator = std::round(diameter * denominator);
    if (std::abs(numerator / denominator - diameter) > 5e-5 || numerator <= 0) continue;
    const auto n = static_cast<long long>(numerator);
    const long long whole = n / denominator;
    const long long rest = n % denominator;
    std::string text = whole > 0 ? std::to_string(whole) : std::string();
    if (rest == 0) return text;
    if (!text.empty()) text += '-';
    return text + std::to_string(rest) + '/' + std::to_string(denominator);
  }
  return Shortest(diameter, 3);
}

std::string_view SeriesOf(std::string_view pitch_text) {
  for (std::string_view series : {"UNF", "UNC", "ODD"}) {
    if (pitch_text.find(series) != std::string_view::npos) return series;
  }
  return {};
}

}  // namespace

std::string ThreadDesignation(const std::vector<SizeEntry>& sizes, std::string_view size_text,
                              std::string_view pitch_text, bool was_metric) {
  const SizeEntry* size = FindSize(sizes, size_text);
  if (!size || !(size->nominal_diameter > 0) || !std::isfinite(size->nominal_diameter)) return {};
  const double pitch = LeadingNumber(pitch_text);
  const bool has_pitch = pitch > 0 && std::isfinite(pitch);
  if (IsMetricSizeText(size_text, was_metric)) {
    std::string text = "M" + Shortest(size->nominal_diameter, 3);
    if (has_pitch) text += "x" + Shortest(pitch, 3);
    return text;
  }
  std::string text = InchDiameter(size->nominal_diameter);
  if (!has_pitch) return text;
  text += "-" + Shortest(1 / pitch, 1);
  const std::string_view series = SeriesOf(pitch_text);
  if (!series.empty()) {
    text += ' ';
    text += series;
  }
  return text;
}

std::string_view UnitSymbol(LengthUnit unit) {
  return unit == LengthUnit::kMillimetre ? "mm" : "in";
}

}  // namespace boltgen
