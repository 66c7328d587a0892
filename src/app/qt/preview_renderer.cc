#include "app/qt/preview_renderer.h"

#include <algorithm>
#include <cstring>

namespace boltgen {
namespace {

constexpr int kSupersampling = 2;

}  // namespace

QImage RenderPreview(const std::vector<TriangleMesh>& meshes, const PreviewView& view, QSize size) {
  const PreviewPixels drawn =
      RasterisePreview(meshes, view, std::max(1, size.width()) * kSupersampling,
                       std::max(1, size.height()) * kSupersampling);
  QImage image(drawn.width, drawn.height, QImage::Format_RGB32);
  for (int y = 0; y < drawn.height; ++y) {
    std::memcpy(image.scanLine(y), drawn.pixels.data() + static_cast<std::size_t>(y) * drawn.width,
                static_cast<std::size_t>(drawn.width) * sizeof(std::uint32_t));
  }
  return image.scaled(size.width(), size.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace boltgen
