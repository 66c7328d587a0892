#include "app/png_image.h"

#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/test_folder.h"

namespace boltgen {
namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

struct Chunk {
  std::string type, data;
  bool crc_ok;
};

std::vector<Chunk> Chunks(const std::string& png) {
  std::vector<Chunk> chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian(png, at);
    Chunk chunk{png.substr(at + 4, 4), png.substr(at + 8, length), false};
    chunk.crc_ok = BigEndian(png, at + 8 + length) == Crc32(png.substr(at + 4, 4 + length));
    chunks.push_back(chunk);
    at += 12 + length;
  }
  return chunks;
}

// Reads back a zlib stream of stored blocks, checking each block's length
// against its complement, as a decoder does.
std::string Unstore(const std::string& zlib) {
  std::string out;
  std::size_t at = 2;
  for (bool last = false; !last;) {
    last = zlib.at(at) & 1;
    EXPECT_EQ(zlib.at(at) & 6, 0) << "not a stored block";
    const unsigned size = static_cast<unsigned char>(zlib.at(at + 1)) | static_cast<unsigned char>(zlib.at(at + 2)) << 8;
    const unsigned check = static_cast<unsigned char>(zlib.at(at + 3)) | static_cast<unsigned char>(zlib.at(at + 4)) << 8;
    EXPECT_EQ(size ^ 0xffffu, check);
    out += zlib.substr(at + 5, size);
    at += 5 + size;
  }
  EXPECT_EQ(BigEndian(zlib, at), Adler32(out));
  EXPECT_EQ(at + 4, zlib.size());
  return out;
}

TEST(PngImageTest, ChecksumsMatchTheirPublishedCheckValues) {
  EXPECT_EQ(Crc32("123456789"), 0xcbf43926u);
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Adler32("Wikipedia"), 0x11e60398u);
  EXPECT_EQ(Adler32(""), 1u);
}

TEST(PngImageTest, WritesTheRowsAsRgbBehindAFilterByte) {
  PreviewPixels picture{3, 2, {0xff102030, 0xff405060, 0xff708090, 0x00a0b0c0, 0xffd0e0f0, 0xff000000}};
  const std::string png = EncodePng(picture);
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  const std::vector<Chunk> chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  for (const Chunk& chunk : chunks) EXPECT_TRUE(chunk.crc_ok) << chunk.type;
  EXPECT_EQ(BigEndian(chunks[0].data, 0), 3u);
  EXPECT_EQ(BigEndian(chunks[0].data, 4), 2u);
  EXPECT_EQ(chunks[0].data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
  EXPECT_EQ(Unstore(chunks[1].data),
            std::string("\0\x10\x20\x30\x40\x50\x60\x70\x80\x90"
                        "\0\xa0\xb0\xc0\xd0\xe0\xf0\x00\x00\x00",
                        20));
}

TEST(PngImageTest, SplitsLargePicturesIntoBlocksADecoderAccepts) {
  // 200 x 200 RGB is 120,200 bytes: two full stored blocks and a third.
  PreviewPixels picture{200, 200, {}};
  for (int i = 0; i < 200 * 200; ++i) picture.pixels.push_back(0xff000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8));
  const std::vector<Chunk> chunks = Chunks(EncodePng(picture));
  ASSERT_EQ(chunks.size(), 3u);
  const std::string raw = Unstore(chunks[1].data);
  ASSERT_EQ(raw.size(), 200u * 601u);
  // The last pixel of the last row.
  const std::uint32_t last = picture.pixels.back();
  EXPECT_EQ(static_cast<unsigned char>(raw[raw.size() - 1]), last & 0xff);
  EXPECT_EQ(static_cast<unsigned char>(raw[raw.size() - 3]), (last >> 16) & 0xff);
  EXPECT_EQ(raw[200 * 601 - 601], '\0');
}

TEST(PngImageTest, RefusesAPictureItsPixelsDoNotFill) {
  EXPECT_EQ(EncodePng(PreviewPixels{2, 2, {0, 0, 0}}), "");
  EXPECT_EQ(EncodePng(PreviewPixels{0, 0, {}}), "");
  EXPECT_EQ(EncodePng(PreviewPixels{-1, 1, {0}}), "");
}

#ifndef _WIN32
// An independent decoder: Python's zlib, which checks the stream's own sums.
TEST(PngImageTest, ZlibReadsTheImageData) {
  PreviewPixels picture{4, 1, {0xff010203, 0xff040506, 0xff070809, 0xff0a0b0c}};
  const std::string path = MakeTestFolder("png") + "/p.png";
  std::ofstream(path, std::ios::binary) << EncodePng(picture);
  const std::string command = std::string(BOLTGEN_PYTHON) +
                              " -c \"import sys,zlib;d=open(sys.argv[1],'rb').read();"
                              "i=d.index(b'IDAT');n=int.from_bytes(d[i-4:i],'big');"
                              "print(zlib.decompress(d[i+4:i+4+n]).hex())\" " + path;
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[256] = {};
  const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
  pclose(pipe);
  ASSERT_TRUE(read);
  EXPECT_EQ(std::string(line), "000102030405060708090a0b0c\n");
}
#endif

}  // namespace
}  // namespace boltgen
