#pragma once

// The `changes` column: the settings a write changed, as a JSON list of
// {"field": ..., "before": ..., "after": ...} in the named settings' field names and the device's
// units ("rangeHigh", "600", "800").

#include <QString>
#include <vector>

namespace tadjust::history {

struct FieldChange {
  QString field;
  QString before;
  QString after;
  friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

QString changesJson(const std::vector<FieldChange>& changes);
// The changes a column holds; none for a text that is not such a list.
std::vector<FieldChange> changesOf(const QString& json);

}  // namespace tadjust::history
