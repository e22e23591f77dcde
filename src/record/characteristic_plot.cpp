#include "record/characteristic_plot.h"

#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "numbers/number_text.h"
#include "record/record_texts.h"

namespace tadjust {

namespace {

constexpr int kAimedTicks = 6;
constexpr double kLabelPoints = 8;

struct Range {
  double low;
  double high;
  double span() const { return high - low; }
};

// A step of 1, 2 or 5 times a power of ten that cuts the range into about kAimedTicks parts.
double tickStep(double span) {
  const double rough = span / kAimedTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (rough <= factor * power) return factor * power;
  return 10 * power;
}

Range roundedOut(Range range, double step) {
  return {std::floor(range.low / step) * step, std::ceil(range.high / step) * step};
}

QFont plotFont(bool bold = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setStyleStrategy(QFont::PreferNoShaping);  // no ligatures: the text stays searchable
  font.setPointSizeF(kLabelPoints);
  font.setBold(bold);
  return font;
}

QString tickText(double value, double step) {
  // A tick sits on a multiple of the step: drop the binary residue of the multiplication.
  return number_text::general(std::round(value / step) * step);
}

// From the first breakpoint to the highest signal the table serves, within the reference
// table's signals: the signal axis of the characteristic and of its error alike.
Range signalRange(const StoredLinearisation& table) {
  const double first = table.breakpoints.front().signalThousandths;
  const double last = table.breakpoints.back().signalThousandths;
  const SensorReferenceTable& reference = sensorReferenceTable(table.sensorType);
  double end = std::min<double>(table.inputLimitHighThousandths, reference.thousandths.back());
  if (end <= last) end = last + std::max(1.0, (last - first) * 0.05);
  return {first / 1000.0, end / 1000.0};
}

// A plot's frame and its two axes, each cut into whole steps.
struct Axes {
  QRectF frame;
  Range x{};
  double xStep = 1;
  Range y{};
  double yStep = 1;
  double dotsPerMm = 1;

  double mm(double millimetres) const { return millimetres * dotsPerMm; }
  QPointF at(double xValue, double yValue) const {
    return {frame.left() + (xValue - x.low) / x.span() * frame.width(),
            frame.bottom() - (yValue - y.low) / y.span() * frame.height()};
  }
};

// Axes over the data ranges, rounded out to whole ticks.
Axes axesOver(const QRectF& frame, Range x, Range y, double dotsPerMm) {
  Axes axes;
  axes.frame = frame;
  axes.xStep = tickStep(x.span());
  axes.yStep = tickStep(y.span());
  axes.x = roundedOut(x, axes.xStep);
  axes.y = roundedOut(y, axes.yStep);
  axes.dotsPerMm = dotsPerMm;
  return axes;
}

// The grid on every tick with its values, and the frame.
void drawGrid(QPainter& p, const Axes& a) {
  p.setFont(plotFont());
  const QPen gridPen(QColor(215, 215, 215), a.mm(0.15));
  for (double s = a.x.low; s <= a.x.high + a.xStep / 2; s += a.xStep) {
    p.setPen(gridPen);
    p.drawLine(a.at(s, a.y.low), a.at(s, a.y.high));
    p.setPen(Qt::black);
    const QPointF foot = a.at(s, a.y.low);
    p.drawText(QRectF(foot.x() - a.mm(10), foot.y() + a.mm(1), a.mm(20), a.mm(4)),
               Qt::AlignHCenter | Qt::AlignTop, tickText(s, a.xStep));
  }
  for (double t = a.y.low; t <= a.y.high + a.yStep / 2; t += a.yStep) {
    p.setPen(gridPen);
    p.drawLine(a.at(a.x.low, t), a.at(a.x.high, t));
    p.setPen(Qt::black);
    const QPointF start = a.at(a.x.low, t);
    p.drawText(QRectF(start.x() - a.mm(13), start.y() - a.mm(2), a.mm(12), a.mm(4)),
               Qt::AlignRight | Qt::AlignVCenter, tickText(t, a.yStep));
  }
  p.setPen(QPen(Qt::black, a.mm(0.25)));
  p.setBrush(Qt::NoBrush);
  p.drawRect(a.frame);
}

// The horizontal axis's title under it, the vertical one's turned along it.
void drawAxisTitles(QPainter& p, const Axes& a, const QString& xTitle, const QString& yTitle) {
  p.setPen(Qt::black);
  p.setFont(plotFont(true));
  p.drawText(QRectF(a.frame.left(), a.frame.bottom() + a.mm(6), a.frame.width(), a.mm(6)),
             Qt::AlignHCenter | Qt::AlignVCenter, xTitle);
  p.save();
  p.translate(a.frame.left() - a.mm(17), a.frame.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-a.frame.height() / 2, 0, a.frame.height(), a.mm(5)),
             Qt::AlignHCenter | Qt::AlignVCenter, yTitle);
  p.restore();
}

class Plot {
 public:
  Plot(QPainter& painter, const QRectF& area, const RecordCharacteristic& c, bool english)
      : p_(painter), c_(c), table_(c.table), english_(english) {
    dotsPerMm_ = painter.device()->logicalDpiY() / 25.4;
    data_ = signalRange(table_);
    axes_ = axesOver(area.adjusted(mm(20), mm(12), -mm(4), -mm(14)), data_, temperatureRange(),
                     dotsPerMm_);
  }

