// Drives the real window on the offscreen platform: what a user sees and
// what the keys and boxes do.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include "app/qt/preview_window.h"
#include "app/qt/window_test.h"
#include "app/window_texts.h"

namespace boltgen {
namespace {

// An inch size, selected at start-up, and a metric one.
constexpr char kSizeTable[] =
    "; test sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\nPitch0=0.1 UNC\r\nPitch1=0.0625 UNF\r\n"
    "Flats=1.125\r\nHghtHex=0.484\r\nHghtWshFace=0.016\r\nMinThrSht=1.5\r\nMinThrLng=1.75\r\n"
    "HghtNut=0.641\r\nHghtNutJam=0.406\r\nRadWshFace=0.031\r\nLong=6\r\n"
    "[Metric M12]\r\nDiaNom=12\r\nPitch0=1.75\r\nPitch1=1.25\r\nFlats=18\r\nHghtHex=7.5\r\n"
    "HghtWshFace=0.6\r\nMinThrSht=30\r\nMinThrLng=36\r\nHghtNut=10.8\r\nHghtNutJam=6\r\n"
    "RadWshFace=0.6\r\nLong=125\r\n";

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

  // Rows of the form share their border line, so neighbours may meet in one
  // pixel; anything more hides part of a control.
  void ControlsLieInsideTheWindowWithoutCoveringEachOther() {
    const QRect window = w_->window->rect().adjusted(-1, -1, 1, 1);
    const QList<QWidget*> controls =
        w_->window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(controls.size() >= 26);  // the form's controls at least: the checks below see them all
    for (int i = 0; i < controls.size(); ++i) {
      const QRect rect = controls[i]->geometry();
      QVERIFY2(controls[i]->isVisible() && window.contains(rect),
               qPrintable(controls[i]->objectName()));
      for (int j = i + 1; j < controls.size(); ++j) {
        const QRect shared = rect.intersected(controls[j]->geometry());
        QVERIFY2(shared.width() <= 1 || shared.height() <= 1,
                 qPrintable(controls[i]->objectName() + " covers " + controls[j]->objectName()));
      }
    }
    QVERIFY(w_->Find<QPushButton>("CmdProcess")->isDefault());
    QVERIFY(!w_->Find<QCheckBox>("Chk_Sharp_Threads")->isEnabled());
    const std::pair<const char*, const char*> texts[] = {
        {"CMD_Help", "Open PDF\nHelp File"}, {"Chk_Sharp_Threads", "Sharp Point Threads"},
        {"Chk_3MF", "Write 3MF"}, {"Chk_DXF", "Write DXF"}, {"Chk_STL", "Write STL"}};
    for (const auto& [name, text] : texts)
      QCOMPARE(w_->Find<QAbstractButton>(name)->text(), QString(text));
    // Each box reaches the job state's handler.
    const Controls& c = w_->app->controls;
    const std::pair<const char*, const CheckBox*> boxes[] = {
        {"Chk_No_Threads", &c.Chk_No_Threads}, {"Chk_WF", &c.Chk_WF}, {"Chk_WBlock", &c.Chk_WBlock},
        {"Chk_3MF", &c.Chk_3MF}, {"Chk_DXF", &c.Chk_DXF}, {"Chk_STL", &c.Chk_STL}};
    for (const auto& [name, box] : boxes) {
      const bool was = box->checked;
      QTest::mouseClick(w_->Find(name), Qt::LeftButton);
      QVERIFY2(box->checked != was, name);
    }
  }

