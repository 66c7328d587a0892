#include "mesh/stl.h"

#include <bit>
#include <cstdint>
#include <unordered_map>

namespace boltgen {
namespace {

constexpr std::size_t kHeaderSize = 80;
constexpr std::size_t kTriangleSize = 50;

void AppendUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void AppendFloat(std::string& out, float value) {
  AppendUint32(out, std::bit_cast<std::uint32_t>(value));
}

std::uint32_t ReadUint32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

float ReadFloat(std::string_view bytes, std::size_t at) {
  return std::bit_cast<float>(ReadUint32(bytes, at));
}

struct FloatPoint {
  float x, y, z;
};

FloatPoint ToFloat(const Point3& p) {
  return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
}

Point3 ToDouble(const FloatPoint& p) { return {p.x, p.y, p.z}; }

}  // namespace

std::string EncodeBinaryStl(const TriangleMesh& mesh, std::string_view header) {
  std::string out(header.substr(0, kHeaderSize));
  if (out.starts_with("solid")) out[0] = 'S';
  out.resize(kHeaderSize, ' ');
  out.reserve(kHeaderSize + 4 + mesh.triangles.size() * kTriangleSize);
  AppendUint32(out, static_cast<std::uint32_t>(mesh.triangles.size()));
  for (const auto& t : mesh.triangles) {
    const FloatPoint corners[3] = {ToFloat(mesh.vertices[t[0]]), ToFloat(mesh.vertices[t[1]]),
                                   ToFloat(mesh.vertices[t[2]])};
    const Point3 a = ToDouble(corners[0]);
    Point3 normal = Cross(ToDouble(corners[1]) - a, ToDouble(corners[2]) - a);
    const double length = Length(normal);
    if (length > 0) normal = (1 / length) * normal;
    AppendFloat(out, static_cast<float>(normal.x));
    AppendFloat(out, static_cast<float>(normal.y));
    AppendFloat(out, static_cast<float>(normal.z));
    for (const FloatPoint& c : corners) {
      AppendFloat(out, c.x);
      AppendFloat(out, c.y);
      AppendFloat(out, c.z);
    }
    out.append(2, '\0');
  }
  return out;
}

std::optional<TriangleMesh> DecodeBinaryStl(std::string_view bytes) {
  if (bytes.size() < kHeaderSize + 4) return std::nullopt;
  const std::uint32_t count = ReadUint32(bytes, kHeaderSize);
  if (bytes.size() != kHeaderSize + 4 + static_cast<std::size_t>(count) * kTriangleSize)
    return std::nullopt;
  TriangleMesh mesh;
  // Corners are the same vertex only when all their bits are: 96 bits of
  // key, hashed as the two halves that hold them.
  struct Key {
    std::uint64_t xy;
    std::uint32_t z;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const { return k.xy * 0x9E3779B97F4A7C15ull ^ k.z; }
  };
  std::unordered_map<Key, int, KeyHash> known;
  known.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = kHeaderSize + 4 + static_cast<std::size_t>(i) * kTriangleSize + 12;
    std::array<int, 3> triangle;
    for (int k = 0; k < 3; ++k) {
      const std::size_t c = at + 12 * static_cast<std::size_t>(k);
      const Key key{
          (static_cast<std::uint64_t>(ReadUint32(bytes, c)) << 32) | ReadUint32(bytes, c + 4),
          ReadUint32(bytes, c + 8)};
      auto [it, inserted] = known.emplace(key, static_cast<int>(mesh.vertices.size()));
      if (inserted)
        mesh.vertices.push_back(
            {ReadFloat(bytes, c), ReadFloat(bytes, c + 4), ReadFloat(bytes, c + 8)});
      triangle[k] = it->second;
    }
    mesh.triangles.push_back(triangle);
  }
  return mesh;
}

}  // namespace boltgen
