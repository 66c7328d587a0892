// Drives the real window on the offscreen platform: what a user sees and
// what the keys and boxes do.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include "app/qt/window_test.h"
#include "app/window_texts.h"

namespace boltgen {
namespace {

// One size, selected at start-up.
constexpr char kSizeTable[] =
    "; test sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\nPitch0=0.1 UNC\r\nPitch1=0.0625 UNF\r\n"
    "Flats=1.125\r\nHghtHex=0.484\r\nHghtWshFace=0.016\r\nMinThrSht=1.5\r\nMinThrLng=1.75\r\n"
    "HghtNut=0.641\r\nHghtNutJam=0.406\r\nRadWshFace=0.031\r\nLong=6\r\n";

const struct {
  const char* name;
  QRect rect;
} kLayout[] = {
    {"Label6", {8, 8, 89, 17}},          {"Cmb_Size", {104, 8, 153, 21}},
    {"Label7", {8, 39, 89, 17}},         {"Cmb_Pitch", {104, 39, 153, 21}},
    {"Label8", {8, 67, 89, 17}},         {"TXT_Nom_Length", {104, 67, 97, 19}},
    {"Label10", {8, 96, 89, 17}},        {"CMB_Segments", {104, 96, 97, 21}},
    {"Label3", {8, 152, 89, 17}},        {"TXT_File", {104, 152, 313, 19}},
    {"CMD_Help", {208, 64, 73, 57}},     {"Chk_No_Threads", {288, 0, 105, 25}},
    {"Chk_WF", {288, 24, 105, 25}},      {"Chk_Rad_HEAD", {288, 48, 121, 25}},
    {"Chk_Sharp_Threads", {288, 72, 121, 25}}, {"Chk_Nuts", {288, 96, 121, 25}},
    {"Chk_WBlock", {288, 120, 121, 25}}, {"Chk_3MF", {104, 128, 81, 17}},
    {"CmdProcess", {104, 176, 65, 17}},
    {"CmdExit", {352, 176, 65, 17}},     {"Label4", {8, 208, 401, 73}},
    {"Chk_DXF", {192, 128, 89, 17}},
    {"Line1", {0, 280, 424, 1}},         {"Status", {0, 283, 425, 13}},
};

constexpr char kDefaultName[] = "IN_07500_HCSW-UNC_03000-3D(024)";

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    w_ = std::make_unique<WindowUnderTest>(kSizeTable);
    QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
  }
  void cleanup() { w_.reset(); }

  void ControlsStandWhereTheFormPutsThem() {
    QCOMPARE(w_->window->windowTitle(), QString("Quillfen 3D Bolt Generator"));
    QCOMPARE(w_->window->size(), QSize(424, 303));
    QCOMPARE(w_->window->minimumSize(), w_->window->maximumSize());
    for (const auto& control : kLayout) QCOMPARE(w_->Find(control.name)->geometry(), control.rect);
    QCOMPARE(w_->Find<QPushButton>("CMD_Help")->text(), QString("Open PDF\nHelp File"));
    QCOMPARE(w_->Find<QCheckBox>("Chk_Sharp_Threads")->text(), QString("Sharp Point Threads"));
    QCOMPARE(w_->Find<QLabel>("Label4")->text().toStdString(), kDescriptionText);
    QVERIFY(w_->Find<QPushButton>("CmdProcess")->isDefault());
    // The widgets show the start-up state.
    QCOMPARE(w_->Find<QLabel>("Status")->text(), QString("Ready"));
    QCOMPARE(w_->Find<QComboBox>("Cmb_Pitch")->count(), 2);
    QCOMPARE(FileName(), QString(kDefaultName));
    QVERIFY(!w_->Find<QCheckBox>("Chk_Sharp_Threads")->isEnabled());
    // The 3MF box of the form is the job state's, clicked as any other.
    QCOMPARE(w_->Find<QCheckBox>("Chk_3MF")->text(), QString("Write 3MF"));
    QTest::mouseClick(w_->Find("Chk_3MF"), Qt::LeftButton);
    QVERIFY(w_->app->controls.Chk_3MF.checked);
  }

  void LeavingTheLengthBoxFormatsIt() {
    Type("TXT_Nom_Length", "2.5");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Tab);
    QTRY_COMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("2.500"));
    QCOMPARE(FileName(), QString("IN_07500_HCSW-UNC_02500-3D(024)"));
    QVERIFY(w_->platform.messages.empty());
  }

  void ClickingProcessReportsTheLengthThenGenerates() {
    Type("TXT_Nom_Length", "3/4");
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(w_->platform.messages,
                 std::vector<std::string>{"Please use decimal numbers for length."});
    // The refused text still counts by its leading number: a 3 long bolt.
    QTRY_VERIFY(QFile::exists(w_->Path(kDefaultName + QString(".scr"))));
  }

  void EnterWritesTheScriptAndEscEnds() {
    QFile script(w_->Path(kDefaultName + QString(".scr")));
    QVERIFY(!script.exists());
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Return);
    QVERIFY(script.open(QIODevice::ReadOnly) && script.readAll().contains("Mesh"));
    QCOMPARE(w_->Find<QLabel>("Status")->text(), QString("(Script File Written)Ready ...."));
    QVERIFY(!w_->window->ended());
    QTest::keyClick(w_->Find("CMB_Segments"), Qt::Key_Escape);
    QCOMPARE(w_->app->exit_status(), std::optional<int>(kExitOk));
    QVERIFY(w_->window->ended() && !w_->window->isVisible());
  }

  void WriteDxfAddsADrawingBesideTheScript() {
    QCOMPARE(w_->Find<QCheckBox>("Chk_DXF")->text(), QString("Write DXF"));
    QTest::mouseClick(w_->Find("Chk_DXF"), Qt::LeftButton);
    QVERIFY(w_->app->controls.Chk_DXF.checked);
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_VERIFY(QFile::exists(w_->Path(kDefaultName + QString(".dxf"))));
    QVERIFY(QFile::exists(w_->Path(kDefaultName + QString(".scr"))));
  }

  void F1AsksForTheHelpFromEveryControl() {
    for (const char* name : {"Cmb_Size", "TXT_File", "Chk_WBlock", "CmdExit"}) {
      w_->Find(name)->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    QCOMPARE(w_->platform.opened.size(), size_t{4});
    QVERIFY(QString::fromStdString(w_->platform.opened.back()).endsWith("boltgen.pdf"));
  }

 private:
  void Type(const char* box, const QString& text) {
    auto* edit = w_->Find<QLineEdit>(box);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  QString FileName() const { return w_->Find<QLineEdit>("TXT_File")->text(); }

  std::unique_ptr<WindowUnderTest> w_;
};

}  // namespace boltgen

QTEST_MAIN(boltgen::MainWindowTest)
#include "main_window_test.moc"
