#ifndef BOLTGEN_GENERATE_GENERATION_H_
#define BOLTGEN_GENERATE_GENERATION_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date.h"
#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// What one run of the program keeps from one generation to the next: the
// dimensions (a key missing from a section keeps the last value) and the
// grid every part is built in, the nuts from the bolt's head.
struct GenerationState {
  BoltDimensions dims;
  MeshGrid grid;
  // What the last generation's size table section gives that its user
  // should hear of (a key given twice), one line each.
  std::vector<std::string> table_warnings;
};

struct GenerationInput {
  std::string size_table_path;  // the file that start-up found
  Date today;
};

// Where a generation has got to, in the status line's words ("Working ....");
// the front shows it at once or ignores it.
using StatusReport = std::function<void(std::string_view status)>;

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_GENERATION_H_
