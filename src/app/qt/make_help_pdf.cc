// Typesets the user manual (Markdown) as the help document boltgen.pdf.
// Runs at build time on machines without a display.
//
// The pages are cut here rather than by QTextDocument::print, which splits
// table rows across pages: a page ends only between blocks, between table
// rows or between the lines of a paragraph, never right under a heading.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kResolution = 300;     // dots per inch of the PDF's page device
constexpr double kLayoutDpi = 96;    // the document is laid out in pixels of this size
constexpr double kMarginMm = 20;
constexpr double kCellPadding = 4;
constexpr double kCodeMinPointSize = 6;
constexpr double kPictureHeight = 270;  // both pictures of the window section, side by side

bool ReadUtf8(const char* path, QString* text) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  *text = QString::fromUtf8(file.readAll());
  return true;
}

bool IsCode(const QTextBlock& block) {
  const QTextBlockFormat format = block.blockFormat();
  return format.hasProperty(QTextFormat::BlockCodeFence) ||
         format.hasProperty(QTextFormat::BlockCodeLanguage) || block.charFormat().fontFixedPitch() ||
         QFontInfo(block.charFormat().font()).fixedPitch();
}

// Headings get room above them; code keeps each line on one line, in a
// smaller size where the page is too narrow for it.
void FormatBlocks(QTextDocument& document, double text_width) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    if (const int level = format.headingLevel(); level > 0) {
      format.setTopMargin(level == 1 ? 0 : level == 2 ? 20 : 14);
      format.setBottomMargin(6);
      cursor.setBlockFormat(format);
      continue;
    }
    if (!IsCode(block) || block.text().isEmpty()) continue;
    format.setNonBreakableLines(true);
    cursor.setBlockFormat(format);
  }
  document.size();  // lays the document out: the lines are measured as set
  // Set on the PDF's finer grid the text runs a few per cent wider than laid
  // out here; a line that does not wrap must leave room for that. All code
  // shrinks alike, so that the lines of one example stay in one size.
  const double room = text_width * 0.92;
  double widest = room;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (!IsCode(block)) continue;
    for (int i = 0; i < block.layout()->lineCount(); ++i)
      widest = std::max(widest, block.layout()->lineAt(i).naturalTextWidth());
  }
  if (widest <= room) return;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (!IsCode(block) || block.text().isEmpty()) continue;
    const QFont font = block.begin().fragment().charFormat().font();
    QTextCharFormat smaller;
    smaller.setFontPointSize(std::max(kCodeMinPointSize, font.pointSizeF() * room / widest));
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(smaller);
  }
}

void FormatTablesAndPictures(QTextDocument& document) {
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (!table) continue;
    QTextTableFormat format = table->format();
    format.setCellPadding(kCellPadding);
    table->setFormat(format);
  }
  // The pictures share one height, so that they stand side by side.
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat image = fragment.charFormat().toImageFormat();
      const QImage picture = document.resource(QTextDocument::ImageResource, QUrl(image.name()))
                                 .value<QImage>();
      if (picture.isNull()) continue;
      image.setHeight(kPictureHeight);
      image.setWidth(kPictureHeight * picture.width() / picture.height());
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(image);
    }
  }
}

// In the document's coordinates: a block's own layout is placed relative
// to its frame, a table cell for instance.
double BlockTop(QTextDocument& document, const QTextBlock& block) {
  return document.documentLayout()->blockBoundingRect(block).top();
}

// Where a page may end: above every top-level block and table row, and
// between the lines of a paragraph; not between a heading and what follows.
std::vector<double> BreakPoints(QTextDocument& document) {
  std::vector<double> points;
  bool after_heading = false;
  for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
      for (int row = 0; row < table->rows(); ++row) {
        double top = 1e300;
        for (int column = 0; column < table->columns(); ++column)
          top = std::min(top, BlockTop(document, table->cellAt(row, column).firstCursorPosition().block()));
        if (!(row == 0 && after_heading)) points.push_back(top - kCellPadding - 2);
      }
      after_heading = false;
      continue;
    }
    const QTextBlock block = it.currentBlock();
    if (!block.isValid()) continue;
    const QTextLayout* layout = block.layout();
    const bool code = IsCode(block);
    for (int i = 0; i < layout->lineCount(); ++i) {
      if (i == 0 && after_heading) continue;
      if (i > 0 && !code && i < 2) continue;  // no single line left behind
      points.push_back(layout->position().y() + layout->lineAt(i).y() -
                       (i == 0 ? block.blockFormat().topMargin() : 0));
    }
    after_heading = block.blockFormat().headingLevel() > 0;
  }
  std::sort(points.begin(), points.end());
  return points;
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
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  writer.setTitle("Quillfen 3D Bolt Generator - User Manual");
  writer.setCreator("boltgen make_help_pdf");

  const double scale = kResolution / kLayoutDpi;
  const double margin = kMarginMm / 25.4 * kLayoutDpi;
  const double page_width = writer.width() / scale;
  const double page_height = writer.height() / scale;
  const double text_width = page_width - 2 * margin;
  const double text_height = page_height - 2 * margin - 16;  // the page number below

  QTextDocument document;
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(10);
  document.setDefaultFont(font);
  // Pictures are named relative to the manual.
  document.setBaseUrl(
      QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()));
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  document.setDocumentMargin(0);
  document.setTextWidth(text_width);
  FormatBlocks(document, text_width);
  FormatTablesAndPictures(document);
  const double total = document.size().height();

  const std::vector<double> points = BreakPoints(document);
  QPainter painter(&writer);
  painter.scale(scale, scale);
  int page = 0;
  for (double start = 0; start < total - 0.5;) {
    double end = start + text_height;
    if (end < total) {
      // The last allowed point on the page; a page is cut hard only when no
      // point leaves it at least a third full.
      const auto next = std::upper_bound(points.begin(), points.end(), end);
      if (next != points.begin() && *(next - 1) > start + text_height / 3) end = *(next - 1);
    }
    if (page++ > 0) writer.newPage();
    painter.save();
    painter.translate(margin, margin - start);
    document.drawContents(&painter, QRectF(0, start, text_width, end - start));
    painter.restore();
    QFont number = font;
    number.setPixelSize(12);  // in layout pixels: the painter is scaled already
    painter.setFont(number);
    painter.drawText(QRectF(margin, page_height - margin - 12, text_width, 14), Qt::AlignRight,
                     QString::number(page));
    start = end;
  }
  if (!painter.end() || !QFile::exists(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "make_help_pdf: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