  void draw() {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing);
    drawGrid(p_, axes_);
    referenceCurve();
    storedSegments();
    drawAxisTitles(p_, axes_, text(record_texts::InputSignalAxis).arg(signalUnit(table_)),
                   text(record_texts::TemperatureAxis));
    legend();
    p_.restore();
  }

 private:
  double mm(double millimetres) const { return millimetres * dotsPerMm_; }
  QString text(const BilingualText& t) const { return t.in(english_); }

  // The reference points within the signal range, as (signal, temperature).
  std::vector<QPointF> referencePoints() const {
    const SensorReferenceTable& reference = sensorReferenceTable(table_.sensorType);
    std::vector<QPointF> points;
    for (std::size_t i = 0; i < reference.size(); ++i) {
      const double signal = reference.signalValues[i];
      if (signal < data_.low || signal > data_.high) continue;
      points.emplace_back(signal, reference.firstTemperature + static_cast<int>(i));
    }
    return points;
  }

  // Each segment from its breakpoint to the next one, the last to the end of the range.
  std::vector<std::pair<QPointF, QPointF>> segments() const {
    std::vector<std::pair<QPointF, QPointF>> lines;
    const auto& points = table_.breakpoints;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const double from = points[i].signalThousandths;
      const double to =
          i + 1 < points.size() ? points[i + 1].signalThousandths : data_.high * 1000.0;
      lines.emplace_back(QPointF(from / 1000.0, table_.temperatureOnSegment(i, from)),
                         QPointF(to / 1000.0, table_.temperatureOnSegment(i, to)));
    }
    return lines;
  }

  Range temperatureRange() const {
    Range range{table_.breakpoints.front().temperature, table_.breakpoints.front().temperature};
    const auto include = [&](double t) {
      range.low = std::min(range.low, t);
      range.high = std::max(range.high, t);
    };
    for (const QPointF& point : referencePoints()) include(point.y());
    for (const auto& [from, to] : segments()) {
      include(from.y());
      include(to.y());
    }
    if (range.span() <= 0) range.high = range.low + 1;
    return range;
  }

  QPointF at(double signal, double temperature) const { return axes_.at(signal, temperature); }
  QPointF at(const QPointF& value) const { return at(value.x(), value.y()); }

  void referenceCurve() {
    const std::vector<QPointF> points = referencePoints();
    if (points.size() < 2) return;
    QPainterPath path(at(points.front()));
    for (const QPointF& point : points) path.lineTo(at(point));
    p_.setPen(QPen(QColor(40, 90, 200), mm(0.9), Qt::SolidLine, Qt::RoundCap));
    p_.drawPath(path);
  }

  void storedSegments() {
    p_.setPen(QPen(QColor(200, 30, 30), mm(0.35), Qt::SolidLine, Qt::RoundCap));
    for (const auto& [from, to] : segments()) p_.drawLine(at(from), at(to));
    p_.setBrush(QColor(200, 30, 30));
    for (const StoredBreakpoint& point : table_.breakpoints)
      p_.drawEllipse(at(point.signal(), point.temperature), mm(0.6), mm(0.6));
  }

  void legend() {
    p_.setFont(plotFont());
    const double x = axes_.frame.left() + mm(4);
    double y = axes_.frame.top() - mm(10.5);
    const auto entry = [&](const QPen& pen, const QString& label) {
      p_.setPen(pen);
      p_.drawLine(QPointF(x, y + mm(2)), QPointF(x + mm(8), y + mm(2)));
      p_.setPen(Qt::black);
      p_.drawText(QRectF(x + mm(10), y, axes_.frame.width() / 2, mm(4)),
                  Qt::AlignLeft | Qt::AlignVCenter, label);
    };
    entry(QPen(QColor(40, 90, 200), mm(0.9)),
          text(record_texts::ReferenceCurve) + QStringLiteral(": ") + c_.sensorName);
    y += mm(3.5);
    entry(QPen(QColor(200, 30, 30), mm(0.35)), text(record_texts::StoredSegments));
  }

  QPainter& p_;
  const RecordCharacteristic& c_;
  const StoredLinearisation& table_;
  bool english_;
  double dotsPerMm_ = 1;
  Range data_{};  // the signals the curves are drawn over
  Axes axes_;
};

