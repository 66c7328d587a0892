// Renders the preview of the choices given as command-line switches to a
// PNG file, without a window or a display:
//
//   boltgen_preview_png OUT.png [WIDTH HEIGHT] [switches]
//
// for example `boltgen_preview_png docs/preview.png 640 800 /D:7 /P:1 /L:3
// /S:1 /T:0 /N:1`. The switches are those of the program; /G: is not needed
// and nothing but the picture is written. The size table is found as the
// program finds it: in the working folder, else beside this tool.

#include <QImage>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/console_platform.h"
#include "app/preview_parts.h"
#include "app/qt/preview_renderer.h"
#include "app/request.h"
#include "generate/parts.h"
#include "app/window_start.h"

namespace {

bool IsSize(const char* text) { return std::strtol(text, nullptr, 10) > 0; }

// The bolt and its first nut moved by whole pitches onto the middle of the
// thread (where the nut's thread is in phase with the bolt's), the nut's
// quarter towards the viewer cut away.
std::vector<boltgen::TriangleMesh> NutOnBolt(const boltgen::BoltApp& app) {
  using namespace boltgen;
  GenerationState state;
  const Result<BoltParts> built =
      BuildBoltParts(state, RequestFromControls(app.controls, app.IsMetric), {app.size_table_path, {}});
  if (!built || built->parts.size() < 2) return {};
  const BoltDimensions& d = built->dims;
  const Part& nut_part = built->parts[1];
  const double bottom = nut_part.z_offset - d.HghtNut;
  const double target = -d.NomLength + d.ThreadLength / 2 - d.HghtNut / 2;
  const double dz = std::round((target - bottom) / d.Pitch) * d.Pitch;
  TriangleMesh nut = PartMesh(nut_part);
  for (Point3& v : nut.vertices) v.z += dz;
  std::vector<std::array<int, 3>> kept;
  for (const auto& t : nut.triangles) {
    const Point3 c = (1.0 / 3) * (nut.vertices[t[0]] + nut.vertices[t[1]] + nut.vertices[t[2]]);
    if (!(c.x < 0 && c.y < 0)) kept.push_back(t);
  }
  nut.triangles = std::move(kept);
  return {PartMesh(built->parts[0]), nut};
}

}  // namespace

int main(int argc, char** argv) {
  using namespace boltgen;
  if (argc < 2) {
    std::fputs("usage: boltgen_preview_png OUT.png [WIDTH HEIGHT] [switches]\n", stderr);
    return kExitUsage;
  }
  int first_switch = 2;
  const bool nut_on_bolt = argc >= 3 && std::string(argv[2]) == "--nut-on-bolt";
  if (nut_on_bolt) {
    --argc;
    for (int i = 2; i < argc; ++i) argv[i] = argv[i + 1];
  }
  int width = 640;
  int height = 800;
  if (argc >= 4 && IsSize(argv[2]) && IsSize(argv[3])) {
    width = std::atoi(argv[2]);
    height = std::atoi(argv[3]);
    first_switch = 4;
  }
  AppEnvironment environment;
  environment.program_path = FrontProgramBesideThis();
  environment.raw_args = JoinArguments(argc - first_switch + 1, argv + first_switch - 1);
  environment.headless = true;

  ConsolePlatform platform(stderr, stderr);
  BoltApp app(platform, environment);
  app.Form_Load();
  if (app.exit_status()) return *app.exit_status() == kExitOk ? kExitOk : kExitFailed;

  const PreviewParts parts = BuildPreviewParts(app);
  if (parts.meshes.empty()) {
    std::fprintf(stderr, "%s\n", parts.message.c_str());
    return kExitFailed;
  }
  const std::vector<TriangleMesh> meshes = nut_on_bolt ? NutOnBolt(app) : parts.meshes;
  if (meshes.empty()) {
    std::fputs("boltgen_preview_png: --nut-on-bolt needs nuts\n", stderr);
    return kExitFailed;
  }
  const QImage image = RenderPreview(meshes, PreviewView{}, QSize(width, height));
  if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "boltgen_preview_png: cannot write %s\n", argv[1]);
    return kExitFailed;
  }
  std::printf("%s\n", argv[1]);
  return kExitOk;
}
