#include "app/png_image.h"

#include <algorithm>
#include <array>

namespace boltgen {
namespace {

// A stored deflate block holds at most this many bytes.
constexpr std::size_t kMaxStoredBlock = 65535;

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typed = out.size();
  out += type;
  out += data;
  PutBigEndian(out, Crc32(std::string_view(out).substr(typed)));
}

// The rows, each behind its filter byte (0: none), in stored deflate blocks
// inside a zlib stream.
std::string ZlibStored(std::string_view raw) {
  std::string out = "\x78\x01";
  std::size_t at = 0;
  do {
    const std::size_t size = std::min(kMaxStoredBlock, raw.size() - at);
    const bool last = at + size == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(size & 0xff);
    out += static_cast<char>(size >> 8);
    out += static_cast<char>(~size & 0xff);
    out += static_cast<char>((~size >> 8) & 0xff);
    out += raw.substr(at, size);
    at += size;
  } while (at < raw.size());
  PutBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xffffffffu;
  for (const char byte : bytes) crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xff] ^ (crc >> 8);
  return crc ^ 0xffffffffu;
}

std::uint32_t Adler32(std::string_view bytes) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1, b = 0;
  for (const char byte : bytes) {
    a = (a + static_cast<unsigned char>(byte)) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

std::string EncodePng(const PreviewPixels& picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
    return {};
  }
  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(picture.width));
  PutBigEndian(header, static_cast<std::uint32_t>(picture.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter choice, no interlace
  std::string raw;
  raw.reserve(static_cast<std::size_t>(picture.height) * (1 + 3 * static_cast<std::size_t>(picture.width)));
  for (int y = 0; y < picture.height; ++y) {
    raw += '\0';
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t argb = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
      raw += static_cast<char>((argb >> 16) & 0xff);
      raw += static_cast<char>((argb >> 8) & 0xff);
      raw += static_cast<char>(argb & 0xff);
    }
  }
  std::string out = "\x89PNG\r\n\x1a\n";
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", ZlibStored(raw));
  PutChunk(out, "IEND", "");
  return out;
}

}  // namespace boltgen
