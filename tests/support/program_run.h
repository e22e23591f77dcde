#pragma once

// A program run to its end as a user runs it from a shell: its exit code and what it printed,
// standard output and errors together. t-adjust-history is the build's own where the test
// program is given its path (TADJUST_HISTORY_TOOL).

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tadjust::testing {

struct ProgramRun {
  int exitCode = -1;  // -1: it crashed or did not end in time
  QString output;
};

inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             int timeoutMs = 60000) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  process.waitForFinished(timeoutMs);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAll())};
}

#ifdef TADJUST_HISTORY_TOOL
inline ProgramRun historyTool(const QStringList& arguments) {
  return runProgram(QStringLiteral(TADJUST_HISTORY_TOOL), arguments);
}
#endif

}  // namespace tadjust::testing
