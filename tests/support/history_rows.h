#pragma once

// The rows of a write history file, oldest first, read as any reader does (read-only).

#include <gtest/gtest.h>

#include <vector>

#include "history/history_database.h"

namespace tadjust::testing {

inline std::vector<history::WriteRow> historyRows(const QString& path) {
  history::HistoryDatabase database;
  EXPECT_TRUE(database.openReadOnly(path).readable) << path.toStdString();
  history::RowFilter oldestFirst;
  oldestFirst.newestFirst = false;
  return database.rows(oldestFirst).value_or(std::vector<history::WriteRow>{});
}

}  // namespace tadjust::testing
