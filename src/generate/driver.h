#ifndef BOLTGEN_GENERATE_DRIVER_H_
#define BOLTGEN_GENERATE_DRIVER_H_

#include <string>
#include <vector>

#include "base/date.h"
#include "base/error.h"
#include "config/bolt_request.h"
#include "generate/generation.h"
#include "generate/parts.h"

namespace boltgen {

// What a generation wrote.
struct WrittenFiles {
  std::string script_path;              // the script, with its extension
  std::vector<std::string> part_files;  // beside it: STL, then DXF, then 3MF, as asked
};

// The script of parts already built: header, each part as a mesh command,
// and the block commands when the request asks for them. Reports "Writing
// Script File: ..." once per part and the block commands' status.
std::string ScriptText(const BoltParts& parts, const Date& today,
                       const StatusReport& report = nullptr);

// One generation composed in memory only: the parts built once, then the
// script that GenerateFiles would write. Nothing is written.
Result<std::string> ComposeScript(GenerationState& state, const BoltRequest& request,
                                  const GenerationInput& input,
                                  const StatusReport& report = nullptr);

// One generation, as the Process button runs it: reads the size table once,
// builds each part once, composes the script with its block commands and the
// part files the request asks for from those parts, reporting the status
// texts, and writes them in one step. Nothing is written unless every file
// could be composed, and either all of them are written or none; then it
// reports "(Script File Written)Ready ....".
Result<WrittenFiles> GenerateFiles(GenerationState& state, const BoltRequest& request,
                                   const GenerationInput& input,
                                   const StatusReport& report = nullptr);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_DRIVER_H_
