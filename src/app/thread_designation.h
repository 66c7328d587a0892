#ifndef BOLTGEN_APP_THREAD_DESIGNATION_H_
#define BOLTGEN_APP_THREAD_DESIGNATION_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/length_unit.h"
#include "config/size_table.h"

namespace boltgen {

// The thread of a size and pitch as people write it: an inch size as its
// diameter in fractions, the threads per inch and the series its pitch text
// names ("3/4-10 UNC", "1-1/2-6 UNC"), a metric one as "M12x1.75". The unit
// follows the file name's rule (IsMetricSizeText). Empty when the size text
// names no section; without a usable pitch only the diameter is given.
std::string ThreadDesignation(const std::vector<SizeEntry>& sizes, std::string_view size_text,
                              std::string_view pitch_text, bool was_metric);

// "in" or "mm", as lengths are labelled.
std::string_view UnitSymbol(LengthUnit unit);

}  // namespace boltgen

#endif  // BOLTGEN_APP_THREAD_DESIGNATION_H_
