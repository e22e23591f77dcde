#pragma once

// The port on which the interface box was last found, remembered in "T-adjust.ini" (section
// "ComPort", key "Name"). The file lives beside the executable. A program installed where the
// user cannot write (a system folder on Linux) keeps it in the user's configuration folder
// instead, and reads it from there too.

#include <QString>

namespace tadjust {

class PortMemory {
 public:
  // programDirectory: the folder of the executable. configurationDirectory: where the file goes
  // on POSIX when the program's folder cannot be written (the user's configuration folder of
  // the program when left empty).
  explicit PortMemory(const QString& programDirectory,
                      const QString& configurationDirectory = QString());

  // The file's full path, also for the report when it cannot be written.
  QString path() const;
  bool exists() const;
  // The remembered display name; empty when the file or the key is missing.
  QString readName() const;
  // False when the file could not be written.
  bool writeName(const QString& name) const;

 private:
  QString path_;
};

}  // namespace tadjust
