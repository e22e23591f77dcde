#include "record/record_pages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "numbers/number_text.h"
#include "record/characteristic_error.h"
#include "record/characteristic_plot.h"
#include "record/record_texts.h"

namespace tadjust {

namespace {

constexpr double kMarginMm = 15;
constexpr double kFooterMm = 8;
constexpr double kRowMm = 5.6;
constexpr double kSectionGapMm = 5;
constexpr double kPlotHeightMm = 105;
constexpr double kErrorPlotHeightMm = 55;
constexpr double kSignatureMm = 11;
constexpr double kBodyPoints = 9;
constexpr double kSectionPoints = 11.5;
constexpr double kHeadingPoints = 17;
constexpr double kFooterPoints = 7.5;
constexpr double kSmallestPoints = 6;

// No ligatures: "offset" drawn with an "ff" glyph would be found by no search of the PDF.
QFont recordFont(double points, bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setStyleStrategy(QFont::PreferNoShaping);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// A signal of exact thousandths with three decimals and the system's separator.
QString thousandthsText(std::int64_t thousandths) {
  const std::int64_t whole = std::llabs(thousandths) / 1000;
  const std::int64_t fraction = std::llabs(thousandths) % 1000;
  return QStringLiteral("%1%2%3%4")
      .arg(thousandths < 0 ? QStringLiteral("-") : QString())
      .arg(whole)
      .arg(QChar::fromLatin1(number_text::systemDecimalSeparator()))
      .arg(fraction, 3, 10, QLatin1Char('0'));
}

QString fixedText(double value, int decimals) {
  return QString::number(value, 'f', decimals)
      .replace(QLatin1Char('.'), QChar::fromLatin1(number_text::systemDecimalSeparator()));
}

// An error with its sign: "+0,012", "-0,250"; none for a zero as shown.
QString signedFixedText(double value, int decimals) {
  const QString shown = fixedText(std::abs(value), decimals);
  if (fixedText(0, decimals) == shown) return shown;
  return (value < 0 ? QStringLiteral("-") : QStringLiteral("+")) + shown;
}

// A device's text as the record draws it: a control character (a tag may hold a line feed or a
// bell) by its name in angle brackets, "<LF>", "<BEL>", as serial-line tools write them, so
// nothing of it is hidden or breaks the row. (The Unicode pictures of control characters, "␊",
// are missing from the usual desktop fonts and would print as empty boxes.)
QString withControlNames(const QString& s) {
  static constexpr std::array<const char*, 32> kNames{
      "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
      "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
      "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  QString shown;
  for (const QChar c : s) {
    if (c.unicode() < kNames.size()) {
      shown += QStringLiteral("<%1>").arg(QLatin1String(kNames[c.unicode()]));
    } else if (c.unicode() == 0x7F) {
      shown += QStringLiteral("<DEL>");
    } else if (c.category() == QChar::Other_Control) {
      shown += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    } else {
      shown += c;
    }
  }
  return shown;
}

struct Column {
  double widthMm;
  QString header;
};

struct TableRow {
  std::vector<QString> cells;
  bool emphasised = false;  // a changed row of the write
};

// Lays the record out from top to bottom, breaking pages where a block does not fit. Run twice:
// once to count the pages, once to paint them with "Page n of m".
class RecordLayout {
 public:
  RecordLayout(QPagedPaintDevice& device, QPainter* painter, const DeviceRecord& record,
               int pageCount)
      : device_(device), painter_(painter), record_(record), pageCount_(pageCount) {
    const double dotsPerMm = device.logicalDpiY() / 25.4;
    dotsPerMm_ = dotsPerMm;
    left_ = mm(kMarginMm);
    top_ = mm(kMarginMm);
    width_ = device.width() - 2 * left_;
    bottom_ = device.height() - mm(kMarginMm) - mm(kFooterMm);
    y_ = top_;
  }

  int run() {
    heading();
    identity();
    settings();
    if (record_.write) writeByThisLink(*record_.write);
    if (record_.characteristic) characteristic(*record_.characteristic);
    signatures();
    footer();
    return page_;
  }

 private:
  QString text(const BilingualText& t) const { return t.in(record_.useEnglish); }
  double mm(double millimetres) const { return millimetres * dotsPerMm_; }

  void newPage() {
    footer();
    if (painter_) device_.newPage();
    ++page_;
    y_ = top_;
  }
  void ensureRoom(double height) {
    if (y_ + height > bottom_ && y_ > top_) newPage();
  }

  void line(const QString& s, const QFont& font, double heightMm, double indentMm = 0) {
    if (painter_) {
      painter_->setFont(font);
      painter_->setPen(Qt::black);
      painter_->drawText(QRectF(left_ + mm(indentMm), y_, width_ - mm(indentMm), mm(heightMm)),
                         Qt::AlignLeft | Qt::AlignVCenter, s);
    }
    y_ += mm(heightMm);
  }

  void rule(double weightMm) {
    if (painter_) {
      painter_->setPen(QPen(Qt::black, mm(weightMm)));
      painter_->drawLine(QPointF(left_, y_), QPointF(left_ + width_, y_));
    }
  }

  void sectionHeading(const QString& title, double contentMm) {
    ensureRoom(mm(kSectionGapMm + 8 + contentMm));
    y_ += mm(kSectionGapMm);
    line(title, recordFont(kSectionPoints, true), 7);
    rule(0.3);
    y_ += mm(1);
  }

  void heading() {
    line(text(record_texts::Heading), recordFont(kHeadingPoints, true), 10);
    const QString made = record_.made.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    line(QStringLiteral("%1 %2     %3 %4     %5 %6")
             .arg(text(record_texts::Made), made, text(record_texts::Program), record_.program,
                  text(record_texts::User), record_.userName),
         recordFont(kBodyPoints), 6);
    rule(0.5);
  }

  void identity() {
    const RecordIdentity& id = record_.identity;
    const std::vector<TableRow> rows{
        {{text(record_texts::Model), id.model}},
        {{text(record_texts::ProductCode), id.productCode}},
        {{text(record_texts::SerialNumber), id.serialNumber}},
        {{text(record_texts::Tag), id.tag}},
        {{text(record_texts::Port), id.port}},
    };
    sectionHeading(text(record_texts::Device), rows.size() * kRowMm);
    table({{60, {}}, {120, {}}}, rows);
  }

  void settings() {
    std::vector<TableRow> rows;
    for (const ShownRow& row : record_.settings)
      rows.push_back({{row.caption, row.value, row.unit}});
    sectionHeading(record_.settingsTitle, (rows.size() + 1) * kRowMm);
    table({{70, text(record_texts::Setting)},
           {70, text(record_texts::Value)},
           {40, text(record_texts::Unit)}},
          rows);
  }

  void writeByThisLink(const WriteByThisLink& write) {
    std::vector<TableRow> rows;
    for (const ComparedRow& row : write.rows) {
      rows.push_back({{row.caption, row.asFound, row.asLeft,
                       row.changed ? text(record_texts::ChangedMark) : QString()},
                      row.changed});
    }
    const int notes = (write.source ? 1 : 0) + (write.anchor ? 1 : 0);
    sectionHeading(
        text(write.fromHistory ? record_texts::WrittenHeading : record_texts::WriteHeading),
        (rows.size() + 2 + notes) * kRowMm);
    table({{68, text(record_texts::Setting)},
           {45, text(record_texts::AsFound)},
           {45, text(record_texts::AsLeft)},
           {22, {}}},
          rows);
    const BilingualText& result =
        write.verification == Verification::Verified      ? record_texts::Verified
        : write.verification == Verification::StoredWrong ? record_texts::StoredWrong
                                                          : record_texts::NoReadBack;
    y_ += mm(1);
    line(text(result), recordFont(kBodyPoints, write.verification != Verification::Verified),
         kRowMm);
    if (write.source)
      fittedLine(text(record_texts::SourceLabel) + QLatin1Char(' ') + sourceText(*write.source));
    if (write.anchor) {
      fittedLine(
          text(record_texts::HistoryEntry).arg(write.anchor->sequence).arg(write.anchor->hash));
    }
  }

  QString sourceText(const SettingsSource& source) const {
    switch (source.kind) {
      case SettingsSource::Kind::StartValues:
        return text(record_texts::SourceStartValues);
      case SettingsSource::Kind::DeviceCopy:
        return text(record_texts::SourceDeviceCopy);
      case SettingsSource::Kind::OtherDeviceCopy:
        return text(record_texts::SourceOtherDeviceCopy).arg(source.sourceSerialNumber);
      case SettingsSource::Kind::SettingsFile:
        return text(record_texts::SourceSettingsFile)
            .arg(source.fileName, source.sourceSerialNumber);
      case SettingsSource::Kind::CommissioningRow:
        return text(record_texts::SourceCommissioningRow)
            .arg(source.fileName)
            .arg(source.rowLine)
            .arg(source.rowTag);
    }
    return {};
  }

  // A line of body text, set smaller when it is wider than the page.
  void fittedLine(const QString& s, bool bold = false) {
    line(s, fitted(recordFont(kBodyPoints, bold), s, width_), kRowMm);
  }

  // The error of the stored segments against the reference, under the characteristic, with its
  // largest value stated.
  void characteristicErrorBlock(const RecordCharacteristic& c) {
    const CharacteristicError error = characteristicError(c.table);
    if (error.empty()) return;
    ensureRoom(mm(kSectionGapMm + 7 + kErrorPlotHeightMm + kRowMm));
    y_ += mm(kSectionGapMm);
    line(text(record_texts::ErrorHeading), recordFont(kBodyPoints, true), 6);
    const QRectF area(left_, y_, width_, mm(kErrorPlotHeightMm));
    if (painter_) drawErrorPlot(*painter_, area, c.table, error, record_.useEnglish);
    y_ += area.height();
    const ErrorPoint& largest = error.largest;
    fittedLine(
        text(record_texts::LargestError)
            .arg(signedFixedText(largest.error, 3), fixedText(largest.temperature, 1),
                 thousandthsText(std::llround(largest.signalThousandths)), signalUnit(c.table)),
        true);
  }

  // Lines to sign on, side by side at the foot of the record.
  void signatures() {
    const std::array<const BilingualText*, 3> labels{
        &record_texts::PerformedBy, &record_texts::CheckedBy, &record_texts::SignedOn};
    ensureRoom(mm(kSectionGapMm + kSignatureMm));
    y_ += mm(kSectionGapMm + kSignatureMm - kRowMm);
    if (painter_) {
      const double column = width_ / labels.size();
      const QFont font = recordFont(kBodyPoints);
      for (std::size_t i = 0; i < labels.size(); ++i) {
        const double x = left_ + i * column;
        const QString label = text(*labels[i]);
        const double labelWidth = QFontMetricsF(font, &device_).horizontalAdvance(label);
        painter_->setFont(font);
        painter_->setPen(Qt::black);
        painter_->drawText(QRectF(x, y_, column, mm(kRowMm)), Qt::AlignLeft | Qt::AlignBottom,
                           label);
        painter_->setPen(QPen(Qt::black, mm(0.2)));
        painter_->drawLine(QPointF(x + labelWidth + mm(2), y_ + mm(kRowMm)),
                           QPointF(x + column - mm(5), y_ + mm(kRowMm)));
      }
    }
    y_ += mm(kRowMm);
  }

  void characteristic(const RecordCharacteristic& c) {
    const StoredLinearisation& table = c.table;
    if (table.empty()) {
      sectionHeading(text(record_texts::CharacteristicHeading), 2 * kRowMm);
      line(text(record_texts::Sensor) + QLatin1Char(' ') + c.sensorName, recordFont(kBodyPoints),
           kRowMm);
      line(text(record_texts::NothingStored), recordFont(kBodyPoints, true), kRowMm);
      return;
    }
    // The table and its plot stay together, on a page of their own when they must.
    const double tableMm = (table.breakpoints.size() + 2) * kRowMm;
    sectionHeading(text(record_texts::CharacteristicHeading), tableMm + kPlotHeightMm);
    line(text(record_texts::Sensor) + QLatin1Char(' ') + c.sensorName, recordFont(kBodyPoints),
         kRowMm);

    const QString unit = signalUnit(table);
    std::vector<TableRow> rows;
    for (std::size_t i = 0; i < table.breakpoints.size(); ++i) {
      const StoredBreakpoint& point = table.breakpoints[i];
      rows.push_back({{QString::number(i + 1), fixedText(point.temperature, 2),
                       thousandthsText(point.signalThousandths), fixedText(table.slopeOf(i), 4)}});
    }
    this->table({{20, text(record_texts::Breakpoint)},
                 {45, text(record_texts::Temperature)},
                 {45, text(record_texts::Signal).arg(unit)},
                 {45, text(record_texts::Slope).arg(unit)}},
                rows, Qt::AlignRight);

    y_ += mm(3);
    const QRectF area(left_, y_, width_, mm(kPlotHeightMm));
    if (painter_) drawCharacteristicPlot(*painter_, area, c, record_.useEnglish);
    y_ += area.height();
    characteristicErrorBlock(c);
  }

  // Columns left to right; a header row when any column has a header. Numbers stand right.
  void table(const std::vector<Column>& columns, const std::vector<TableRow>& rows,
             Qt::Alignment numbers = Qt::AlignLeft) {
    const bool header = std::any_of(columns.begin(), columns.end(),
                                    [](const Column& c) { return !c.header.isEmpty(); });
    if (header) {
      std::vector<QString> cells;
      for (const Column& c : columns) cells.push_back(c.header);
      tableRow(columns, {cells, true}, numbers, true);
    }
    for (const TableRow& row : rows) {
      ensureRoom(mm(kRowMm));
      tableRow(columns, row, numbers, false);
    }
  }

  void tableRow(const std::vector<Column>& columns, const TableRow& row, Qt::Alignment numbers,
                bool header) {
    if (painter_) {
      painter_->setFont(recordFont(kBodyPoints, row.emphasised));
      painter_->setPen(Qt::black);
      double x = left_;
      const double padding = mm(1.5);
      for (std::size_t i = 0; i < columns.size() && i < row.cells.size(); ++i) {
        const double w = mm(columns[i].widthMm);
        const QRectF cell(x + padding, y_, w - 2 * padding, mm(kRowMm));
        const Qt::Alignment align = i == 0 ? Qt::AlignLeft : numbers;
        const QString shown = withControlNames(row.cells[i]);
        painter_->setFont(fitted(recordFont(kBodyPoints, row.emphasised), shown, cell.width()));
        painter_->drawText(cell, align | Qt::AlignVCenter, shown);
        x += w;
      }
      painter_->setPen(QPen(header ? Qt::black : Qt::lightGray, mm(header ? 0.25 : 0.1)));
      const double base = y_ + mm(kRowMm);
      painter_->drawLine(QPointF(left_, base), QPointF(left_ + width_, base));
    }
    y_ += mm(kRowMm);
  }

  // The font made smaller until the text fits the width: a record leaves nothing out.
  QFont fitted(QFont font, const QString& s, double width) const {
    const double advance = QFontMetricsF(font, &device_).horizontalAdvance(s);
    if (advance > width) {
      font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() * width / advance));
    }
    return font;
  }

  void footer() {
    if (!painter_) return;
    painter_->setFont(recordFont(kFooterPoints));
    painter_->setPen(Qt::darkGray);
    const QRectF area(left_, bottom_ + mm(2), width_, mm(kFooterMm - 2));
    const RecordIdentity& id = record_.identity;
    painter_->drawText(
        area, Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("%1 — %2 %3").arg(text(record_texts::Heading), id.model, id.serialNumber));
    painter_->drawText(area, Qt::AlignRight | Qt::AlignVCenter,
                       text(record_texts::Page).arg(page_).arg(pageCount_));
    painter_->setPen(Qt::black);
  }

  QPagedPaintDevice& device_;
  QPainter* painter_;  // none while the pages are counted
  const DeviceRecord& record_;
  int pageCount_;
  int page_ = 1;
  double dotsPerMm_ = 1;
  double left_ = 0;
  double top_ = 0;
  double width_ = 0;
  double bottom_ = 0;
  double y_ = 0;
};

}  // namespace

bool paintDeviceRecord(QPagedPaintDevice& device, const DeviceRecord& record) {
  return paintDeviceRecords(device, {record});
}

bool paintDeviceRecords(QPagedPaintDevice& device, const std::vector<DeviceRecord>& records) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i > 0) device.newPage();
    const int pages = RecordLayout(device, nullptr, records[i], 0).run();
    RecordLayout(device, &painter, records[i], pages).run();
  }
  return painter.end();
}

}  // namespace tadjust