// The error of the stored segments under the characteristic: on the same signal axis, error in
// °C around a zero line, the breakpoints marked.
class ErrorPlot {
 public:
  ErrorPlot(QPainter& painter, const QRectF& area, const StoredLinearisation& table,
            const CharacteristicError& error, bool english)
      : p_(painter), table_(table), error_(error), english_(english) {
    dotsPerMm_ = painter.device()->logicalDpiY() / 25.4;
    // Symmetric about zero, so the sign of the error reads at a glance.
    const double largest = std::max(std::abs(error.largest.error), 0.001);
    axes_ = axesOver(area.adjusted(mm(20), mm(7), -mm(4), -mm(14)), signalRange(table),
                     {-largest, largest}, dotsPerMm_);
  }

  void draw() {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing);
    drawGrid(p_, axes_);
    p_.setPen(QPen(Qt::black, mm(0.2)));
    p_.drawLine(at(axes_.x.low, 0), at(axes_.x.high, 0));
    curve();
    drawAxisTitles(p_, axes_, text(record_texts::InputSignalAxis).arg(signalUnit(table_)),
                   text(record_texts::ErrorAxis));
    legend();
    p_.restore();
  }

 private:
  double mm(double millimetres) const { return millimetres * dotsPerMm_; }
  QString text(const BilingualText& t) const { return t.in(english_); }

  QPointF at(double signal, double error) const { return axes_.at(signal, error); }

  void curve() {
    QPainterPath path(
        at(error_.points.front().signalThousandths / 1000.0, error_.points.front().error));
    for (const ErrorPoint& point : error_.points)
      path.lineTo(at(point.signalThousandths / 1000.0, point.error));
    p_.setPen(QPen(QColor(200, 30, 30), mm(0.3), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p_.drawPath(path);
    p_.setBrush(QColor(200, 30, 30));
    for (const StoredBreakpoint& point : table_.breakpoints) {
      const double signal = static_cast<double>(point.signalThousandths);
      if (signal > error_.highestSignalThousandths) continue;
      p_.drawEllipse(at(point.signal(), table_.temperatureAt(signal) -
                                            referenceTemperatureAt(
                                                sensorReferenceTable(table_.sensorType), signal)),
                     mm(0.5), mm(0.5));
    }
    const ErrorPoint& largest = error_.largest;
    p_.setBrush(Qt::NoBrush);
    p_.setPen(QPen(Qt::black, mm(0.25)));
    p_.drawEllipse(at(largest.signalThousandths / 1000.0, largest.error), mm(1.2), mm(1.2));
  }

  void legend() {
    p_.setFont(plotFont());
    const double x = axes_.frame.left() + mm(4);
    const double y = axes_.frame.top() - mm(6);
    p_.setPen(QPen(QColor(200, 30, 30), mm(0.3)));
    p_.drawLine(QPointF(x, y + mm(2)), QPointF(x + mm(8), y + mm(2)));
    p_.setPen(Qt::black);
    p_.drawText(QRectF(x + mm(10), y, axes_.frame.width() - mm(14), mm(4)),
                Qt::AlignLeft | Qt::AlignVCenter, text(record_texts::ErrorCurve));
  }

  QPainter& p_;
  const StoredLinearisation& table_;
  const CharacteristicError& error_;
  bool english_;
  double dotsPerMm_ = 1;
  Axes axes_;
};

}  // namespace

QString signalUnit(const StoredLinearisation& table) {
  return isThermocouple(table.sensorType) ? QStringLiteral("mV") : QStringLiteral("Ohm");
}

void drawCharacteristicPlot(QPainter& painter, const QRectF& area,
                            const RecordCharacteristic& characteristic, bool useEnglish) {
  Plot(painter, area, characteristic, useEnglish).draw();
}

void drawErrorPlot(QPainter& painter, const QRectF& area, const StoredLinearisation& table,
                   const CharacteristicError& error, bool useEnglish) {
  if (error.empty()) return;
  ErrorPlot(painter, area, table, error, useEnglish).draw();
}

}  // namespace tadjust
