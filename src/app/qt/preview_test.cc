// The preview as a person sees it, on the offscreen platform.

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QWheelEvent>
#include <QtTest/QtTest>

#include <algorithm>
#include <cmath>

#include "app/qt/preview_placement.h"
#include "app/qt/preview_window.h"
#include "app/qt/window_test.h"
#include "app/request.h"
#include "config/bolt_dimensions.h"
#include "config/size_table.h"
#include "mesh/mesh_grid.h"

namespace boltgen {
namespace {

std::string Table() { return ReadWholeFile(BOLTGEN_SOURCE_DIR "/data/boltgen.ini").value(); }

// What differs clearly from the background is part of the picture.
bool IsPart(QRgb pixel) {
  const QRgb b = kPreviewBackground;
  return std::abs(qRed(pixel) - qRed(b)) > 24 || std::abs(qGreen(pixel) - qGreen(b)) > 24 ||
         std::abs(qBlue(pixel) - qBlue(b)) > 24;
}

QRect Extent(const QImage& image) {
  QRect r;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      if (IsPart(image.pixel(x, y))) r |= QRect(x, y, 1, 1);
  }
  return r;
}
int WidthAt(const QImage& i, int y) { return Extent(i.copy(0, y, i.width(), 1)).width(); }

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    w_ = std::make_unique<WindowUnderTest>(QByteArray::fromStdString(Table()));
    QVERIFY(QTest::qWaitForWindowExposed(w_->window.get()));
  }
  void cleanup() { w_.reset(); }

  void ShowsTheChoicesCentredWithTheirProportionsOpenOrClosedAndWritesNothing() {
    PreviewWindow* preview = OpenPreview();
    preview->resize(400, 640);
    const QImage bolt = preview->canvas()->Render(QSize(400, 640));
    const QRect s = Extent(bolt);
    QVERIFY(std::abs(s.center().x() - 200) < 12 && std::abs(s.center().y() - 320) < 20);
    QVERIFY(s.height() > 0.7 * 640);
    // Seen towards a corner of the hexagon, the head is as wide as across its flats, the shank
    // below it as the major diameter: the default 3/4 inch bolt, 3 long, seen 20 degrees above.
    BoltDimensions d;
    QVERIFY(
        SetBoltDimensions(Table(), RequestFromControls(w_->app->controls, w_->app->is_metric), d)
            .ok());
    int head = 0;
    for (int y = s.top(); y < s.top() + s.height() / 8; ++y)
      head = std::max(head, WidthAt(bolt, y));
    const double pixels_per_unit = WidthAt(bolt, s.top() + s.height() * 3 / 10) / 0.75;
    QVERIFY(std::abs(head / pixels_per_unit - d.Flats) < 0.04 * d.Flats);
    const double tilt = DegToRad(20);
    const double height = std::cos(tilt) * (d.HghtHex + d.nominal_length) +
                          std::sin(tilt) * (d.across_corners / 2 + d.minor_dia / 2 - d.half_pitch);
    QVERIFY(std::abs(s.height() / pixels_per_unit - height) < 0.04 * height);
    // The nuts stand above the head: the picture holds more, the bolt shrinks.
    QTest::mouseClick(w_->Find("Chk_Nuts"), Qt::LeftButton);
    const QImage with_nuts = preview->canvas()->Render(QSize(400, 640));
    const QRect all = Extent(with_nuts);
    QVERIFY(WidthAt(with_nuts, all.bottom() - all.height() / 8) < s.width() * 0.6);
    // A choice made while the preview is closed shows when it opens again.
    preview->close();
    QTest::mouseClick(w_->Find("Chk_Nuts"), Qt::LeftButton);
    w_->window->ShowPreview();
    QVERIFY(preview->isVisible() && preview->canvas()->Render(QSize(400, 640)) == bolt);
    QCOMPARE(QDir().entryList(QDir::Files), (QStringList{"boltgen.ini", "boltgen.pdf"}));
    // Nothing to show: the words of the refusal only, no part in the middle.
    w_->Find<QComboBox>("CMB_Segments")->setEditText("30");  // typed, not offered
    QTest::mouseClick(w_->Find("Chk_Rad_HEAD"), Qt::LeftButton);
    const QImage refused = preview->canvas()->Render(QSize(400, 640));
    QVERIFY(!IsPart(refused.pixel(200, 100)) && Extent(refused).height() < 200);
    QVERIFY(w_->platform.messages.empty());
  }

  // Beside the window, within the screen, sharp at the screen's pixel ratio;
  // a drag turns it, the wheel zooms, R resets, and it saves what it shows.
  void OpensBesideTheWindowAndAnswersTheMouseAndKeys() {
    w_->window->move(0, 0);
    PreviewWindow* preview = OpenPreview();
    QVERIFY(w_->window->screen()->availableGeometry().contains(preview->frameGeometry()));
    QVERIFY(!preview->frameGeometry().intersects(w_->window->frameGeometry()));
    QVERIFY(preview->width() >= 240 && preview->height() >= 400);
    // One image pixel per device pixel, whatever the screen's scale.
    PreviewCanvas* canvas = preview->canvas();
    const QImage sharp = canvas->Render(QSize(100, 160), 2);
    QCOMPARE(sharp.size(), QSize(200, 320));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    const QImage before = canvas->Render(QSize(200, 320));
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(160, 120), canvas->mapToGlobal(QPointF(160, 120)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QVERIFY(canvas->view().yaw_degrees != PreviewView{}.yaw_degrees);
    QWheelEvent wheel(QPointF(100, 100), canvas->mapToGlobal(QPointF(100, 100)), QPoint(),
                      QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    QVERIFY(canvas->view().zoom > 1.2);
    QTest::keyClick(canvas, Qt::Key_R);
    QCOMPARE(canvas->Render(QSize(200, 320)), before);
    QVERIFY(preview->SavePng(w_->Path("shown.png")));
    QCOMPARE(QImage(w_->Path("shown.png")).convertToFormat(QImage::Format_RGB32), canvas->Render());
    QVERIFY(!preview->SavePng(w_->Path("missing/shown.png")));
  }

  // The preview never covers the main window: at twice the scale a 1600 x
  // 1000 screen is 800 x 500, and the centred window leaves too little room
  // for the preview's own size on every side, so it shrinks into the widest.
  void IsPlacedBesideTheWindowNeverOverIt() {
    const QSize frame(2, 26);
    const QSize least(172, 200);
    const struct {
      QRect main, free;
      QSize wanted, at_least;
    } cases[] = {
        {QRect(188, 85, 426, 329), QRect(0, 0, 800, 500), QSize(480, 600), QSize(170, 470)},
        {QRect(0, 0, 426, 329), QRect(0, 0, 1920, 1040), QSize(480, 600), QSize(480, 600)},
        {QRect(1400, 0, 426, 329), QRect(0, 0, 1920, 1040), QSize(480, 600), QSize(480, 600)},
        {QRect(0, 0, 1920, 329), QRect(0, 0, 1920, 1040), QSize(480, 600), QSize(480, 600)},
    };
    for (const auto& c : cases) {
      const QRect place = PreviewPlacement(c.main, c.free, c.wanted, least, frame);
      const QRect outer(place.topLeft(), place.size() + frame);
      QVERIFY(!place.isEmpty());
      QVERIFY2(!outer.intersects(c.main), qPrintable(QString("%1,%2").arg(outer.x()).arg(outer.y())));
      QVERIFY(c.free.contains(outer));
      QVERIFY(place.width() >= c.at_least.width() && place.height() >= c.at_least.height());
      QVERIFY(place.width() <= c.wanted.width() && place.height() <= c.wanted.height());
    }
    // No side with room for the least size: nothing to place (the window
    // then makes room).
    QVERIFY(PreviewPlacement(QRect(108, 48, 426, 329), QRect(0, 0, 640, 400), QSize(480, 600),
                             least, frame)
                .isEmpty());
  }

 private:
  PreviewWindow* OpenPreview() {
    QTest::mouseClick(w_->Find("CmdPreview"), Qt::LeftButton);
    PreviewWindow* preview = w_->window->preview();
    if (!preview) qFatal("no preview");
    return preview;
  }

  std::unique_ptr<WindowUnderTest> w_;
};

}  // namespace boltgen

QTEST_MAIN(boltgen::PreviewTest)
#include "preview_test.moc"
