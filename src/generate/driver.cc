#include "generate/driver.h"

#include <utility>

#include "base/atomic_file.h"
#include "generate/block_commands.h"
#include "generate/part_files.h"
#include "generate/script_header.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

void Report(const StatusReport& report, std::string_view status) {
  if (report) report(status);
}

}  // namespace

std::string ScriptText(const BoltParts& parts, const Date& today, const StatusReport& report) {
  std::string script;
  if (!parts.parts.empty()) {
    const GridCopy& bolt = parts.parts.front().grid;
    const int nuts = static_cast<int>(parts.parts.size()) - 1;
    script.reserve(EstimatedScriptBytes(bolt.columns(), bolt.rows(), nuts));
  }
  const std::string writing = "Writing Script File: " + parts.script_path;
  for (const Part& part : parts.parts) {
    Report(report, writing);
    if (&part == &parts.parts.front()) AppendScriptHeader(script, parts.built, parts.dims, today);
    AppendMeshPart(script, part.grid, part.part_name, 0, 0, part.z_offset);
  }
  if (parts.built.block_commands) {
    Report(report, "Writing Block Commands to Script File: " + parts.script_path);
    AppendBlockCommands(script, parts.built.file_name, parts.dims, parts.parts);
  }
  return script;
}

Result<std::string> ComposeScript(GenerationState& state, const BoltRequest& request,
                                  const GenerationInput& input, const StatusReport& report) {
  Result<BoltParts> parts = BuildBoltParts(state, request, input, report);
  if (!parts) return parts.error();
  return ScriptText(parts.value(), input.today, report);
}

Result<WrittenFiles> GenerateFiles(GenerationState& state, const BoltRequest& request,
                                   const GenerationInput& input, const StatusReport& report) {
  Result<BoltParts> parts = BuildBoltParts(state, request, input, report);
  if (!parts) return parts.error();
  std::vector<OutputFile> files(1);
  files[0].path = parts->script_path;
  files[0].bytes = ScriptText(parts.value(), input.today, report);
  Result<std::vector<OutputFile>> part_files = PartFiles(parts.value());
  if (!part_files) return part_files.error();
  WrittenFiles written{parts->script_path, {}};
  for (OutputFile& file : part_files.value()) {
    written.part_files.push_back(file.path);
    files.push_back(std::move(file));
  }
  if (Result<> placed = WriteFilesAtomically(files); !placed) return placed.error();
  Report(report, "(Script File Written)Ready ....");
  return written;
}

}  // namespace boltgen