  // Leaving the length box formats it; Process and Enter run that first, so
  // what is written is what the boxes show; Esc ends.
  void TheBoxesHandlersRunBeforeProcessAndEscEnds() {
    // A refused length is reported before the click's generation, which
    // still counts the text by its leading number: a 3 long bolt.
    Type("TXT_Nom_Length", "3/4");
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(w_->platform.messages, std::vector<std::string>{std::string(kLengthMessage)});
    QTRY_COMPARE(Scripts(), QStringList{kDefaultName + QString(".scr")});
    Type("TXT_Nom_Length", "2.5");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Tab);
    QTRY_COMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("2.500"));
    Type("TXT_Nom_Length", "1.75");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Return);
    QCOMPARE(w_->Find<QLineEdit>("TXT_Nom_Length")->text(), QString("1.750"));
    QCOMPARE(Scripts(),
             (QStringList{"IN_07500_HCSW-UNC_01750-3D(024).scr", kDefaultName + QString(".scr")}));
    QTest::keyClick(w_->Find("CMB_Segments"), Qt::Key_Escape);
    QCOMPARE(w_->app->exit_status(), std::optional<int>(kExitOk));
    QVERIFY(w_->window->ended() && !w_->window->isVisible());
  }

  // The pitch shown is the pitch written, and the size's unit and thread are
  // named wherever the window shows them.
  void ThePitchAndSizeShownAreWhatIsWrittenAndNamed() {
    auto* label = w_->Find<QLabel>("Label8");
    auto* pitch = w_->Find<QComboBox>("Cmb_Pitch");
    QCOMPARE(label->text(), QString("Length (in)"));
    QVERIFY(w_->Find("Cmb_Size")->toolTip().endsWith(": 3/4-10 UNC"));
    pitch->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pitch, Qt::Key_Down);
    QTest::mouseClick(w_->Find("CmdProcess"), Qt::LeftButton);
    QTRY_COMPARE(Scripts(), QStringList{"IN_07500_HCSW-UNF_03000-3D(024).scr"});
    QTest::mouseClick(w_->Find("CmdPreview"), Qt::LeftButton);
    auto* preview = w_->window->preview();
    QVERIFY(preview && preview->isVisible());
    QVERIFY2(preview->hint().startsWith("3/4-16 UNF x 3.000 in - "), qPrintable(preview->hint()));
    ChooseMetric();
    QCOMPARE(label->text(), QString("Length (mm)"));
    QVERIFY2(preview->hint().startsWith("M12x1.75 x 3.000 mm - "), qPrintable(preview->hint()));
    pitch->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pitch, Qt::Key_Down);
    QVERIFY(pitch->toolTip().endsWith(": M12x1.25"));
  }

  // A slip as ordinary as Process on a fresh metric size must not end the
  // window with every choice in it; the status line says why until the
  // choices change.
  void ATooShortBoltIsRefusedAndTheWindowStays() {
    QCOMPARE(Status(), QString("Ready"));
    ChooseMetric();
    QTest::keyClick(w_->Find("Cmb_Size"), Qt::Key_Return);
    QCOMPARE(w_->platform.messages.size(), size_t{1});
    QVERIFY(w_->platform.messages[0].find(") too short for pitch (") != std::string::npos);
    QVERIFY(!w_->window->ended() && w_->window->isVisible() && !w_->app->exit_status());
    QVERIFY(Scripts().isEmpty());
    QCOMPARE(Status(), "(Nothing Written) " + QString::fromStdString(w_->platform.messages[0]));
    QCOMPARE(w_->Find("Status")->toolTip(), Status());
    // Any change of the choices: the old report no longer applies.
    QTest::keyClick(w_->Find("TXT_File"), Qt::Key_Backspace);
    QCOMPARE(Status(), QString("Ready"));
    // Mended in place, the same window writes the bolt.
    Type("TXT_Nom_Length", "80");
    QTest::keyClick(w_->Find("TXT_Nom_Length"), Qt::Key_Return);
    QCOMPARE(Scripts(), QStringList{"MM_01200_HCSW-018_00800-3D(024).scr"});
  }

  // F1 from any control asks for the manual; where no viewer opens it, the
  // message says where it is and the window stays.
  void HelpOpensTheManualOrSaysWhereItIs() {
    for (const char* name : {"Cmb_Size", "TXT_File", "Chk_WBlock", "CmdExit"}) {
      w_->Find(name)->setFocus(Qt::TabFocusReason);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    QCOMPARE(w_->platform.opened.size(), size_t{4});
    w_->platform.viewer_found = false;
    QTest::mouseClick(w_->Find("CMD_Help"), Qt::LeftButton);
    QCOMPARE(w_->platform.messages,
             std::vector<std::string>{std::string(kNoViewerMessage) +
                                      w_->Path("boltgen.pdf").toStdString() + "."});
    QVERIFY(w_->window->isVisible() && !w_->window->ended());
  }

 private:
  void Type(const char* box, const QString& text) {
    auto* edit = w_->Find<QLineEdit>(box);
    edit->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();  // the box left runs its handler, as before a person types
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  QString Status() const { return w_->Find<QLabel>("Status")->text(); }
  QStringList Scripts() const { return QDir(w_->folder.path()).entryList({"*.scr"}, QDir::Files); }
  // The second size, chosen from the list with the keyboard.
  void ChooseMetric() {
    auto* size = w_->Find<QComboBox>("Cmb_Size");
    size->setFocus(Qt::TabFocusReason);
    QTest::keyClick(size, Qt::Key_Down);
    QCOMPARE(size->currentText(), QString("[Metric M12]"));
  }

  std::unique_ptr<WindowUnderTest> w_;
};

}  // namespace boltgen

QTEST_MAIN(boltgen::MainWindowTest)
#include "main_window_test.moc"
