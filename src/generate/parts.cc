#include "generate/parts.h"

#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "base/number_format.h"
#include "base/path.h"
#include "base/text.h"
#include "config/size_table_file.h"
#include "generate/block_commands.h"
#include "generate/nut_fit.h"
#include "geometry/bolt_body.h"
#include "geometry/threads.h"
#include "mesh/grid_triangulation.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

// The rows of the tallest nut: the washer face nuts.
constexpr std::size_t kMaxNutRows = 10;

constexpr int kOfferedSegments[] = {24, 36, 48, 72, 144, 240};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool IsOfferedSegmentCount(int segments) {
  for (int offered : kOfferedSegments) {
    if (segments == offered) return true;
  }
  return false;
}

// The thread adds 2 * turns + 7 rows to the body; the grid ends at row 256.
Result<> CheckThread(const BoltRequest& request, const BoltDimensions& dims, int body_rows) {
  if (!(dims.pitch > 0)) {
    return Error{"The pitch " + Quoted(request.pitch_text) +
                 " is 0 or less, which gives no thread. Choose a pitch from the list, "
                 "or check No Threads."};
  }
  const int max_turns = (MeshGrid::kLastIndex - 7 - body_rows) / 2;
  const int turns = ThreadTurns(dims.thread_length, dims.pitch);
  if (turns <= max_turns) return Done();
  // Rounded up (pitch) and down (length) to the decimals shown, so that the
  // values offered do fit.
  const double smallest_pitch = std::ceil(dims.thread_length / max_turns * 10000) / 10000;
  const double longest_thread = max_turns * dims.pitch;
  // Short bolts take MinThrSht; shorter still, the thread is the length less
  // three and a half pitches.
  const double longest_bolt =
      longest_thread < dims.MinThrSht ? longest_thread + dims.pitch * 3.5 : dims.Long;
  // A pitch typed finer than the table allows fits no length that can be shown.
  const double longest_shown = std::floor(longest_bolt * 1000) / 1000;
  const std::string shorter =
      longest_shown > 0 ? ", or a length of at most " + FormatNumber(longest_shown, "###0.000") : "";
  return Error{"A thread length of " + FormatNumber(dims.thread_length, "###0.000") +
               " at pitch " + FormatNumber(dims.pitch, "0.0000") + " needs " +
               FormatNumber(turns, "0") + " turns, but the mesh holds at most " +
               FormatNumber(max_turns, "0") + ". Choose a pitch of at least " +
               FormatNumber(smallest_pitch, "0.0000") + shorter + "."};
}

// Everything that would make the generation impossible, found before any
// geometry is built or anything is written. `built` is the request as the
// parts are built from it.
Result<> CheckChoices(const BoltRequest& built, const BoltDimensions& dims) {
  if (!IsOfferedSegmentCount(dims.segments)) {
    return Error{"The segment count " + Quoted(built.segments_text) +
                 " is not offered. Choose 24, 36, 48, 72, 144 or 240."};
  }
  if (!built.plain_body) {
    const int body_rows = BoltBodyRowCount(dims, built.washer_face, built.head_radius);
    if (Result<> fits = CheckThread(built, dims, body_rows); !fits) return fits;
  }
  if (built.nuts && built.threaded_nuts) {
    if (!(dims.pitch > 0)) {
      return Error{"The pitch " + Quoted(built.pitch_text) +
                   " is 0 or less, which gives the nuts no thread. Choose a pitch from the "
                   "list, or plain nuts."};
    }
    if (Result<NutFit> fit = NutFitFor(built, dims); !fit) return fit.error();
    if (Result<> fits = CheckThreadedNutRows(dims); !fits) return fits;
  }
  if (TrimBlanks(built.file_name).empty()) {
    return Error{"No script file name is given. Type a file name, such as bolt.scr."};
  }
  return Done();
}

Result<> ReadDimensions(GenerationState& state, const BoltRequest& request,
                        const GenerationInput& input) {
  state.table_warnings.clear();
  const Result<std::string> content = ReadSizeTable(input.size_table_path);
  if (!content) return Error{content.error().message + "."};
  return SetBoltDimensions(content.value(), request, state.dims, SizeTableLabel(input.size_table_path),
                           &state.table_warnings);
}

void Report(const StatusReport& report, std::string_view status) {
  if (report) report(status);
}

}  // namespace

std::string DrawingBaseName(std::string_view file_name) {
  const std::string script_name = WithScriptExtension(file_name);
  std::string_view base = std::string_view(script_name).substr(0, script_name.size() - 4);
  return std::string(FileNameOf(base));
}

std::string PartFilePath(std::string_view script_path, std::string_view drawing_name,
                         std::string_view extension) {
  std::string path(FolderPrefixOf(script_path));
  path += drawing_name;
  path += extension;
  return path;
}

Result<BoltParts> BuildBoltParts(GenerationState& state, const BoltRequest& request,
                                 const GenerationInput& input, const StatusReport& report) {
  Report(report, "Reading parameters ....");
  if (Result<> read = ReadDimensions(state, request, input); !read) return read.error();
  BoltParts built{request, state.dims, WithScriptExtension(request.file_name), {}};
  // Nuts are made from the bolt's washer face rows, so nuts imply a washer
  // face; the header then says so too. The request itself stays as it is.
  if (built.built.nuts) built.built.washer_face = true;
  if (Result<> checked = CheckChoices(built.built, built.dims); !checked) return checked.error();

  Report(report, "Working ....");
  MeshGrid& grid = state.grid;
  const BoltRequest& b = built.built;
  MakeBoltBody(grid, built.dims, b.washer_face, b.head_radius);
  if (!b.plain_body) MakeThreads(grid, built.dims);
  const std::string base = DrawingBaseName(request.file_name);
  built.parts.reserve(b.nuts ? 1 + kNutKinds.size() : 1);
  // One block for the bolt and its nuts (each at most kMaxNutRows rows).
  const auto pool = std::make_shared<GridPointBlock>();
  pool->reserve(static_cast<std::size_t>(grid.column_count) *
                (static_cast<std::size_t>(grid.row_count) + (b.nuts ? 4 * kMaxNutRows : 0)));
  built.parts.push_back({std::string(kBoltPartName), base, nullptr, 0, GridCopy(grid, pool)});
  if (b.nuts) {
    std::optional<NutThread> thread;
    if (b.threaded_nuts) thread = NutFitFor(b, built.dims)->thread;
    MakeNuts(grid, built.dims, [&](const MeshGrid& nut_grid, const NutKind& nut, double z_offset) {
      built.parts.push_back({std::string(nut.name), NutBlockName(base, nut.code), &nut, z_offset,
                             GridCopy(nut_grid, pool)});
    }, thread ? &*thread : nullptr);
  }
  return built;
}

TriangleMesh PartMesh(const Part& part) {
  TriangleMesh mesh = TriangulateGrid(part.grid);
  for (Point3& v : mesh.vertices) v.z += part.z_offset;
  return mesh;
}

}  // namespace boltgen
