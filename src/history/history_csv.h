#pragma once

// Rows of the history as CSV (RFC 4180): UTF-8, a header row of the table's column names,
// lines ended by CR LF, a field quoted when it holds a comma, a quote or a line break (quotes
// doubled). Blobs are written as lowercase hex, NULL as an empty field.

#include <QByteArray>
#include <QStringList>
#include <vector>

#include "history/write_row.h"

namespace tadjust::history {

// The columns of a row, in the table's order, as the CSV's header names them.
QStringList csvColumns();
QByteArray csvOf(const std::vector<WriteRow>& rows);

}  // namespace tadjust::history
