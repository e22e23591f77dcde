#include "commissioning/job_summary.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "history/history_csv.h"

namespace tadjust {

namespace {

constexpr int kPdfResolution = 300;
const std::array<const char*, 4> kOutcomeKeys = {"waiting", "verified", "skipped", "failed"};

QString sequenceText(const RowProgress& p) {
  return p.historySequence ? QString::number(*p.historySequence) : QString();
}

QFont textFont(double points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferNoShaping);  // no ligatures: the text stays searchable
  return font;
}

}  // namespace

int outcomeOf(const RowProgress& progress) {
  switch (progress.state) {
    case RowState::Verified:
      return 1;
    case RowState::Skipped:
      return 2;
    case RowState::Waiting:
      break;
  }
  return progress.failure.isEmpty() ? 0 : 3;
}

QByteArray summaryCsv(const CommissioningJob& job) {
  using history::csvField;
  using history::csvTextField;
  QByteArray csv = history::csvRecord(
      {"tag", "model", "serial_number", "outcome", "time", "history_sequence", "history_hash"});
  for (std::size_t i = 0; i < job.rowCount(); ++i) {
    const CommissioningRow& row = job.rows()[i];
    const RowProgress& p = job.progress(i);
    const bool verified = p.state == RowState::Verified;
    csv += history::csvRecord(
        {csvTextField(row.tag), csvTextField(verified ? p.model : row.model),
         csvField(verified ? QString::number(p.serialNumber) : QString()),
         csvField(QString::fromLatin1(kOutcomeKeys[static_cast<std::size_t>(outcomeOf(p))])),
         csvField(verified ? p.time.toUTC().toString(Qt::ISODate) : QString()),
         csvField(sequenceText(p)), csvTextField(p.historyHash)});
  }
  return csv;
}

namespace {

// Lays the summary out on the writer's pages: the heading once, then the table, its column
// headings again on every page.
bool paintSummary(QPdfWriter& pdf, const CommissioningJob& job, const SummaryTexts& texts) {
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  const QRectF page = pdf.pageLayout().paintRectPixels(pdf.resolution());
  const double width = page.width();
  double y = 0;

  painter.setFont(textFont(16, true));
  const double titleHeight = QFontMetricsF(painter.font(), &pdf).height();
  painter.drawText(QRectF(0, y, width, titleHeight), Qt::AlignLeft, texts.title);
  y += titleHeight * 1.5;
  painter.setFont(textFont(10));
  const double lineHeight = QFontMetricsF(painter.font(), &pdf).height() * 1.3;
  for (const QString& line : texts.lines) {
    painter.drawText(QRectF(0, y, width, lineHeight), Qt::AlignLeft, line);
    y += lineHeight;
  }
  y += lineHeight;

  // Tag, model, serial number, outcome, time, sequence, hash: the hash takes what is left.
  const std::array<double, 6> shares = {0.12, 0.10, 0.08, 0.10, 0.15, 0.06};
  std::array<double, 8> x{};
  for (std::size_t i = 0; i < shares.size(); ++i) x[i + 1] = x[i] + shares[i] * width;
  x[7] = width;
  const auto drawRow = [&](const QStringList& cells, bool bold) {
    for (int c = 0; c < cells.size() && c < 7; ++c) {
      QFont font = textFont(c == 6 ? 6.5 : 9, bold);
      const double columnWidth =
          x[static_cast<std::size_t>(c) + 1] - x[static_cast<std::size_t>(c)];
      // A text wider than its column is set smaller rather than cut.
      while (QFontMetricsF(font, &pdf).horizontalAdvance(cells[c]) > columnWidth * 0.97 &&
             font.pointSizeF() > 4)
        font.setPointSizeF(font.pointSizeF() - 0.5);
      painter.setFont(font);
      painter.drawText(QRectF(x[static_cast<std::size_t>(c)], y, columnWidth, lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, cells[c]);
    }
    y += lineHeight;
  };
  const auto drawHeadings = [&] {
    drawRow(texts.headings, true);
    painter.drawLine(QPointF(0, y), QPointF(width, y));
  };
  drawHeadings();
  for (std::size_t i = 0; i < job.rowCount(); ++i) {
    if (y + lineHeight > page.height()) {
      if (!pdf.newPage()) return false;
      y = 0;
      drawHeadings();
    }
    const RowProgress& p = job.progress(i);
    const bool verified = p.state == RowState::Verified;
    QString outcome = texts.outcomeNames.value(outcomeOf(p));
    if (!p.failure.isEmpty() && !verified) outcome += QStringLiteral(": ") + p.failure;
    drawRow(
        {job.rows()[i].tag, verified ? p.model : job.rows()[i].model,
         verified ? QString::number(p.serialNumber) : QString(), outcome,
         verified ? texts.locale.toString(p.time.toLocalTime(), QLocale::ShortFormat) : QString(),
         sequenceText(p), p.historyHash},
        false);
  }
  return painter.end();
}

}  // namespace

SummaryFileResult writeSummaryPdf(const CommissioningJob& job, const SummaryTexts& texts,
                                  const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};
  bool painted = false;
  {
    // The writer finishes the PDF when it goes, before the file is committed.
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    pdf.setTitle(texts.title);
    painted = paintSummary(pdf, job, texts);
  }
  if (!painted) {
    file.cancelWriting();
    return {false, file.errorString()};
  }
  if (!file.commit()) return {false, file.errorString()};
  return {true, {}};
}

}  // namespace tadjust
