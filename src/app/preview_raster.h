#ifndef BOLTGEN_APP_PREVIEW_RASTER_H_
#define BOLTGEN_APP_PREVIEW_RASTER_H_

#include <cstdint>
#include <vector>

#include "mesh/triangle_mesh.h"

namespace boltgen {

// How the parts are looked at: turned about their axis, tilted towards the
// viewer, and magnified. The default looks at a corner of the hexagon from
// slightly above, with everything in the picture.
struct PreviewView {
  double yaw_degrees = 0;     // about the parts' axis
  double pitch_degrees = 20;  // positive: looking down on the head
  double zoom = 1;            // 1: the parts fill the picture
};

// A drag by (dx, dy) pixels turns the parts about their axis and tilts
// them, never past looking straight down or up.
void TurnPreview(PreviewView& view, int dx, int dy);
// Wheel notches (positive: away from the user) magnify, within bounds that
// keep the parts findable.
void ZoomPreview(PreviewView& view, double notches);

// 0xAARRGGBB, as the window's images hold their pixels.
inline constexpr std::uint32_t kPreviewBackground = 0xffeceef1;

// A picture as rows of 0xAARRGGBB pixels, top row first.
struct PreviewPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Draws the meshes in software, without any toolkit: an orthographic view of
// their outward faces through a depth buffer, each face lit by its angle to a
// light above and to the left of the viewer. The axis is upright, the middle
// of the parts' box in the middle of the picture. Whatever the coordinates
// (huge, tiny, not finite), the work is bounded by the triangles and the
// picture's size.
PreviewPixels RasterisePreview(const std::vector<TriangleMesh>& meshes, const PreviewView& view,
                               int width, int height);

}  // namespace boltgen

#endif  // BOLTGEN_APP_PREVIEW_RASTER_H_
