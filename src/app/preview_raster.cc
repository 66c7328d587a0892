#include "app/preview_raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mesh/mesh_grid.h"

namespace boltgen {
namespace {

// How much of the picture the parts fill at zoom 1.
constexpr double kFill = 0.92;
constexpr double kAmbient = 0.28;

constexpr double kDegreesPerPixel = 0.5;
constexpr double kZoomPerNotch = 1.15;
constexpr double kMinZoom = 0.2;
constexpr double kMaxZoom = 40;

struct Colour {
  int red, green, blue;
};
// Steel for the bolt, a warmer tone for the nuts.
constexpr Colour kPartColours[] = {{168, 180, 198}, {200, 184, 152}};

struct Camera {
  Point3 centre;
  double cos_yaw, sin_yaw, cos_pitch, sin_pitch;
  double scale;
  double half_width, half_height;

  // x to the right, y away from the viewer, z up.
  Point3 ToView(const Point3& p) const {
    const Point3 d = p - centre;
    const double x = cos_yaw * d.x + sin_yaw * d.y;
    const double y = -sin_yaw * d.x + cos_yaw * d.y;
    return {x, cos_pitch * y - sin_pitch * d.z, sin_pitch * y + cos_pitch * d.z};
  }
  // Pixels, y downwards; depth grows away from the viewer.
  Point3 ToScreen(const Point3& v) const {
    return {half_width + scale * v.x, half_height - scale * v.z, v.y};
  }
};

Camera Oriented(const Point3& centre, double yaw_degrees, double pitch_degrees) {
  Camera camera{};
  camera.centre = centre;
  const double yaw = DegToRad(yaw_degrees);
  const double pitch = DegToRad(pitch_degrees);
  camera.cos_yaw = std::cos(yaw);
  camera.sin_yaw = std::sin(yaw);
  camera.cos_pitch = std::cos(pitch);
  camera.sin_pitch = std::sin(pitch);
  return camera;
}

Camera MakeCamera(const std::vector<TriangleMesh>& meshes, const PreviewView& view, int width,
                  int height) {
  Point3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
             std::numeric_limits<double>::max()};
  Point3 high{-low.x, -low.y, -low.z};
  for (const TriangleMesh& mesh : meshes) {
    for (const Point3& p : mesh.vertices) {
      low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
  }
  const Point3 centre = 0.5 * (low + high);
  // The parts fill the picture as the first view shows them, and keep that
  // size while they are turned: turning does not zoom.
  const PreviewView first;
  const Camera fitting = Oriented(centre, first.yaw_degrees, first.pitch_degrees);
  double half_across = 1e-12;
  double half_up = 1e-12;
  for (const TriangleMesh& mesh : meshes) {
    for (const Point3& p : mesh.vertices) {
      const Point3 v = fitting.ToView(p);
      half_across = std::max(half_across, std::abs(v.x));
      half_up = std::max(half_up, std::abs(v.z));
    }
  }
  Camera camera = Oriented(centre, view.yaw_degrees, view.pitch_degrees);
  camera.scale = kFill * std::min(width / (2 * half_across), height / (2 * half_up)) * view.zoom;
  camera.half_width = width / 2.0;
  camera.half_height = height / 2.0;
  return camera;
}

std::uint32_t Shade(const Colour& colour, const Point3& normal) {
  static const Point3 light = [] {
    const Point3 l{-0.45, -1.0, 0.75};
    return (1 / Length(l)) * l;
  }();
  const double lit = kAmbient + (1 - kAmbient) * std::max(0.0, Dot(normal, light));
  const auto channel = [lit](int value) { return static_cast<std::uint32_t>(value * lit); };
  return 0xff000000u | channel(colour.red) << 16 | channel(colour.green) << 8 | channel(colour.blue);
}

double EdgeFunction(const Point3& a, const Point3& b, double x, double y) {
  return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

// A pixel column or row within 0 .. limit - 1, clamped before the cast: a
// coordinate far outside the picture (or not a number) must not overflow it.
int PixelWithin(double coordinate, int limit) {
  if (!(coordinate > 0)) return 0;
  return coordinate < limit - 1 ? static_cast<int>(coordinate) : limit - 1;
}

// Fills one triangle, already on screen, into the colour and depth buffers.
void Rasterise(const Point3 (&s)[3], std::uint32_t colour, PreviewPixels& image,
               std::vector<float>& depth) {
  const int width = image.width;
  const int height = image.height;
  const double area = EdgeFunction(s[0], s[1], s[2].x, s[2].y);
  if (area == 0 || !std::isfinite(area)) return;
  const int x0 = PixelWithin(std::floor(std::min({s[0].x, s[1].x, s[2].x})), width);
  const int x1 = PixelWithin(std::ceil(std::max({s[0].x, s[1].x, s[2].x})), width);
  const int y0 = PixelWithin(std::floor(std::min({s[0].y, s[1].y, s[2].y})), height);
  const int y1 = PixelWithin(std::ceil(std::max({s[0].y, s[1].y, s[2].y})), height);
  for (int y = y0; y <= y1; ++y) {
    std::uint32_t* line = image.pixels.data() + static_cast<std::size_t>(y) * width;
    for (int x = x0; x <= x1; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      const double w0 = EdgeFunction(s[1], s[2], px, py) / area;
      const double w1 = EdgeFunction(s[2], s[0], px, py) / area;
      const double w2 = 1 - w0 - w1;
      if (!(w0 >= 0 && w1 >= 0 && w2 >= 0)) continue;
      const float z = static_cast<float>(std::clamp(w0 * s[0].z + w1 * s[1].z + w2 * s[2].z,
                                                    -3e38, 3e38));
      float& nearest = depth[static_cast<std::size_t>(y) * width + x];
      if (!(z < nearest)) continue;
      nearest = z;
      line[x] = colour;
    }
  }
}

}  // namespace

PreviewPixels RasterisePreview(const std::vector<TriangleMesh>& meshes, const PreviewView& view,
                               int width, int height) {
  PreviewPixels image;
  image.width = std::max(1, width);
  image.height = std::max(1, height);
  const std::size_t size = static_cast<std::size_t>(image.width) * image.height;
  image.pixels.assign(size, kPreviewBackground);
  std::vector<float> depth(size, std::numeric_limits<float>::infinity());
  const Camera camera = MakeCamera(meshes, view, image.width, image.height);
  for (std::size_t m = 0; m < meshes.size(); ++m) {
    const TriangleMesh& mesh = meshes[m];
    const Colour& colour = kPartColours[m == 0 ? 0 : 1];
    std::vector<Point3> in_view(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i)
      in_view[i] = camera.ToView(mesh.vertices[i]);
    for (const auto& t : mesh.triangles) {
      const Point3 n = Cross(in_view[t[1]] - in_view[t[0]], in_view[t[2]] - in_view[t[0]]);
      const double length = Length(n);
      // Closed surfaces facing outwards: a face turned away is hidden anyway.
      if (length == 0 || !(n.y < 0)) continue;
      const Point3 screen[3] = {camera.ToScreen(in_view[t[0]]), camera.ToScreen(in_view[t[1]]),
                                camera.ToScreen(in_view[t[2]])};
      Rasterise(screen, Shade(colour, (1 / length) * n), image, depth);
    }
  }
  return image;
}

void TurnPreview(PreviewView& view, int dx, int dy) {
  view.yaw_degrees = std::fmod(view.yaw_degrees - dx * kDegreesPerPixel, 360.0);
  view.pitch_degrees = std::clamp(view.pitch_degrees + dy * kDegreesPerPixel, -89.0, 89.0);
}

void ZoomPreview(PreviewView& view, double notches) {
  view.zoom = std::clamp(view.zoom * std::pow(kZoomPerNotch, notches), kMinZoom, kMaxZoom);
}

}  // namespace boltgen
