#pragma once

// What the window says of a value the editing changed: a box validation corrected, a tag brought
// to what the device holds. EditNotice shows these lines; a settings file's entry and the write
// say theirs the same way.

#include <QLineEdit>
#include <QString>
#include <QStringList>

#include "image/layout.h"
#include "ui/form1.h"

namespace tadjust {

// One line for the box: the caption of its row, the text it held and the text it holds now,
// "Upper range value: "5000" changed to 1200.". The tag box also says why (its field's length
// and code page, for the layout): "Tag: "T温度" changed to "T??": the device holds 10 characters
// of the Central European code page."
QString correctionText(const Form1& form, Layout layout, const QLineEdit* box,
                       const QString& before, const QString& after);

// The first correction, with "+2 more" after it when there are others; empty without any. The
// whole list belongs in a tooltip beside it.
QString firstOfCorrections(const QStringList& corrections, bool useEnglish);

}  // namespace tadjust
