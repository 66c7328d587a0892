#ifndef BOLTGEN_APP_FOREIGN_FILE_H_
#define BOLTGEN_APP_FOREIGN_FILE_H_

#include <string>

namespace boltgen {

// True when `script_path` names an existing entry that this program did not
// write: its first line is not the program's header line, or it cannot be
// read as a file. Replacing such a file is asked first.
bool IsForeignScript(const std::string& script_path);

}  // namespace boltgen

#endif  // BOLTGEN_APP_FOREIGN_FILE_H_
