#ifndef BOLTGEN_GENERATE_BLOCK_COMMANDS_H_
#define BOLTGEN_GENERATE_BLOCK_COMMANDS_H_

#include <string>
#include <string_view>

#include "config/bolt_dimensions.h"
#include "geometry/nuts.h"

namespace boltgen {

// The drawing file name of one nut: the first 9 characters of the base name,
// the nut code ("HNSW", "HNJW", "HNSP", "HNJP"), the last 8 characters.
std::string NutBlockName(std::string_view base_name, std::string_view nut_code);

// Appends the commands that save the drawing and export the bolt (and, with
// nuts, each nut) to a drawing file of its own. `file_name` is the script
// name as the file name box holds it.
void AppendBlockCommands(std::string& script, std::string_view file_name,
                         const BoltDimensions& dims, const NutOffsets& offsets,
                         bool include_nuts);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_BLOCK_COMMANDS_H_
