#ifndef BOLTGEN_GENERATE_BLOCK_COMMANDS_H_
#define BOLTGEN_GENERATE_BLOCK_COMMANDS_H_

#include <string>
#include <string_view>

#include <vector>

#include "config/bolt_dimensions.h"

namespace boltgen {

struct Part;

// The drawing file name of one nut: the first 9 characters of the base name,
// the nut code ("HNSW", "HNJW", "HNSP", "HNJP"), the last 8 characters.
std::string NutBlockName(std::string_view base_name, std::string_view nut_code);

// Appends the commands that save the drawing and export the bolt and each
// nut among `parts` to a drawing file of its own, the nuts in the order of
// their offsets. `file_name` is the script name as it was given.
void AppendBlockCommands(std::string& script, std::string_view file_name,
                         const BoltDimensions& dims, const std::vector<Part>& parts);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_BLOCK_COMMANDS_H_
