#pragma once

// The port on which the interface box was last found, remembered in "T-adjust.ini" (section
// "ComPort", key "Name"). The file lives beside the executable. A program installed where the
// user cannot write (a system folder on Linux) keeps it in the user's configuration folder
// instead, and reads it from there too.
//
// Only a regular file is read or written. Anything else in its place (a FIFO, a device, a
// folder) would block or fail inside the profile functions, and a file of more than
// kMaxIniFileSize bytes is no file this program wrote: both count as holding no remembered
// port, and neither is rewritten.

#include <QString>

namespace tadjust {

inline constexpr qint64 kMaxIniFileSize = 64 * 1024;

class PortMemory {
 public:
  // programDirectory: the folder of the executable. configurationDirectory: where the file goes
  // on POSIX when the program's folder cannot be written (the user's configuration folder of
  // the program when left empty).
  explicit PortMemory(const QString& programDirectory,
                      const QString& configurationDirectory = QString());

  // The file's full path, also for the report when it cannot be written.
  QString path() const;
  // True when the file is there and may be read: a regular file of at most kMaxIniFileSize.
  bool exists() const;
  // The remembered display name; empty when the file or the key is missing, or the file may
  // not be read.
  QString readName() const;
  // False when the file could not be written, or something other than a regular file of at
  // most kMaxIniFileSize stands in its place (or in the place of its lock file).
  bool writeName(const QString& name) const;

 private:
  QString path_;
};

}  // namespace tadjust
