#ifndef BOLTGEN_APP_FILE_NAME_H_
#define BOLTGEN_APP_FILE_NAME_H_

#include <string>
#include <vector>

#include "base/controls.h"
#include "config/size_table.h"

namespace boltgen {

// Composes the script file name from the choices, without extension:
// unit prefix, diameter digits, head style, thread series or pitch, length
// digits and segments, as in IN_07500_HCSW-UNC_03000-3D(036).
// `is_metric` is read and updated: a size text naming no unit system keeps
// the previous one.
std::string ComposeFileName(const Controls& controls, const std::vector<SizeEntry>& sizes,
                            bool& is_metric);

}  // namespace boltgen

#endif  // BOLTGEN_APP_FILE_NAME_H_
