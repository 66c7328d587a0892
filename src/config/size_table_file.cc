#include "config/size_table_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/number_format.h"
#include "base/os.h"
#include "base/text.h"
#include "config/size_table_sections.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

std::string Count(std::uintmax_t count) { return FormatNumber(static_cast<double>(count), "0"); }

// Small sizes in bytes, so that a file just over the bound does not read
// "1.0 MB"; large ones in binary units with one decimal.
std::string FileSizeText(std::uintmax_t bytes) {
  if (bytes < 2 * kMaxSizeTableBytes) return Count(bytes) + " bytes";
  const char* units[] = {"KB", "MB", "GB", "TB", "PB"};
  double value = static_cast<double>(bytes) / 1024;
  std::size_t unit = 0;
  while (value >= 1024 && unit + 1 < std::size(units)) {
    value /= 1024;
    ++unit;
  }
  return FormatNumber(value, "0.0") + " " + units[unit];
}

std::string TooLarge(std::string_view label, std::uintmax_t bytes) {
  return std::string(label) + " is " + FileSizeText(bytes) +
         "; a size table may be at most 1 MiB (" + Count(kMaxSizeTableBytes) + " bytes)";
}

// Why `path` is not a file the readers can use, judged by its kind alone;
// empty for a regular file (or a link to one).
std::string KindProblem(const std::string& path, std::string_view label) {
  std::error_code ec;
  const fs::path native = os::PathFromUtf8(path);
  const fs::file_status target = fs::status(native, ec);
  const std::string name(label);
  if (target.type() == fs::file_type::not_found) {
    const fs::file_status link = fs::symlink_status(native, ec);
    if (link.type() == fs::file_type::symlink) {
      return name + " is a link to " + os::Utf8FromPath(fs::read_symlink(native, ec)) +
             ", which does not exist";
    }
    return name + " cannot be read: " + std::strerror(ENOENT);
  }
  switch (target.type()) {
    case fs::file_type::regular:
      return {};
    case fs::file_type::directory:
      return name + " is a folder, not a size table file";
    case fs::file_type::fifo:
      return name + " is a FIFO (named pipe), not a size table file";
    case fs::file_type::none:     // a loop of links, a folder that cannot be entered
    case fs::file_type::unknown:
      return name + " cannot be read: " + ec.message();
    default:
      return name + " is not a regular file (a device or socket), not a size table file";
  }
}

// UTF-16 (what some editors call "Unicode") by its byte order mark, or, without
// one, by the NUL beside every ASCII character of the first line.
bool IsUtf16(std::string_view content) {
  if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF")) return true;
  if (content.size() < 8) return false;
  for (std::size_t zero_at : {0, 1}) {
    bool all = true;
    for (std::size_t i = 0; i < 8 && all; i += 2) all = content[i + zero_at] == '\0' && content[i + 1 - zero_at] != '\0';
    if (all) return true;
  }
  return false;
}

}  // namespace

std::string SizeTableLabel(std::string_view path) {
  // The working folder's own prefix, as the program found the table there:
  // the user typed the name alone.
  if (path.starts_with("./")) path.remove_prefix(2);
#ifdef _WIN32
  else if (path.starts_with(".\\")) path.remove_prefix(2);
#endif
  return std::string(path);
}

Result<> CheckSizeTableBounds(std::string_view content, std::string_view label) {
  if (IsUtf16(content)) {
    return Error{std::string(label) +
                 " is UTF-16 text; a size table is UTF-8 or 8-bit text. Save it again as "
                 "UTF-8 (in Notepad: File, Save As, Encoding UTF-8)"};
  }
  // One pass that stops at the first fault, without a list of lines: a file
  // of a million one-character lines is judged as fast as a short one.
  std::size_t sections = 0;
  LineReader lines(content);
  while (const std::optional<std::string_view> line = lines.Next()) {
    const auto where = [&] { return std::string(label) + ":" + Count(lines.number()) + ": "; };
    if (line->size() > kMaxSizeTableLineLength) {
      return Error{where() + "the line is " + Count(line->size()) +
             " characters long; a size table line may be at most " +
             Count(kMaxSizeTableLineLength)};
    }
    // Counted as the size list counts them.
    if (IsHeaderLine(*line, lines.number() == 1) && ++sections > kMaxSizeTableSections) {
      return Error{where() + "a section beyond the first " + Count(kMaxSizeTableSections) +
                   "; a size table may have at most " + Count(kMaxSizeTableSections) +
                   " sections"};
    }
  }
  return Done();
}

Result<std::string> ReadSizeTable(const std::string& path) {
  const std::string label = SizeTableLabel(path);
  const auto fail = [](std::string message) { return Error{std::move(message)}; };
  // Judged before opening: opening a FIFO would wait for a writer.
  if (std::string problem = KindProblem(path, label); !problem.empty()) return fail(problem);
  std::error_code ec;
  const std::uintmax_t bytes = fs::file_size(os::PathFromUtf8(path), ec);
  if (!ec && bytes > kMaxSizeTableBytes) return fail(TooLarge(label, bytes));

  std::FILE* file = os::OpenFile(path, "rb");
  if (file == nullptr) return fail(label + " cannot be read: " + std::strerror(errno));
  // Read in pieces rather than into a buffer of the bound's size: a table is
  // a few kilobytes, and every page of a megabyte buffer would be touched
  // once per run. Never more than one byte past the bound, whatever the file
  // does meanwhile.
  std::string content;
  if (!ec) content.reserve(static_cast<std::size_t>(bytes));
  char piece[16384];
  constexpr auto kLimit = static_cast<std::size_t>(kMaxSizeTableBytes) + 1;
  std::size_t count = 0;
  while (count < kLimit) {
    const std::size_t wanted = std::min(sizeof piece, kLimit - count);
    const std::size_t got = std::fread(piece, 1, wanted, file);
    content.append(piece, got);
    count += got;
    if (got < wanted) break;
  }
  const int read_error = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (read_error != 0) return fail(label + " cannot be read: " + std::strerror(read_error));
  if (count > kMaxSizeTableBytes) return fail(TooLarge(label, count));
  if (Result<> bounded = CheckSizeTableBounds(content, label); !bounded) return bounded.error();
  return content;
}

}  // namespace boltgen
