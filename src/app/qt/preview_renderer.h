#ifndef BOLTGEN_APP_QT_PREVIEW_RENDERER_H_
#define BOLTGEN_APP_QT_PREVIEW_RENDERER_H_

#include <QColor>
#include <QImage>
#include <QSize>

#include <vector>

#include "app/preview_raster.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {

// Draws the meshes as RasterisePreview does, sampled twice in each direction
// and averaged. Works without a GPU and on any Qt platform.
QImage RenderPreview(const std::vector<TriangleMesh>& meshes, const PreviewView& view, QSize size);

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_PREVIEW_RENDERER_H_
