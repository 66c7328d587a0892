#include "app/qt/preview_renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mesh/mesh_grid.h"

namespace boltgen {
namespace {

constexpr int kSupersampling = 2;
// How much of the picture the parts fill at zoom 1.
constexpr double kFill = 0.92;
constexpr double kAmbient = 0.28;

// Steel for the bolt, a warmer tone for the nuts.
const QColor kPartColours[] = {QColor(168, 180, 198), QColor(200, 184, 152)};

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

QRgb Shade(const QColor& colour, const Point3& normal) {
  static const Point3 light = [] {
    const Point3 l{-0.45, -1.0, 0.75};
    return (1 / Length(l)) * l;
  }();
  const double lit = kAmbient + (1 - kAmbient) * std::max(0.0, Dot(normal, light));
  return qRgb(static_cast<int>(colour.red() * lit), static_cast<int>(colour.green() * lit),
              static_cast<int>(colour.blue() * lit));
}

double EdgeFunction(const Point3& a, const Point3& b, double x, double y) {
  return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

// Fills one triangle, already on screen, into the colour and depth buffers.
void Rasterise(const Point3 (&s)[3], QRgb colour, QImage& image, std::vector<float>& depth) {
  const int width = image.width();
  const int height = image.height();
  const double area = EdgeFunction(s[0], s[1], s[2].x, s[2].y);
  if (area == 0) return;
  const int x0 = std::max(0, static_cast<int>(std::floor(std::min({s[0].x, s[1].x, s[2].x}))));
  const int x1 =
      std::min(width - 1, static_cast<int>(std::ceil(std::max({s[0].x, s[1].x, s[2].x}))));
  const int y0 = std::max(0, static_cast<int>(std::floor(std::min({s[0].y, s[1].y, s[2].y}))));
  const int y1 =
      std::min(height - 1, static_cast<int>(std::ceil(std::max({s[0].y, s[1].y, s[2].y}))));
  for (int y = y0; y <= y1; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = x0; x <= x1; ++x) {
      const double px = x + 0.5;
      const double py = y + 0.5;
      const double w0 = EdgeFunction(s[1], s[2], px, py) / area;
      const double w1 = EdgeFunction(s[2], s[0], px, py) / area;
      const double w2 = 1 - w0 - w1;
      if (w0 < 0 || w1 < 0 || w2 < 0) continue;
      const float z = static_cast<float>(w0 * s[0].z + w1 * s[1].z + w2 * s[2].z);
      float& nearest = depth[static_cast<std::size_t>(y) * width + x];
      if (z >= nearest) continue;
      nearest = z;
      line[x] = colour;
    }
  }
}

}  // namespace

QImage RenderPreview(const std::vector<TriangleMesh>& meshes, const PreviewView& view, QSize size) {
  const int width = std::max(1, size.width()) * kSupersampling;
  const int height = std::max(1, size.height()) * kSupersampling;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kPreviewBackground);
  std::vector<float> depth(static_cast<std::size_t>(width) * height,
                           std::numeric_limits<float>::infinity());
  const Camera camera = MakeCamera(meshes, view, width, height);
  for (std::size_t m = 0; m < meshes.size(); ++m) {
    const TriangleMesh& mesh = meshes[m];
    const QColor& colour = kPartColours[m == 0 ? 0 : 1];
    std::vector<Point3> in_view(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i)
      in_view[i] = camera.ToView(mesh.vertices[i]);
    for (const auto& t : mesh.triangles) {
      const Point3 n = Cross(in_view[t[1]] - in_view[t[0]], in_view[t[2]] - in_view[t[0]]);
      const double length = Length(n);
      // Closed surfaces facing outwards: a face turned away is hidden anyway.
      if (length == 0 || n.y >= 0) continue;
      const Point3 screen[3] = {camera.ToScreen(in_view[t[0]]), camera.ToScreen(in_view[t[1]]),
                                camera.ToScreen(in_view[t[2]])};
      Rasterise(screen, Shade(colour, (1 / length) * n), image, depth);
    }
  }
  return image.scaled(size.width(), size.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace boltgen
