#include "history/field_changes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tadjust::history {

QString changesJson(const std::vector<FieldChange>& changes) {
  QJsonArray list;
  for (const FieldChange& change : changes) {
    list.append(QJsonObject{{QStringLiteral("field"), change.field},
                            {QStringLiteral("before"), change.before},
                            {QStringLiteral("after"), change.after}});
  }
  return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

std::vector<FieldChange> changesOf(const QString& json) {
  std::vector<FieldChange> changes;
  const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
  for (const QJsonValue& value : document.array()) {
    const QJsonObject change = value.toObject();
    changes.push_back({change.value(QStringLiteral("field")).toString(),
                       change.value(QStringLiteral("before")).toString(),
                       change.value(QStringLiteral("after")).toString()});
  }
  return changes;
}

}  // namespace tadjust::history
