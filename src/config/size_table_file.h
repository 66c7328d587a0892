#ifndef BOLTGEN_CONFIG_SIZE_TABLE_FILE_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"

namespace boltgen {

// The bounds of a size table. The shipped one is a few kilobytes with 30
// sections; these leave room for any real catalogue while keeping a wrong
// file (a disk image, a log) from costing more than a moment and a megabyte.
inline constexpr std::uintmax_t kMaxSizeTableBytes = 1 << 20;
inline constexpr std::size_t kMaxSizeTableLineLength = 4096;
inline constexpr std::size_t kMaxSizeTableSections = 1000;

// The size table's name in messages: the path as found, without a leading
// "./", so that the usual case reads "boltgen.ini:12: ...".
std::string SizeTableLabel(std::string_view path);

// Reads the size table at `path` for the size list and the generations.
// Anything but a readable regular file (a folder, a link to nothing, a FIFO)
// is refused by its kind,
// without opening it; a file over the byte bound is refused from its size,
// before it is read; a line over the length bound or a section over the count
// bound is refused before any reader parses the text, with a message that
// names the file (and the line).
Result<std::string> ReadSizeTable(const std::string& path);

// The line and section bounds alone, on text already in memory, after the
// encoding: UTF-16 text is refused with how to save it as UTF-8.
Result<> CheckSizeTableBounds(std::string_view content, std::string_view label);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_FILE_H_
