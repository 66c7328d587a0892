// The preview as a person sees it, on the offscreen platform: the default
// bolt in the middle of the picture with the proportions of its head and
// shank, turning and zooming under the mouse, following the choices.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QWheelEvent>
#include <QtTest/QtTest>

#include <algorithm>
#include <cmath>

#include "app/qt/preview_window.h"
#include "app/qt/window_test.h"
#include "config/bolt_dimensions.h"
#include "config/size_table.h"
#include "mesh/mesh_grid.h"

namespace boltgen {
namespace {

constexpr char kShippedTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

// What differs clearly from the background is part of the picture.
bool IsPart(QRgb pixel) {
  const QRgb b = kPreviewBackground;
  return std::abs(qRed(pixel) - qRed(b)) > 24 || std::abs(qGreen(pixel) - qGreen(b)) > 24 ||
         std::abs(qBlue(pixel) - qBlue(b)) > 24;
}

int WidthAt(const QImage& image, int row) {
  int first = -1, last = -1;
  for (int x = 0; x < image.width(); ++x) {
    if (!IsPart(image.pixel(x, row))) continue;
    if (first < 0) first = x;
    last = x;
  }
  return first < 0 ? 0 : last - first + 1;
}

struct Silhouette {
  int top = -1, bottom = -1, left = -1, right = -1;
};

Silhouette Measure(const QImage& image) {
  Silhouette s;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!IsPart(image.pixel(x, y))) continue;
      if (s.top < 0) s.top = y;
      s.bottom = y;
      s.left = s.left < 0 ? x : std::min(s.left, x);
      s.right = std::max(s.right, x);
    }
  }
  return s;
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QFile table(kShippedTable);
    QVERIFY(table.open(QIODevice::ReadOnly));
    w_ = std::make_unique<WindowUnderTest>(table.readAll());
    QVERIFY(QTest::qWaitForWindowExposed(w_->window.get()));
  }
  void cleanup() { w_.reset(); }

  void NewControlsUseOnlyTheFreeSpaceOfTheBottomRow();
  void ShowsTheDefaultBoltCentredWithItsProportions();
  void FollowsTheChoicesOpenOrClosedAndWritesNothing();
  void DragTurnsWheelZoomsAndRResets();
  void SavesWhatItShowsAsPng();
  void ExplainsWhyThereIsNothingToShow();

 private:
  PreviewWindow* OpenPreview() {
    QTest::mouseClick(w_->Find("CmdPreview"), Qt::LeftButton);
    PreviewWindow* preview = w_->window->preview();
    if (preview) preview->resize(400, 640);
    return preview;
  }

  std::unique_ptr<WindowUnderTest> w_;
};

void PreviewTest::NewControlsUseOnlyTheFreeSpaceOfTheBottomRow() {
  auto* stl = w_->Find<QCheckBox>("Chk_STL");
  auto* preview = w_->Find<QPushButton>("CmdPreview");
  QCOMPARE(stl->text(), QString("Write STL"));
  QCOMPARE(preview->text(), QString("Preview"));
  for (QWidget* added : {static_cast<QWidget*>(stl), static_cast<QWidget*>(preview)}) {
    const QRect r = added->geometry();
    QVERIFY(r.top() >= 176 && r.bottom() < 200);
    for (QWidget* other : w_->window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (other == stl || other == preview || !other->isVisible()) continue;
      QVERIFY2(!r.intersects(other->geometry()), qPrintable(other->objectName()));
    }
  }
  QVERIFY(!w_->app->controls.Chk_STL.checked);
  QTest::mouseClick(stl, Qt::LeftButton);
  QVERIFY(w_->app->controls.Chk_STL.checked);
}

void PreviewTest::ShowsTheDefaultBoltCentredWithItsProportions() {
  PreviewWindow* preview = OpenPreview();
  QVERIFY(preview && preview->isVisible());
  const QImage image = preview->canvas()->Render(QSize(400, 640));
  const Silhouette s = Measure(image);
  QVERIFY(s.top >= 0);
  // In the middle of the picture, and filling it.
  QVERIFY(std::abs((s.left + s.right) / 2.0 - 200) < 0.03 * 400);
  QVERIFY(std::abs((s.top + s.bottom) / 2.0 - 320) < 0.03 * 640);
  QVERIFY(s.bottom - s.top > 0.7 * 640);

  // Seen towards a corner of the hexagon, the head is as wide as across its
  // flats; the plain shank below it as wide as the major diameter. The
  // default 3/4 inch bolt, 3 long, looked at 20 degrees from above.
  BoltDimensions d;
  const auto table = ReadWholeFile(kShippedTable, nullptr);
  QVERIFY(table.has_value());
  QCOMPARE(SetBoltDimensions(*table, w_->app->controls, d).kind, DimensionsResult::Kind::kOk);
  QCOMPARE(d.MajorDia, 0.75);
  const int height = s.bottom - s.top + 1;
  int head = 0;
  for (int y = s.top; y < s.top + height / 8; ++y) head = std::max(head, WidthAt(image, y));
  const int shank = WidthAt(image, s.top + height * 3 / 10);
  const double pixels_per_unit = shank / d.MajorDia;
  QVERIFY2(std::abs(head / pixels_per_unit - d.Flats) < 0.04 * d.Flats,
           qPrintable(QString("head %1 px, shank %2 px").arg(head).arg(shank)));
  const double tilt = DegToRad(20);
  const double expected_height =
      std::cos(tilt) * (d.HghtHex + d.NomLength) +
      std::sin(tilt) * (d.AcrossCorners / 2 + d.MinorDia / 2 - d.HalfPitch);
  QVERIFY2(std::abs(height / pixels_per_unit - expected_height) < 0.04 * expected_height,
           qPrintable(QString("height %1 px").arg(height)));
  // Shaded, not a flat shape: the faces are lit differently.
  QSet<QRgb> shades;
  for (int y = s.top; y <= s.bottom; y += 3) {
    for (int x = s.left; x <= s.right; x += 3) {
      if (IsPart(image.pixel(x, y))) shades.insert(image.pixel(x, y));
    }
  }
  QVERIFY(shades.size() > 20);
}

