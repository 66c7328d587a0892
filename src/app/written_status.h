#ifndef BOLTGEN_APP_WRITTEN_STATUS_H_
#define BOLTGEN_APP_WRITTEN_STATUS_H_

#include <cstddef>
#include <string>

namespace boltgen {

// The status line after a generation wrote: the script's name, how many
// files were written beside it and the folder they all went to, e.g.
// "(Script File Written) a.scr and 2 other files in /home/u. Ready ....".
std::string WrittenStatus(const std::string& script_path, std::size_t other_files);

}  // namespace boltgen

#endif  // BOLTGEN_APP_WRITTEN_STATUS_H_
