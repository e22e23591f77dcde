#pragma once

// The main window's menu bar, above the groups. Its entries are actions with an objectName (so
// tests and tools find them by name), a text in both languages and a keyboard shortcut; the
// program connects them to what they do and enables each only where it can act.
//
// An entry is added with a member here and a row of fileMenuEntries() (main_menu.cpp).

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace tadjust {

class MainMenu {
 public:
  // Builds the menu bar with Polish texts, as the window is built; applyTexts() puts them into
  // the chosen language. The actions are added to the window too, so their shortcuts work
  // wherever the focus is in it.
  explicit MainMenu(QWidget* window);

  void applyTexts(bool useEnglish);

  QMenuBar* bar;
  QMenu* fileMenu;
  QAction* saveDeviceSettings;  // Ctrl+S
  QAction* openSettingsFile;    // Ctrl+O
  QAction* compareWithFile;
  QAction* compareWithGroup;  // what Send would change
  QAction* exportRecordPdf;
  QAction* printRecord;  // Ctrl+P
  QAction* commissionFromList;
  QAction* writeHistory;  // Ctrl+H
  QAction* quit;          // Ctrl+Q
};

}  // namespace tadjust
