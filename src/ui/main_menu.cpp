#include "ui/main_menu.h"

#include <array>

#include "ui/bilingual_text.h"

namespace tadjust {

namespace {

struct MenuEntry {
  QAction* MainMenu::*action;
  const char* objectName;
  BilingualText text;
  const char* shortcut;  // in portable form ("Ctrl+S"); empty for none
  bool separatorBefore = false;
};

// The File menu, top to bottom.
const std::array<MenuEntry, 9>& fileMenuEntries() {
  static const std::array<MenuEntry, 9> entries{{
      {&MainMenu::saveDeviceSettings,
       "saveDeviceSettings",
       {"Save device settings…", "Zapisz ustawienia urządzenia…"},
       "Ctrl+S"},
      {&MainMenu::openSettingsFile,
       "openSettingsFile",
       {"Open settings file…", "Otwórz plik ustawień…"},
       "Ctrl+O"},
      {&MainMenu::compareWithFile,
       "compareWithFile",
       {"Compare with file…", "Porównaj z plikiem…"},
       ""},
      {&MainMenu::compareWithGroup,
       "compareWithGroup",
       {"Compare with editable group", "Porównaj z ustawieniami edytowanymi"},
       ""},
      {&MainMenu::exportRecordPdf,
       "exportRecordPdf",
       {"Export record as PDF…", "Eksportuj protokół do PDF…"},
       "",
       true},
      {&MainMenu::printRecord, "printRecord", {"Print record…", "Drukuj protokół…"}, "Ctrl+P"},
      {&MainMenu::commissionFromList,
       "commissionFromList",
       {"Commission devices from a list…", "Uruchom urządzenia z listy…"},
       "",
       true},
      {&MainMenu::writeHistory,
       "writeHistory",
       {"Write history…", "Historia zapisów…"},
       "Ctrl+H",
       true},
      {&MainMenu::quit, "quit", {"Quit", "Zakończ"}, "Ctrl+Q", true},
  }};
  return entries;
}

constexpr BilingualText kFileMenuTitle{"&File", "&Plik"};

}  // namespace

MainMenu::MainMenu(QWidget* window) : bar(new QMenuBar(window)) {
  bar->setObjectName(QStringLiteral("menuBar"));
  fileMenu = bar->addMenu(kFileMenuTitle.in(false));
  fileMenu->setObjectName(QStringLiteral("fileMenu"));
  for (const MenuEntry& entry : fileMenuEntries()) {
    if (entry.separatorBefore) fileMenu->addSeparator();
    QAction* action = fileMenu->addAction(entry.text.in(false));
    action->setObjectName(QString::fromLatin1(entry.objectName));
    action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    window->addAction(action);
    this->*entry.action = action;
  }
}

void MainMenu::applyTexts(bool useEnglish) {
  fileMenu->setTitle(kFileMenuTitle.in(useEnglish));
  for (const MenuEntry& entry : fileMenuEntries())
    (this->*entry.action)->setText(entry.text.in(useEnglish));
}

}  // namespace tadjust
