#include "generate/generation_steps.h"

#include <cmath>
#include <string>
#include <utility>

#include "base/number_format.h"
#include "base/text.h"
#include "config/size_table_file.h"
#include "geometry/bolt_body.h"
#include "geometry/nuts.h"
#include "geometry/threads.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

using Kind = GenerationResult::Kind;

constexpr int kOfferedSegments[] = {24, 36, 48, 72, 144, 240};

GenerationResult Refuse(std::string message) { return {Kind::kRefused, std::move(message), {}}; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsOfferedSegmentCount(int segments) {
  for (int offered : kOfferedSegments) {
    if (segments == offered) return true;
  }
  return false;
}

// The thread adds 2 * turns + 7 rows to the body; the grid ends at row 256.
std::optional<GenerationResult> CheckThread(const Controls& controls, const BoltDimensions& dims,
                                            int body_rows) {
  if (!(dims.Pitch > 0)) {
    return Refuse("The pitch " + Quoted(controls.Cmb_Pitch.text) +
                  " is 0 or less, which gives no thread. Choose a pitch from the list, "
                  "or check No Threads.");
  }
  const int max_turns = (MeshGrid::kLastIndex - 7 - body_rows) / 2;
  const int turns = ThreadTurns(dims.ThreadLength, dims.Pitch);
  if (turns <= max_turns) return std::nullopt;
  // Rounded up (pitch) and down (length) to the decimals shown, so that the
  // values offered do fit.
  const double smallest_pitch = std::ceil(dims.ThreadLength / max_turns * 10000) / 10000;
  const double longest_thread = max_turns * dims.Pitch;
  // Short bolts take MinThrSht; shorter still, the thread is the length less
  // three and a half pitches.
  const double longest_bolt =
      longest_thread < dims.MinThrSht ? longest_thread + dims.Pitch * 3.5 : dims.Long;
  return Refuse("A thread length of " + FormatNumber(dims.ThreadLength, "###0.000") + " at pitch " +
                FormatNumber(dims.Pitch, "0.0000") + " needs " + FormatNumber(turns, "0") +
                " turns, but the mesh holds at most " + FormatNumber(max_turns, "0") +
                ". Choose a pitch of at least " + FormatNumber(smallest_pitch, "0.0000") +
                ", or a length of at most " +
                FormatNumber(std::floor(longest_bolt * 1000) / 1000, "###0.000") + ".");
}

// Everything that would make the generation impossible, found before any
// geometry is built or anything is written.
std::optional<GenerationResult> CheckChoices(const Controls& controls, const BoltDimensions& dims,
                                             bool washer_face) {
  if (!IsOfferedSegmentCount(dims.Segments)) {
    return Refuse("The segment count " + Quoted(controls.CMB_Segments.text) +
                  " is not offered. Choose 24, 36, 48, 72, 144 or 240.");
  }
  if (!controls.Chk_No_Threads.checked) {
    const int body_rows = BoltBodyRowCount(dims, washer_face, controls.Chk_Rad_HEAD.checked);
    if (auto refused = CheckThread(controls, dims, body_rows)) return refused;
  }
  if (TrimBlanks(controls.TXT_File.text).empty()) {
    return Refuse("No script file name is given. Type a file name, such as bolt.scr.");
  }
  return std::nullopt;
}

std::optional<GenerationResult> ReadDimensions(GenerationState& state, const Controls& controls,
                                               const GenerationInput& input) {
  std::string error;
  const std::optional<std::string> content = ReadSizeTable(input.size_table_path, &error);
  if (!content) return Refuse(error + ".");
  const DimensionsResult read = SetBoltDimensions(*content, controls, state.dims,
                                                  SizeTableLabel(input.size_table_path));
  switch (read.kind) {
    case DimensionsResult::Kind::kOk:
      return std::nullopt;
    case DimensionsResult::Kind::kFatal:
      return GenerationResult{Kind::kFatal, read.message, {}};
    case DimensionsResult::Kind::kRefused:
      break;
  }
  return Refuse(read.message);
}

}  // namespace

std::optional<GenerationResult> PrepareGeneration(GenerationState& state, const Controls& controls,
                                                  const GenerationInput& input,
                                                  Controls& effective) {
  if (auto failed = ReadDimensions(state, controls, input)) return failed;
  // Nuts are made from the bolt's washer face rows, so nuts imply a washer
  // face; the header then says so too. The boxes themselves stay as they are.
  effective = controls;
  if (effective.Chk_Nuts.checked) effective.Chk_WF.checked = true;
  return CheckChoices(effective, state.dims, effective.Chk_WF.checked);
}

void BuildParts(GenerationState& state, const Controls& effective, const PartVisitor& visit) {
  MeshGrid& grid = state.grid;
  const BoltDimensions& dims = state.dims;
  MakeBoltBody(grid, dims, effective.Chk_WF.checked, effective.Chk_Rad_HEAD.checked);
  if (!effective.Chk_No_Threads.checked) MakeThreads(grid, dims);
  visit(kBoltPartName, 0);
  if (effective.Chk_Nuts.checked) MakeNuts(grid, dims, state.nut_offsets, visit);
}

}  // namespace boltgen
