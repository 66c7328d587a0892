// Renders the preview of the choices given as command-line switches to a
// PNG file, without a window or a display:
//
//   boltgen_preview_png OUT.png [WIDTH HEIGHT] [switches]
//
// for example `boltgen_preview_png docs/preview.png 640 800 /D:7 /P:1 /L:3
// /S:1 /T:0 /N:1`. The switches are those of the program but /G:, which would
// write a script: nothing but the picture is written, whole or not at all.
// The size table is found as the program finds it: in the working folder,
// else beside this tool. Every refusal ends with a non-zero status.

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/console_platform.h"
#include "app/preview_parts.h"
#include "app/qt/preview_renderer.h"
#include "app/request.h"
#include "generate/parts.h"
#include "app/window_start.h"
#include "base/atomic_file.h"

namespace {

using namespace boltgen;

// A picture side of at most this many pixels: a poster's worth, drawn in a
// few hundred megabytes at most.
constexpr long kLargestSide = 8192;

// A side as given: all digits, within the bound; 0 when it is not.
int Side(const char* text) {
  char* end = nullptr;
  errno = 0;
  const long side = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || side < 1 || side > kLargestSide) return 0;
  return static_cast<int>(side);
}

// The terminal's platform, remembering whether the run refused anything:
// a refused switch leaves the default bolt, which is no picture of the
// choices asked for.
class PreviewPlatform : public ConsolePlatform {
 public:
  PreviewPlatform() : ConsolePlatform(stderr, stderr) {}
  void ShowMessage(MessageKind kind, std::string_view text) override {
    refused_ = refused_ || kind == MessageKind::kError;
    ConsolePlatform::ShowMessage(kind, text);
  }
  bool refused() const { return refused_; }

 private:
  bool refused_ = false;
};

int Refuse(const std::string& message) {
  std::fprintf(stderr, "boltgen_preview_png: %s\n", message.c_str());
  return kExitFailed;
}

// The bolt and its first nut moved by whole pitches onto the middle of the
// thread (where the nut's thread is in phase with the bolt's), the nut's
// quarter towards the viewer cut away.
std::vector<boltgen::TriangleMesh> NutOnBolt(const boltgen::BoltApp& app) {
  using namespace boltgen;
  GenerationState state;
  const Result<BoltParts> built = BuildBoltParts(
      state, RequestFromControls(app.controls, app.is_metric), {app.size_table_path, {}});
  if (!built || built->parts.size() < 2) return {};
  const BoltDimensions& d = built->dims;
  const Part& nut_part = built->parts[1];
  const double bottom = nut_part.z_offset - d.HghtNut;
  const double target = -d.nominal_length + d.thread_length / 2 - d.HghtNut / 2;
  const double dz = std::round((target - bottom) / d.pitch) * d.pitch;
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
  InstallSignalCleanup();  // before any temporary can exist
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
  // A word after the picture's name that starts with a digit starts its size.
  if (argc >= 3 && argv[2][0] >= '0' && argv[2][0] <= '9') {
    width = Side(argv[2]);
    height = argc >= 4 ? Side(argv[3]) : 0;
    if (width == 0 || height == 0) {
      return Refuse(std::string("the picture's size ") + argv[2] + " x " +
                    (argc >= 4 ? argv[3] : "(none)") + " is not two whole numbers from 1 to " +
                    std::to_string(kLargestSide));
    }
    first_switch = 4;
  }
  const std::vector<std::string> words(argv + first_switch, argv + argc);
  if (ParseSwitches(words).process_and_exit) {
    return Refuse("/G:1 would write a script; this tool writes only the picture. Leave /G: out");
  }
  AppEnvironment environment;
  environment.program_path = FrontProgramBesideThis();
  environment.raw_args = JoinArguments(argc - first_switch + 1, argv + first_switch - 1);
  environment.headless = true;

  PreviewPlatform platform;
  BoltApp app(platform, environment);
  app.Form_Load();
  if (app.exit_status()) return *app.exit_status() == kExitOk ? kExitOk : kExitFailed;
  if (platform.refused()) return Refuse("nothing drawn: the switches above were refused");

  const PreviewParts parts = BuildPreviewParts(app);
  if (parts.meshes.empty()) {
    std::fprintf(stderr, "%s\n", parts.message.c_str());
    return kExitFailed;
  }
  const std::vector<TriangleMesh> meshes = nut_on_bolt ? NutOnBolt(app) : parts.meshes;
  if (meshes.empty()) return Refuse("--nut-on-bolt needs nuts");
  const QImage image = RenderPreview(meshes, PreviewView{}, QSize(width, height));
  QByteArray png;
  QBuffer buffer(&png);
  if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
    return Refuse("the picture could not be drawn or encoded");
  if (const Result<> written = WriteFileAtomically(argv[1], std::string_view(png.constData(),
                                                   static_cast<std::size_t>(png.size())));
      !written) {
    return Refuse(written.error().message);
  }
  std::printf("%s\n", argv[1]);
  return kExitOk;
}
