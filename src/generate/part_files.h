#ifndef BOLTGEN_GENERATE_PART_FILES_H_
#define BOLTGEN_GENERATE_PART_FILES_H_

#include <vector>

#include "base/atomic_file.h"
#include "base/error.h"
#include "generate/parts.h"

namespace boltgen {

// The files the request asks for beside its script, from the parts the
// script is written from: each part as an STL file, then each as a DXF
// drawing, then all of them in one 3MF package. None when none is asked for.
// Refuses, with nothing composed, parts that would make a broken STL file and
// formats this build cannot write.
Result<std::vector<OutputFile>> PartFiles(const BoltParts& parts);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_PART_FILES_H_
