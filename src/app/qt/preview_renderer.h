#ifndef BOLTGEN_APP_QT_PREVIEW_RENDERER_H_
#define BOLTGEN_APP_QT_PREVIEW_RENDERER_H_

#include <QColor>
#include <QImage>
#include <QSize>

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

inline constexpr QRgb kPreviewBackground = 0xffeceef1;

// Draws the meshes in software: an orthographic view of their outward faces
// through a depth buffer, each face lit by its angle to a light above and
// to the left of the viewer, sampled twice in each direction and averaged.
// The axis is upright, the middle of the parts' box in the middle of the
// picture. Works without a GPU and on any Qt platform.
QImage RenderPreview(const std::vector<TriangleMesh>& meshes, const PreviewView& view, QSize size);

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_PREVIEW_RENDERER_H_
