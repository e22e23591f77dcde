// The File menu of the program on a simulated device: its entries in both languages with their
// names and shortcuts, which of them can act in each state of the exchange, a shortcut reaching
// its command, and Quit.

#include "app/menu_commands.h"

#include <gtest/gtest.h>

#include <QLayout>
#include <QTest>
#include <vector>

#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

struct EntryCase {
  QAction* MainMenu::*action;
  const char* objectName;
  const char* english;
  const char* polish;
  const char* shortcut;
};

const std::vector<EntryCase> kFileMenu{
    {&MainMenu::saveDeviceSettings, "saveDeviceSettings", "Save device settings…",
     "Zapisz ustawienia urządzenia…", "Ctrl+S"},
    {&MainMenu::openSettingsFile, "openSettingsFile", "Open settings file…",
     "Otwórz plik ustawień…", "Ctrl+O"},
    {&MainMenu::compareWithFile, "compareWithFile", "Compare with file…", "Porównaj z plikiem…",
     ""},
    {&MainMenu::compareWithGroup, "compareWithGroup", "Compare with editable group",
     "Porównaj z ustawieniami edytowanymi", ""},
    {&MainMenu::exportRecordPdf, "exportRecordPdf", "Export record as PDF…",
     "Eksportuj protokół do PDF…", ""},
    {&MainMenu::printRecord, "printRecord", "Print record…", "Drukuj protokół…", "Ctrl+P"},
    {&MainMenu::commissionFromList, "commissionFromList", "Commission devices from a list…",
     "Uruchom urządzenia z listy…", ""},
    {&MainMenu::writeHistory, "writeHistory", "Write history…", "Historia zapisów…", "Ctrl+H"},
    {&MainMenu::quit, "quit", "Quit", "Zakończ", "Ctrl+Q"},
};

std::vector<QAction*> entriesOf(const QMenu* menu) {
  std::vector<QAction*> entries;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) entries.push_back(action);
  return entries;
}

TEST(FileMenu, ItsEntriesAreNamedWordedInTheChosenLanguageAndHaveTheirShortcuts) {
  for (const bool english : {true, false}) {
    SimulatedProgram program("RKA-49", english);
    const MainMenu& menu = program.form().mainMenu;
    EXPECT_EQ(menu.bar->parentWidget(), &program.form());
    EXPECT_EQ(program.form().layout()->menuBar(), menu.bar);
    EXPECT_EQ(menu.fileMenu->title().remove('&'), english ? "File" : "Plik");
    const std::vector<QAction*> entries = entriesOf(menu.fileMenu);
    ASSERT_EQ(entries.size(), kFileMenu.size());
    for (std::size_t i = 0; i < kFileMenu.size(); ++i) {
      const EntryCase& c = kFileMenu[i];
      QAction* action = menu.*c.action;
      EXPECT_EQ(entries[i], action) << c.objectName;
      EXPECT_EQ(action->objectName(), c.objectName);
      EXPECT_EQ(action->text(), QString::fromUtf8(english ? c.english : c.polish));
      EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(c.shortcut))) << c.objectName;
      EXPECT_EQ(program.form().findChild<QAction*>(c.objectName), action);
    }
  }
}

// Which entries can act: Quit always; the record, saving, opening and comparing while a device
// read in this link is shown and no read is under way.
TEST(FileMenu, TheRecordCanActOnlyWhileADeviceReadInThisLinkIsShown) {
  SimulatedProgram program("RKA-49");
  const MainMenu& menu = program.form().mainMenu;
  const auto expectRecordEnabled = [&](bool enabled, const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(menu.exportRecordPdf->isEnabled(), enabled);
    EXPECT_EQ(menu.printRecord->isEnabled(), enabled);
    EXPECT_TRUE(menu.quit->isEnabled());
    EXPECT_TRUE(menu.writeHistory->isEnabled());
    for (QAction* fileEntry : {menu.saveDeviceSettings, menu.openSettingsFile, menu.compareWithFile,
                               menu.compareWithGroup})
      EXPECT_EQ(fileEntry->isEnabled(), enabled) << fileEntry->objectName().toStdString();
  };

  expectRecordEnabled(false, "at start");
  program.findBox();
  expectRecordEnabled(false, "the box found");
  program.boxes.queue(Answer::Ok);
  program.controller().BitBtn1Click();
  expectRecordEnabled(false, "the first read under way");
  program.ticks(testing::kTicksToCollect);
  expectRecordEnabled(true, "the device read");

  program.form().BitBtn3->click();
  program.form().BitBtn4->click();
  expectRecordEnabled(false, "the check of the device under way");
  program.ticks(testing::kTicksToCollect);
  expectRecordEnabled(false, "the read-back under way");
  program.ticks(testing::kTicksToCollect);
  expectRecordEnabled(true, "the write verified");

  program.controller().BitBtn1Click();
  expectRecordEnabled(false, "disconnected");
}

TEST(FileMenu, OpeningASettingsFileNeedsTheBoxStillThere) {
  struct Case {
    bool linked, readPending, connectionLost;
    bool deviceRead, linkedAndRead;
  };
  for (const Case& c :
       {Case{false, false, false, false, false}, Case{true, false, false, true, true},
        Case{true, true, false, false, false}, Case{true, false, true, true, false},
        Case{false, true, false, false, false}}) {
    ExchangeState state;
    state.DeviceLinked = c.linked;
    state.ReadPending = c.readPending;
    state.connectionLost = c.connectionLost;
    EXPECT_TRUE(canAct(MenuNeeds::Nothing, state));
    EXPECT_EQ(canAct(MenuNeeds::DeviceRead, state), c.deviceRead);
    EXPECT_EQ(canAct(MenuNeeds::LinkedReadDevice, state), c.linkedAndRead);
  }
}

TEST(FileMenu, AShortcutReachesItsCommandOnlyWhereTheEntryCanAct) {
  SimulatedProgram program("RKA-49");
  Form1& form = program.form();
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(program.dialogs.printCaptions.empty()) << "nothing read yet";

  program.findBox();
  program.connect();
  QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(program.dialogs.printCaptions.size(), 1u);
}

TEST(FileMenu, QuitClosesTheWindow) {
  SimulatedProgram program("RKA-49");
  Form1& form = program.form();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.mainMenu.quit->trigger();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace tadjust
