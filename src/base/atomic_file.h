#ifndef BOLTGEN_BASE_ATOMIC_FILE_H_
#define BOLTGEN_BASE_ATOMIC_FILE_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace boltgen {

// Makes a signal that ends the program (interrupt, terminate, hang-up, quit)
// remove the temporaries that exist and end the program with 128 + the
// signal's number, and a write past the file size limit fail like a full
// disk. Called first thing in main, before any temporary can exist; the
// writers below call it too.
void InstallSignalCleanup();

// Writes `bytes` to `path` in one step: through a temporary file in the same
// folder that replaces `path` only once it is complete. On failure the error
// names the file and the system's reason, and an existing file of that name
// is left as it was.
Result<> WriteFileAtomically(const std::string& path, std::string_view bytes);

// One file of a run: where it goes and its complete contents.
struct OutputFile {
  std::string path;
  std::string bytes;
};

// Writes the files of one run together: every file is complete beside its
// target first, and only then are they put in place, all or none, under a
// lock on their folders that other runs take too, so that two runs writing
// the same names leave one run's whole set. On failure the error names the
// file and the system's reason, and nothing of the run is left.
Result<> WriteFilesAtomically(const std::vector<OutputFile>& files);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_ATOMIC_FILE_H_
