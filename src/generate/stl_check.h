#ifndef BOLTGEN_GENERATE_STL_CHECK_H_
#define BOLTGEN_GENERATE_STL_CHECK_H_

#include <string>
#include <vector>

#include "base/atomic_file.h"

#include "base/error.h"

namespace boltgen {

// Why a binary STL file is not a sound part as a reader will see it: its
// corners as the 32-bit numbers written, corners with the same numbers one
// vertex. A sound part has triangles, finite corners, and a closed,
// edge-manifold, consistently oriented surface. The refusal names the file.
Result<> CheckStlFile(const OutputFile& file);

// Refuses, naming the file, the first STL file among `files` (those named
// ".stl") that is not a sound closed surface as written.
Result<> CheckStlFiles(const std::vector<OutputFile>& files);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_STL_CHECK_H_
