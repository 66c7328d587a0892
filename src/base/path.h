#ifndef BOLTGEN_BASE_PATH_H_
#define BOLTGEN_BASE_PATH_H_

// Paths taken apart as text, by one rule for every caller: which characters
// separate folders is the system's own. Windows accepts both '/' and '\' (and
// its own program paths use '\'); on POSIX only '/' does, and '\' is an
// ordinary character of a file name, so that "a\b.scr" there is one file in
// the working folder, where the script and its part files all go.

#include <string>
#include <string_view>

namespace boltgen {

#ifdef _WIN32
inline constexpr std::string_view kPathSeparators = "/\\";
#else
inline constexpr std::string_view kPathSeparators = "/";
#endif

// The text after the last separator: the whole path when it has none.
std::string_view FileNameOf(std::string_view path);

// The text up to and including the last separator; empty when there is
// none. A name appended to it names a file in the same folder.
std::string_view FolderPrefixOf(std::string_view path);

// The folder that holds `path`, without its final separator unless that is
// the root ("/", "C:\"), where "C:" alone would name the drive's current
// folder. Empty when the path names no folder.
std::string FolderOf(std::string_view path);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_PATH_H_
