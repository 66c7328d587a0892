// Typesets the user manual (Markdown) as the help document boltgen.pdf.
// Runs at build time on machines without a display.

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int kResolution = 300;  // dots per inch of the PDF's page device

bool ReadUtf8(const char* path, QString* text) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  *text = QString::fromUtf8(file.readAll());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_help_pdf MANUAL.md OUTPUT.pdf\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  QString markdown;
  if (!ReadUtf8(argv[1], &markdown)) {
    std::fprintf(stderr, "make_help_pdf: cannot read %s\n", argv[1]);
    return 1;
  }

  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setResolution(kResolution);
  // QTextDocument::print adds margins of its own (2 cm) inside the page.
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  writer.setTitle("Quillfen 3D Bolt Generator - User Manual");
  writer.setCreator("boltgen make_help_pdf");

  QTextDocument document;
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(10);
  document.setDefaultFont(font);
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  // Pictures are named relative to the manual.
  document.setMetaInformation(
      QTextDocument::DocumentUrl,
      QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath())
          .toString());
  document.print(&writer);
  if (!QFile::exists(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "make_help_pdf: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
