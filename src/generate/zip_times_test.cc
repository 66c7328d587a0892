#include "generate/zip_times.h"

#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

void Put(std::string& out, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A stored archive of two entries, every date field 0 as the 3MF library
// writes them; with `zip64`, the central directory gives each entry's place
// in a ZIP64 extra field instead, after both sizes.
std::string Archive(bool zip64) {
  std::string zip, central;
  std::uint64_t offsets[2];
  const char* names[] = {"a.txt", "dir/b.txt"};
  for (int i = 0; i < 2; ++i) {
    const std::string name = names[i], data = "entry " + std::to_string(i);
    offsets[i] = zip.size();
    Put(zip, 0x04034b50, 4), Put(zip, 20, 2), Put(zip, 0, 2), Put(zip, 0, 2);
    Put(zip, 0, 2), Put(zip, 0, 2);  // time, date
    Put(zip, 0, 4), Put(zip, data.size(), 4), Put(zip, data.size(), 4);
    Put(zip, name.size(), 2), Put(zip, 0, 2);
    zip += name + data;
  }
  for (int i = 0; i < 2; ++i) {
    const std::string name = names[i];
    Put(central, 0x02014b50, 4), Put(central, 45, 2), Put(central, 45, 2), Put(central, 0, 2);
    Put(central, 0, 2), Put(central, 0, 2), Put(central, 0, 2);  // method, time, date
    Put(central, 0, 4);
    Put(central, zip64 ? 0xFFFFFFFF : 7, 4), Put(central, zip64 ? 0xFFFFFFFF : 7, 4);
    Put(central, name.size(), 2), Put(central, zip64 ? 28 : 0, 2), Put(central, 0, 2);
    Put(central, 0, 2), Put(central, 0, 2), Put(central, 0, 4);
    Put(central, zip64 ? 0xFFFFFFFF : offsets[i], 4);
    central += name;
    if (zip64) Put(central, 1, 2), Put(central, 24, 2), Put(central, 7, 8), Put(central, 7, 8),
        Put(central, offsets[i], 8);
  }
  const std::uint64_t at = zip.size();
  zip += central;
  Put(zip, 0x06054b50, 4), Put(zip, 0, 4), Put(zip, 2, 2), Put(zip, 2, 2);
  Put(zip, central.size(), 4), Put(zip, at, 4), Put(zip, 0, 2);
  return zip;
}

std::uint16_t Read16(const std::string& zip, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(zip[at]) |
                                    static_cast<unsigned char>(zip[at + 1]) << 8);
}

// Every date field of both headers of every entry, and nothing else.
TEST(SetZipEntryTimes, DatesEveryEntryInBothHeadersAndRefusesABrokenArchive) {
  for (const bool zip64 : {false, true}) {
    SCOPED_TRACE(zip64);
    const std::string before = Archive(zip64);
    std::string zip = before;
    ASSERT_TRUE(SetZipEntryTimes(zip, {0x5021, 0x6C4F}));
    ASSERT_EQ(zip.size(), before.size());
    int changed = 0;
    for (std::size_t i = 0; i < zip.size(); ++i) changed += zip[i] != before[i];
    // The entries' local headers start at 0 and 42, the central ones after
    // the data; each has time then date.
    const std::size_t central = before.find("PK\x01\x02");
    const std::size_t second = before.find("PK\x01\x02", central + 4);
    for (const std::size_t header : {std::size_t{0} + 10, std::size_t{42} + 10, central + 12, second + 12}) {
      EXPECT_EQ(Read16(zip, header), 0x6C4F) << header;
      EXPECT_EQ(Read16(zip, header + 2), 0x5021) << header;
    }
    EXPECT_EQ(changed, 4 * 4);

    // Cut short, or the directory's place off by one: refused, unchanged.
    for (std::string broken : {before.substr(0, before.size() - 1), before.substr(1)}) {
      const std::string kept = broken;
      EXPECT_FALSE(SetZipEntryTimes(broken, kFixedZipTime));
      EXPECT_EQ(broken, kept);
    }
  }
}

}  // namespace
}  // namespace boltgen
