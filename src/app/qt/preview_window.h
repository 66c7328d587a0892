#ifndef BOLTGEN_APP_QT_PREVIEW_WINDOW_H_
#define BOLTGEN_APP_QT_PREVIEW_WINDOW_H_

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <vector>

#include "app/qt/preview_renderer.h"
#include "mesh/triangle_mesh.h"

class QLabel;
class QPushButton;

namespace boltgen {

// The picture itself: drag to turn, wheel to zoom.
class PreviewCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewCanvas(QWidget* parent = nullptr);

  // What to show: the parts, or the reason there are none.
  void SetParts(std::vector<TriangleMesh> meshes, const QString& message);
  void ResetView();
  const PreviewView& view() const { return view_; }

  // The picture as it is shown, at `size` (the canvas's own by default) in
  // device-independent pixels, drawn at `pixel_ratio` device pixels each so
  // that it stays sharp on a scaled screen (0: the canvas's own ratio).
  QImage Render(QSize size = QSize(), qreal pixel_ratio = 0) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  std::vector<TriangleMesh> meshes_;
  QString message_;
  PreviewView view_;
  QPoint drag_from_;
};

// The "Preview" window: the canvas and a "Save PNG" button. Resizable;
// builds nothing itself, it shows what it is given. R or Home returns to the
// first view, whichever of its widgets has the focus.
class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewWindow(QWidget* parent = nullptr);

  PreviewCanvas* canvas() const { return canvas_; }
  // The line under the picture: what is shown, in which unit, and how to
  // handle it.
  void SetHint(const QString& what);
  QString hint() const;
  // Places the window beside `main` on its screen, shrunk to the room there,
  // never over it.
  // When no side has room, the main window moves to the screen's corner.
  void PlaceBeside(QWidget& main);
  // Saves what the canvas shows; false when the file cannot be written.
  bool SavePng(const QString& path) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AskAndSave();

  PreviewCanvas* canvas_;
  QPushButton* save_;
  QLabel* hint_;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_QT_PREVIEW_WINDOW_H_
