#ifndef BOLTGEN_MESH_STL_H_
#define BOLTGEN_MESH_STL_H_

#include <optional>
#include <string>
#include <string_view>

#include "mesh/triangle_mesh.h"

namespace boltgen {

// A mesh as a binary STL file: an 80-byte header (the text, cut or padded
// with blanks; it never begins with "solid", which would make readers take it
// for the text form), the triangle count as 32-bit unsigned, then per
// triangle its unit normal and three corners as 32-bit floats and a zero
// attribute word, all little endian. Normals are
// computed from the corners as written, so readers that recompute them agree.
std::string EncodeBinaryStl(const TriangleMesh& mesh, std::string_view header);

// Reads a binary STL file back: corners with identical coordinates become one
// vertex. Nothing when the size does not match the triangle count.
std::optional<TriangleMesh> DecodeBinaryStl(std::string_view bytes);

}  // namespace boltgen

#endif  // BOLTGEN_MESH_STL_H_
