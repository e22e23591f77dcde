#pragma once

// The columns of a write as the readers see it: one list that gives the query's columns and where
// each comes from (the opening joined with its completion, or a row of schema 1), how a value is
// read into a WriteRow, and how the CSV export writes it. The CSV's columns are these, in this
// order (docs/history.md).

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <optional>
#include <span>

#include "history/write_row.h"

namespace tadjust::history {

struct RowColumn {
  const char* name;
  const char* joined;   // its source in `writes w LEFT JOIN completions c`
  const char* schema1;  // its source in a table of schema 1
  void (*read)(WriteRow& row, const QVariant& value);
  QString (*csvText)(const WriteRow& row);  // the CSV field, escaped
};

std::span<const RowColumn> rowColumns();

// "id, sequence, ...": the names, for a SELECT over the row source.
QString rowColumnNames();
// The SELECT list of the join or of a schema-1 table, each source named as its column.
QString joinedRowColumns();
QString schema1RowColumns();

// A column's value, none for NULL.
std::optional<QString> textOrNull(const QVariant& value);
std::optional<qint64> integerOrNull(const QVariant& value);

// A row of a query that selected rowColumnNames().
WriteRow rowOf(const QSqlQuery& query);

}  // namespace tadjust::history
