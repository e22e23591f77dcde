#include <map>

#include "record/device_record.h"

namespace tadjust {

namespace {

QString valueWithUnit(const ShownRow& row) {
  return row.unit.isEmpty() ? row.value : row.value + QLatin1Char(' ') + row.unit;
}

}  // namespace

std::vector<ComparedRow> compareRows(const std::vector<ShownRow>& found,
                                     const std::vector<ShownRow>& left, const QString& notRead) {
  std::map<int, ComparedRow> rows;
  for (const ShownRow& row : found) rows[row.row] = {row.caption, valueWithUnit(row), {}, false};
  // A row that another sensor words otherwise ("Sensor connection" and "Cold junction comp.")
  // names both.
  for (const ShownRow& row : left) {
    ComparedRow& compared = rows[row.row];
    if (compared.caption.isEmpty()) {
      compared.caption = row.caption;
    } else if (compared.caption != row.caption) {
      compared.caption += QStringLiteral(" / ") + row.caption;
    }
    compared.asLeft = valueWithUnit(row);
  }
  std::vector<ComparedRow> result;
  for (auto& [index, row] : rows) {
    if (row.asFound.isEmpty()) row.asFound = QStringLiteral("—");
    if (left.empty()) {
      row.asLeft = notRead;
    } else if (row.asLeft.isEmpty()) {
      row.asLeft = QStringLiteral("—");
    }
    row.changed = !left.empty() && row.asFound != row.asLeft;
    result.push_back(row);
  }
  return result;
}

}  // namespace tadjust
