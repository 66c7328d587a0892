#include "generate/zip_times.h"

#include <optional>
#include <vector>

namespace boltgen {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentral = 0x06054b50;
constexpr std::uint32_t kZip64End = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint32_t kAll32 = 0xFFFFFFFF;

// Little-endian reads that fail, rather than read past the end.
class Bytes {
 public:
  explicit Bytes(const std::string& data) : data_(data) {}
  std::optional<std::uint64_t> Read(std::uint64_t at, int width) const {
    if (at > data_.size() || data_.size() - at < static_cast<std::uint64_t>(width)) return {};
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
      value = value << 8 | static_cast<unsigned char>(data_[at + static_cast<std::uint64_t>(i)]);
    return value;
  }
  bool Is(std::uint64_t at, std::uint32_t signature) const { return Read(at, 4) == signature; }
  std::size_t size() const { return data_.size(); }

 private:
  const std::string& data_;
};

struct Directory {
  std::uint64_t offset = 0;
  std::uint64_t entries = 0;
};

// The end record, with no comment after it as this program's archives have
// none, and the ZIP64 record it points to when its own fields overflow.
std::optional<Directory> FindDirectory(const Bytes& zip) {
  if (zip.size() < 22) return {};
  const std::uint64_t end = zip.size() - 22;
  if (!zip.Is(end, kEndOfCentral) || zip.Read(end + 20, 2) != 0) return {};
  Directory directory{*zip.Read(end + 16, 4), *zip.Read(end + 10, 2)};
  if (directory.offset != kAll32 && directory.entries != 0xFFFF) return directory;
  if (end < 20 || !zip.Is(end - 20, kZip64Locator)) return {};
  const std::optional<std::uint64_t> record = zip.Read(end - 20 + 8, 8);
  if (!record || !zip.Is(*record, kZip64End)) return {};
  const auto entries = zip.Read(*record + 32, 8), offset = zip.Read(*record + 48, 8);
  if (!entries || !offset) return {};
  return Directory{*offset, *entries};
}

// Where the entry of the central header at `at` starts: its own field, or
// the ZIP64 extra field's when that overflows (after the sizes that overflow
// too, in the order the format gives).
std::optional<std::uint64_t> LocalOffset(const Bytes& zip, std::uint64_t at) {
  const auto offset = zip.Read(at + 42, 4);
  if (!offset || *offset != kAll32) return offset;
  const auto name = zip.Read(at + 28, 2), extra = zip.Read(at + 30, 2);
  if (!name || !extra) return {};
  std::uint64_t field = at + 46 + *name;
  const std::uint64_t end = field + *extra;
  while (field + 4 <= end) {
    const auto id = zip.Read(field, 2), size = zip.Read(field + 2, 2);
    if (!id || !size) return {};
    if (*id == 1) {
      std::uint64_t skip = 0;
      if (zip.Read(at + 24, 4) == kAll32) skip += 8;
      if (zip.Read(at + 20, 4) == kAll32) skip += 8;
      if (skip + 8 > *size) return {};
      return zip.Read(field + 4 + skip, 8);
    }
    field += 4 + *size;
  }
  return {};
}

void Put16(std::string& zip, std::uint64_t at, std::uint16_t value) {
  zip[at] = static_cast<char>(value & 0xFF);
  zip[at + 1] = static_cast<char>(value >> 8);
}

}  // namespace

Result<> SetZipEntryTimes(std::string& zip, ZipTime when) {
  const Error malformed{"The 3MF package is not a zip archive as expected; nothing is written."};
  const Bytes bytes(zip);
  const std::optional<Directory> directory = FindDirectory(bytes);
  if (!directory) return malformed;
  // Every place first, so that a fault found late leaves `zip` unchanged.
  std::vector<std::uint64_t> times;
  std::uint64_t at = directory->offset;
  for (std::uint64_t entry = 0; entry < directory->entries; ++entry) {
    if (!bytes.Is(at, kCentralHeader)) return malformed;
    const auto name = bytes.Read(at + 28, 2), extra = bytes.Read(at + 30, 2),
               comment = bytes.Read(at + 32, 2);
    const std::optional<std::uint64_t> local = LocalOffset(bytes, at);
    if (!name || !extra || !comment || !local || !bytes.Is(*local, kLocalHeader)) return malformed;
    times.push_back(at + 12);
    times.push_back(*local + 10);
    at += 46 + *name + *extra + *comment;
  }
  for (const std::uint64_t place : times) {
    Put16(zip, place, when.time);
    Put16(zip, place + 2, when.date);
  }
  return Done{};
}

}  // namespace boltgen
