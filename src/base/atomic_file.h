#ifndef BOLTGEN_BASE_ATOMIC_FILE_H_
#define BOLTGEN_BASE_ATOMIC_FILE_H_

#include <string>
#include <string_view>
#include <vector>

namespace boltgen {

// Writes `bytes` to `path` in one step: through a temporary file in the same
// folder that replaces `path` only once it is complete. On failure returns a
// message naming the file and the system's reason, and leaves an existing
// file of that name as it was. Returns an empty string on success.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

// One file of a run: where it goes and its complete contents.
struct OutputFile {
  std::string path;
  std::string bytes;
};

// Writes the files of one run together: every file goes to a temporary
// beside its target first, and only once all of them are complete are they
// renamed into place. On failure returns a message naming the file and the
// system's reason and removes the temporaries. Returns an empty string on
// success.
std::string WriteFilesAtomically(const std::vector<OutputFile>& files);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_ATOMIC_FILE_H_
