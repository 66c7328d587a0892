#ifndef BOLTGEN_GENERATE_DRIVER_H_
#define BOLTGEN_GENERATE_DRIVER_H_

#include <functional>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/controls.h"
#include "base/date.h"
#include "base/platform.h"
#include "config/bolt_dimensions.h"
#include "geometry/nuts.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// What one run of the program keeps from one generation to the next: the
// dimensions (a key missing from a section keeps the last value), the grid
// and the nut offsets.
struct GenerationState {
  BoltDimensions dims;
  MeshGrid grid;
  NutOffsets nut_offsets{};
};

struct GenerationResult {
  enum class Kind {
    kWritten,      // the script is complete on disk (or in memory, when composing)
    kFatal,        // the bolt is too short for its pitch; the program ends
    kRefused,      // nothing generated: the message says why and what to change
    kWriteFailed,  // the script could not be written; an older one is untouched
  };
  Kind kind = Kind::kWritten;
  std::string message;  // for everything but kWritten
  std::string path;     // the script's file name, with its extension
};

struct GenerationInput {
  std::string size_table_path;  // the file that start-up found
  Date today;
};

// The files that go with a script (STL and other part files): called once
// the script is composed, with the generation's state and the script's path;
// adds its files to `files` or returns a message that refuses the run.
using CompanionFiles = std::function<std::string(
    const GenerationState& state, const std::string& script_path, std::vector<OutputFile>& files)>;

// One generation, as the Process button runs it: reads the dimensions, builds
// the bolt, its threads, nuts and block commands as the boxes ask, shows the
// status texts through `platform`, and writes the script with its companion
// files in one step. Nothing is written unless every file could be composed,
// and either all of them are written or none.
GenerationResult CmdProcess(GenerationState& state, Controls& controls, Platform& platform,
                            const GenerationInput& input,
                            const CompanionFiles& companions = nullptr);

// The same generation composed in memory only: `script` receives the text
// that CmdProcess would write. No file is written; the status line is not
// touched when `platform` is null.
GenerationResult ComposeScript(GenerationState& state, Controls& controls, Platform* platform,
                               const GenerationInput& input, std::string& script);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_DRIVER_H_
