#include "app/qt/preview_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QtMath>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "app/qt/preview_placement.h"

namespace boltgen {

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(160, 160);
  setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::SetParts(std::vector<TriangleMesh> meshes, const QString& message) {
  meshes_ = std::move(meshes);
  message_ = message;
  update();
}

void PreviewCanvas::ResetView() {
  view_ = PreviewView{};
  update();
}

QImage PreviewCanvas::Render(QSize size, qreal pixel_ratio) const {
  if (!size.isValid() || size.isEmpty()) size = this->size();
  if (!(pixel_ratio > 0)) pixel_ratio = devicePixelRatioF();
  const QSize pixels(qCeil(size.width() * pixel_ratio), qCeil(size.height() * pixel_ratio));
  QImage image;
  if (!meshes_.empty()) {
    image = RenderPreview(meshes_, view_, pixels);
    image.setDevicePixelRatio(pixel_ratio);
    return image;
  }
  image = QImage(pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(pixel_ratio);
  image.fill(kPreviewBackground);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.drawText(QRect(QPoint(0, 0), size).adjusted(12, 12, -12, -12),
                   Qt::AlignCenter | Qt::TextWordWrap, message_);
  return image;
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The image carries its pixel ratio: drawn at the canvas's size in
  // device-independent pixels, one image pixel per device pixel.
  painter.drawImage(QPoint(0, 0), Render());
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
  drag_from_ = event->position().toPoint();
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint to = event->position().toPoint();
  const QPoint moved = to - drag_from_;
  drag_from_ = to;
  TurnPreview(view_, moved.x(), moved.y());
  update();
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
  // One wheel step is 120 eighths of a degree.
  ZoomPreview(view_, event->angleDelta().y() / 120.0);
  update();
}

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      canvas_(new PreviewCanvas(this)),
      save_(new QPushButton("Save PNG", this)) {
  setObjectName("Preview");
  setWindowTitle("Quillfen 3D Bolt Generator - Preview");
  save_->setObjectName("CmdSavePng");
  hint_ = new QLabel(this);
  hint_->setObjectName("Hint");
  // A long size name must not widen the window; the tooltip holds it all.
  hint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  SetHint(QString());
  auto* bar = new QHBoxLayout;
  bar->addWidget(hint_, 1);
  bar->addWidget(save_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(canvas_, 1);
  layout->addLayout(bar);
  connect(save_, &QPushButton::clicked, this, &PreviewWindow::AskAndSave);
}

void PreviewWindow::SetHint(const QString& what) {
  const QString how = "drag to turn, wheel to zoom, R to reset";
  hint_->setText(what.isEmpty() ? how.left(1).toUpper() + how.mid(1) : what + " - " + how);
  hint_->setToolTip(hint_->text());
}

QString PreviewWindow::hint() const { return hint_->text(); }

void PreviewWindow::PlaceBeside(QWidget& main) {
  const QScreen* screen = main.screen();
  if (!screen) return;
  const QRect free = screen->availableGeometry();
  // The frame the window manager adds is not known before the window is
  // shown; the one of the main window is the best guess.
  const QSize frame = main.frameGeometry().size() - main.size();
  const QSize wanted = sizeHint().expandedTo(QSize(480, 600));
  const QSize least = minimumSizeHint().expandedTo(minimumSize());
  QRect place = PreviewPlacement(main.frameGeometry(), free, wanted, least, frame);
  if (place.isEmpty()) {
    // No side has room: the main window moves to the screen's corner, which
    // leaves the most room beside it.
    main.move(free.topLeft());
    place = PreviewPlacement(main.frameGeometry(), free, wanted, least, frame);
  }
  if (place.isEmpty()) {  // a screen smaller than both: at least on it
    resize(wanted.boundedTo(free.size() - frame));
    move(free.topLeft());
    return;
  }
  resize(place.size());
  move(place.topLeft());
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_R || event->key() == Qt::Key_Home) {
    canvas_->ResetView();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool PreviewWindow::SavePng(const QString& path) const {
  return canvas_->Render().save(path, "PNG");
}

void PreviewWindow::AskAndSave() {
  QString path =
      QFileDialog::getSaveFileName(this, "Save PNG", "preview.png", "PNG images (*.png)");
  if (path.isEmpty()) return;
  if (!path.endsWith(".png", Qt::CaseInsensitive)) path += ".png";
  if (!SavePng(path))
    QMessageBox::warning(this, windowTitle(), "The picture could not be saved to " + path + ".");
}

}  // namespace boltgen
