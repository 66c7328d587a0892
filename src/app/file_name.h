#ifndef BOLTGEN_APP_FILE_NAME_H_
#define BOLTGEN_APP_FILE_NAME_H_

#include <string>
#include <string_view>
#include <vector>

#include "app/controls.h"
#include "base/error.h"
#include "base/length_unit.h"
#include "config/size_table.h"

namespace boltgen {

// Composes the script file name from the choices, without extension:
// unit prefix, diameter digits, head style, thread series or pitch, length
// digits and segments, as in IN_07500_HCSW-UNC_03000-3D(036). A number too
// large for its field widens it: two bolts never share a name.
// `is_metric` is read and updated: a size text naming no unit system keeps
// the previous one.
std::string ComposeFileName(const Controls& controls, const std::vector<SizeEntry>& sizes,
                            bool& is_metric);

// The unit system a size text names: the last of "Inch", "INCH", "ANSI",
// "Metric", "METRIC", "DIM" and "ISO" found in it decides, so "ANSI ... ISO"
// is metric. A text that names none keeps `was_metric`.
bool IsMetricSizeText(std::string_view size_text, bool was_metric);

// The same, as the unit of the section's lengths.
inline LengthUnit SizeTextUnit(std::string_view size_text, bool was_metric) {
  return IsMetricSizeText(size_text, was_metric) ? LengthUnit::kMillimetre : LengthUnit::kInch;
}

// Refuses a `name` that cannot name a script: a control character (C0, DEL, C1 such as
// NEL, or U+2028/U+2029) might end the script's SaveAs and export lines inside
// the name, and the rest of the name would become a command of its own. Nor may
// it name a folder (nothing after the last separator) or be longer than a file
// name can be, as a name composed from a huge size or length would. An empty
// name passes: one is composed. Both the /F: switch and the window's file box go through here.
Result<> CheckFileName(std::string_view name);

}  // namespace boltgen

#endif  // BOLTGEN_APP_FILE_NAME_H_
