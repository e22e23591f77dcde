#pragma once

// The File menu's settings-file commands:
//  - "Save device settings…" writes the device as read in this link (not the editable group) to
//    a .tadj file, atomically;
//  - "Open settings file…" enters a file's settings into the editable group of a linked device
//    of the file's model, as the technician would choose and type them: the copy for edition is
//    taken from this link's read first, so what the group does not show (identity, calibration
//    words, the bytes the small layouts carry back) comes from the device linked now, never from
//    the file; then the user presses Send as usual;
//  - "Compare with file…" and "Compare with editable group" show the device as read beside a
//    file's settings or beside what Send would write.
// Every refusal is said in a message box, and changes nothing.

#include <QDateTime>
#include <QString>
#include <functional>

#include "app/exchange_controller.h"
#include "edit/copy_for_editing.h"
#include "edit/edit_origin.h"
#include "edit/group_fields.h"
#include "files/settings_file.h"
#include "ui/bilingual_text.h"
#include "ui/file_dialogs.h"
#include "ui/form1.h"
#include "ui/message_boxes.h"
#include "view/settings_view.h"

namespace tadjust {

class SettingsFileCommands {
 public:
  struct Sources {
    const SettingsImages& images;  // this link's read
    const SettingsViewState& view;
    CopyForEditing& copy;
    SettingsEntry& entry;
    // Says what the editable group now holds: a text, and its details (the corrections made).
    std::function<void(const QString& text, const QString& details)> notice;
    // Told that the editable group now holds a file opened onto the device linked now.
    std::function<void(const EditOrigin& origin)> origin;
  };

  SettingsFileCommands(Form1& form, MessageBoxes& boxes, FileDialogs& dialogs, Sources sources);

  // Told the name of a settings file once it has been saved.
  void setFileSaved(std::function<void(const QString& name)> saved) {
    fileSaved_ = std::move(saved);
  }

  void saveDeviceSettings();
  // Whether a file was entered into the editable group: not after a cancelled dialog or a refusal.
  bool openSettingsFile();
  void compareWithFile();
  void compareWithGroup();

 private:
  SettingsFileContents deviceAsRead() const;
  // The file the user chooses, read and checked against the linked device; nullopt after a
  // refusal (said) or a cancelled dialog.
  struct ChosenFile {
    SettingsFileContents contents;
    QString name;
    QString path;
  };
  std::optional<ChosenFile> chooseFileOfThisModel(const BilingualText& caption);
  std::optional<QByteArray> readChosenFile(const QString& path);
  QString faultText(const SettingsFileError& error, const QString& fileName) const;
  Comparison compare(const DeviceSettings& device, const DeviceSettings& other,
                     const QString& otherHeading, const QString& otherName) const;
  void refuse(const QString& text);
  QString text(const BilingualText& t) const;

  Form1& form_;
  MessageBoxes& boxes_;
  FileDialogs& dialogs_;
  Sources sources_;
  std::function<void(const QString&)> fileSaved_;
};

}  // namespace tadjust
