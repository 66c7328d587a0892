#ifndef BOLTGEN_GENERATE_GENERATION_STEPS_H_
#define BOLTGEN_GENERATE_GENERATION_STEPS_H_

#include <functional>
#include <optional>
#include <string_view>

#include "base/controls.h"
#include "generate/driver.h"

namespace boltgen {

// The steps that every generation shares, whether it ends in a script or in
// parts held in memory, so that both build exactly the same parts and refuse
// exactly the same choices.

// Reads the chosen size's dimensions into `state.dims` and refuses what cannot
// be generated, before any geometry is built. `effective` receives the boxes
// as the generation reads them: nuts imply a washer face.
std::optional<GenerationResult> PrepareGeneration(GenerationState& state, const Controls& controls,
                                                  const GenerationInput& input,
                                                  Controls& effective);

// Called once per part while the part is in `state.grid`, in the order of the
// script: the bolt, then with nuts the washer face standard, washer face jam,
// plain face jam and plain face standard nut.
using PartVisitor = std::function<void(std::string_view part_name, double z_offset)>;

// Builds the parts that the effective choices ask for one after another in
// the grid: the bolt body, its threads unless "No Threads", and the nuts.
void BuildParts(GenerationState& state, const Controls& effective, const PartVisitor& visit);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_GENERATION_STEPS_H_
