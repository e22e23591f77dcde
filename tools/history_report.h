#pragma once

// t-adjust-history report: the device records of chosen writes regenerated from the history's
// stored images into one PDF, one record per write, oldest first.

namespace tadjust::history_tool {

// True when the command line names the report command.
bool isReportCommand(int argc, char** argv);
// Runs it: its own application (the records are drawn on windows that are never shown).
int runReport(int argc, char** argv);

}  // namespace tadjust::history_tool
