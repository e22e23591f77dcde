// A technician links one device, edits, disconnects and links another. A device of another
// model (another product code) starts from the editable group a program that reads it first
// shows, so nothing of the earlier model reaches it; the same model keeps the edits, as when a
// series of identical devices is set up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/editing_program.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::EditingProgram;
using testing::SimulatedProgram;

// Everything the editable group shows and holds: texts, lists with their selection, check
// boxes, which controls are shown and enabled, the editing state.
std::vector<std::string> editableGroup(SimulatedProgram& program) {
  Form1& form = program.form();
  std::vector<std::string> lines;
  for (const QWidget* w : form.GroupBox1->findChildren<QWidget*>()) {
    std::string line = w->objectName().toStdString();
    // What the foot of the group says is news of the moment, not the group's state.
    if (line.empty() || w == form.EditNotice) continue;
    if (const auto* label = qobject_cast<const QLabel*>(w))
      line += " '" + label->text().toStdString() + "'";
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
      line += " '" + edit->text().toStdString() + "'";
    if (const auto* box = qobject_cast<const QCheckBox*>(w))
      line += box->isChecked() ? " [x]" : " [ ]";
    if (const auto* list = qobject_cast<const QComboBox*>(w)) {
      for (int i = 0; i < list->count(); ++i) line += " |" + list->itemText(i).toStdString();
      line += " #" + std::to_string(list->currentIndex());
    }
    line += w->isHidden() ? " hidden" : "";
    line += w->isEnabled() ? "" : " disabled";
    lines.push_back(line);
  }
  const EditState& edit = program.app.editState();
  lines.push_back("EditSensorType " + std::to_string(entryOf(edit.EditSensorType)) + " range " +
                  std::to_string(edit.EditRangeLow) + ".." + std::to_string(edit.EditRangeHigh));
  lines.push_back(program.app.copyRecord().copiedFrom ? "copied" : "not copied");
  return lines;
}

// What a program that has read the model first shows.
std::vector<std::string> freshGroup(std::string_view model) {
  EditingProgram fresh(model);
  fresh.read();
  return editableGroup(fresh.program);
}

// The device behind the box is replaced by one of the model: Disconnect, Connect.
void swapTo(EditingProgram& p, std::string_view model) {
  p.form().BitBtn1->click();  // Disconnect
  p.program.plugIn(model);
  p.program.connect();
  ASSERT_TRUE(p.program.state().DeviceLinked);
}

TEST(DeviceSwap, AnotherModelStartsFromItsOwnStartValues) {
  struct Case {
    const char* before;
    const char* after;
  };
  for (const Case& c : {Case{"ARR/A", "RKA-49"}, Case{"RKA-59", "RKA-49"}, Case{"RKA-49", "ARR/A"},
                        Case{"RQ-117/A", "RKA-49"}}) {
    SCOPED_TRACE(std::string(c.before) + " then " + c.after);
    EditingProgram p(c.before);
    p.read();
    p.form().BitBtn3->click();
    EditingProgram::type(p.form().Edit4, "7");
    p.form().Edit5->setText("HT-203 col");
    swapTo(p, c.after);
    EXPECT_EQ(editableGroup(p.program), freshGroup(c.after));
    EXPECT_EQ(p.form().EditNotice->text(),
              "Another model was read: the editable settings hold start values.");
  }
}

// ARR/A's copy carried into an RKA-49 wrote its output current as a temperature offset, its
// temperature range and its tag; now the RKA-49 gets what its group shows.
TEST(DeviceSwap, ASendAfterTheSwapWritesWhatTheGroupShows) {
  for (const char* before : {"ARR/A", "RKA-59"}) {
    SCOPED_TRACE(before);
    EditingProgram p(before);
    p.read();
    p.form().BitBtn3->click();
    swapTo(p, "RKA-49");
    const QString low = p.form().Edit1->text();
    const QString high = p.form().Edit2->text();
    const QString connection = p.form().ComboBox2->currentText();

    p.boxes().queue(Answer::Ok);  // Write: the start values were not copied from this device
    p.program.send();
    p.program.ticks(testing::kTicksToCollect);
    EXPECT_EQ(p.form().Label41->text(), "Settings written and verified.");
    // The device group shows the read-back: what the editable group showed was written.
    EXPECT_EQ(p.form().Edit9->text(), low);
    EXPECT_EQ(p.form().Edit10->text(), high);
    EXPECT_EQ(p.form().Edit11->text(), connection);
    EXPECT_EQ(p.form().Edit13->text(), "0");
    EXPECT_EQ(p.form().Edit17->text(), "");
  }
}

TEST(DeviceSwap, TheSameModelKeepsTheEdits) {
  EditingProgram p("RKA-49");
  p.read();
  p.form().BitBtn3->click();
  EditingProgram::type(p.form().Edit2, "500");
  p.form().Edit5->setText("LINE 2");
  swapTo(p, "RKA-49");
  EXPECT_EQ(p.form().Edit2->text(), "500");
  EXPECT_EQ(p.form().Edit5->text(), "LINE 2");
}

}  // namespace
}  // namespace tadjust
