#include "config/size_table.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/os.h"
#include "base/text.h"
#include "config/leading_number.h"

namespace boltgen {

namespace {

// A comment runs from the first ';' to the end of the line. The text before
// it is not trimmed again, so "pitch1=0.1 ;x" keeps its blank until the value
// itself is trimmed.
std::string_view RemoveComment(std::string_view line) {
  const auto semicolon = line.find(';');
  if (semicolon == std::string_view::npos) return line;
  return line.substr(0, semicolon);
}

void ApplyKeyLine(std::string_view line, SizeEntry& size) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string key = ToLowerAscii(TrimBlanks(line.substr(0, equals)));
  const std::string_view value = TrimBlanks(line.substr(equals + 1));
  if (key == "dianom") {
    size.DiaNom = LeadingNumber(value);
  } else if (key == "pitch0") {
    size.Pitch0 = value;
  } else if (key == "pitch1") {
    size.Pitch1 = value;
  } else if (key == "pitch2") {
    size.Pitch2 = value;
  } else if (key == "pitch3") {
    size.Pitch3 = value;
  }
}

}  // namespace

std::vector<SizeEntry> ReadIniSections(std::string_view content) {
  std::vector<SizeEntry> sizes;
  sizes.reserve(100);
  for (std::string_view raw : SplitLines(content)) {
    const std::string_view line = RemoveComment(TrimBlanks(raw));
    if (line.empty()) continue;
    if (line.front() == '[') {
      // The whole line names the size, brackets and anything after them included.
      sizes.emplace_back().Name = line;
      continue;
    }
    // Key lines before the first section belong to no size.
    if (!sizes.empty()) ApplyKeyLine(line, sizes.back());
  }
  return sizes;
}

int DefaultSizeIndex(const std::vector<SizeEntry>& sizes) {
  if (sizes.size() >= 8) return 7;
  return sizes.empty() ? -1 : 0;
}

const SizeEntry* FindSize(const std::vector<SizeEntry>& sizes, std::string_view size_text) {
  for (const SizeEntry& size : sizes) {
    if (size.Name == size_text) return &size;
  }
  return nullptr;
}

std::vector<std::string> PitchesOf(const std::vector<SizeEntry>& sizes, std::string_view size_text) {
  std::vector<std::string> pitches;
  const SizeEntry* size = FindSize(sizes, size_text);
  if (size == nullptr) return pitches;
  for (const std::string* pitch : {&size->Pitch0, &size->Pitch1, &size->Pitch2, &size->Pitch3}) {
    if (!pitch->empty()) pitches.push_back(*pitch);
  }
  return pitches;
}

Result<std::string> ReadWholeFile(const std::string& path) {
  auto fail = [](int code) { return Error{std::strerror(code)}; };
  std::FILE* file = os::OpenFile(path, "rb");
  if (file == nullptr) return fail(errno);
  std::string content;
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
  // A folder opens but cannot be read: fread then fails with EISDIR.
  const int read_error = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (read_error != 0) return fail(read_error);
  return content;
}

}  // namespace boltgen
