#pragma once

// The write history's news as the window says it in EditNotice: what became of the file, named
// with its path and the reason in words.

#include <QStringList>
#include <vector>

#include "app/history_recorder.h"

namespace tadjust {

// One line per news item, in the language chosen; the same line is said once. path: the file.
QStringList historyNewsLines(const std::vector<HistoryNews>& news, const QString& path,
                             bool useEnglish);

}  // namespace tadjust