void PreviewTest::FollowsTheChoicesOpenOrClosedAndWritesNothing() {
  PreviewWindow* preview = OpenPreview();
  const QImage bolt = preview->canvas()->Render(QSize(400, 640));
  const BoltDimensions kept = w_->app->generation.dims;
  QTest::mouseClick(w_->Find("Chk_Nuts"), Qt::LeftButton);
  // The nuts stand above the head: the picture holds more, the bolt shrinks.
  const QImage with_nuts = preview->canvas()->Render(QSize(400, 640));
  const Silhouette all = Measure(with_nuts);
  int widest_low = 0;
  for (int y = all.bottom - (all.bottom - all.top) / 4; y <= all.bottom; ++y)
    widest_low = std::max(widest_low, WidthAt(with_nuts, y));
  const Silhouette alone = Measure(bolt);
  QVERIFY(widest_low < (alone.right - alone.left) * 0.6);

  // A choice made while the preview is closed shows when it opens again.
  preview->close();
  QTest::mouseClick(w_->Find("Chk_Nuts"), Qt::LeftButton);
  w_->window->ShowPreview();
  QVERIFY(preview->isVisible());
  QVERIFY(preview->canvas()->Render(QSize(400, 640)) == bolt);

  QCOMPARE(QDir(w_->folder.path()).entryList(QDir::Files),
           (QStringList{"boltgen.ini", "boltgen.pdf"}));
  QCOMPARE(w_->app->controls.Status, std::string("Ready"));
  QCOMPARE(w_->app->generation.dims.NomLength, kept.NomLength);
}

void PreviewTest::DragTurnsWheelZoomsAndRResets() {
  PreviewCanvas* canvas = OpenPreview()->canvas();
  const QImage before = canvas->Render(QSize(200, 320));
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  QTest::mouseMove(canvas, QPoint(160, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(160, 120), canvas->mapToGlobal(QPointF(160, 120)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(160, 120));
  QVERIFY(canvas->view().yaw_degrees != PreviewView{}.yaw_degrees);
  QVERIFY(canvas->view().pitch_degrees > PreviewView{}.pitch_degrees);
  QVERIFY(canvas->Render(QSize(200, 320)) != before);

  QWheelEvent wheel(QPointF(100, 100), canvas->mapToGlobal(QPointF(100, 100)), QPoint(),
                    QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  QVERIFY(canvas->view().zoom > 1.2);
  QTest::keyClick(canvas, Qt::Key_R);
  QCOMPARE(canvas->view().zoom, 1.0);
  QCOMPARE(canvas->Render(QSize(200, 320)), before);

  // Home does the same from the button row.
  QApplication::sendEvent(canvas, &wheel);
  QTest::keyClick(canvas->window()->findChild<QPushButton*>("CmdSavePng"), Qt::Key_Home);
  QCOMPARE(canvas->view().zoom, 1.0);
}

void PreviewTest::SavesWhatItShowsAsPng() {
  PreviewWindow* preview = OpenPreview();
  const QString path = w_->Path("shown.png");
  QVERIFY(preview->SavePng(path));
  QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), preview->canvas()->Render());
  QVERIFY(!preview->SavePng(w_->Path("missing/shown.png")));
}

void PreviewTest::ExplainsWhyThereIsNothingToShow() {
  PreviewWindow* preview = OpenPreview();
  w_->Find<QComboBox>("CMB_Segments")->setEditText("30");  // typed, not offered
  QTest::mouseClick(w_->Find("Chk_Rad_HEAD"), Qt::LeftButton);
  const QImage image = preview->canvas()->Render(QSize(400, 640));
  // Only the words of the refusal: no part fills the middle.
  QVERIFY(!IsPart(image.pixel(200, 100)));
  QVERIFY(Measure(image).bottom - Measure(image).top < 200);
  QVERIFY(w_->platform.messages.empty());
}

}  // namespace boltgen

QTEST_MAIN(boltgen::PreviewTest)
#include "preview_test.moc"
