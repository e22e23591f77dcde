#pragma once

// CSV as the program writes it (RFC 4180): UTF-8, lines ended by CR LF, a field quoted when it
// holds a comma, a quote or a line break (quotes doubled). The history's rows: a header row of the
// columns' names, blobs as lowercase hex, NULL as an empty field.
//
// Every CSV the program writes passes its text cells through csvTextField: a text that a
// spreadsheet would run as a formula (it begins with "=", "+", "-", "@", a tab or a carriage
// return) is written with a leading apostrophe, as is a text that begins with an apostrophe
// itself, so that taking one leading apostrophe off any text cell that has one gives the text
// back exactly. Numbers the program writes itself go through csvField as they are.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "history/write_row.h"

namespace tadjust::history {

// A text that no spreadsheet runs as a formula: a leading apostrophe where one is needed.
QString formulaGuarded(const QString& text);
// One field, quoted when it must be.
QString csvField(const QString& field);
// One text field: guarded, then quoted when it must be.
QString csvTextField(const QString& text);
// One record of fields already made (csvField, csvTextField), ended by CR LF.
QByteArray csvRecord(const QStringList& fields);

// The columns of a write, as the CSV's header names them.
QStringList csvColumns();
QByteArray csvOf(const std::vector<WriteRow>& rows);

}  // namespace tadjust::history
