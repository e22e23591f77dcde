#pragma once

// The main window and every control of it, named as the program's documentation names them
// (Edit1, ComboBox3, Label39, BitBtn4, GroupBox2, ...); each control's objectName is that name,
// so tests and tools find it by name too.
//
// Form1 owns the controls and nothing else: the subsystems write into them (the settings view
// lays the groups out, the decoder fills the device group, the exchange controller drives the
// buttons and the progress bar) and the program wires the control events to their handlers.
//
// A control's "visible" state in the program's sense is its own flag, independent of its
// parents: read it with !isHidden() (or isVisibleTo(parent)), never with isVisible().

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ui/main_menu.h"

namespace tadjust {

// The user types at most this many characters into the tag box Edit5; a device's tag may hold
// more (10 or 16), and the program shows it whole.
inline constexpr int kTagTypingLimit = 9;

// One row of a settings group: caption, input control and unit label, shown as the window
// starts. Some rows hold a second control in the input's or the unit's place, hidden at start
// and shown by the layouts that use it instead (an edit box for a list, a check box or another
// label for the unit). Missing parts are null.
struct FormRow {
  QLabel* caption;
  QWidget* input;
  QLabel* unit = nullptr;
  QWidget* alternateInput = nullptr;
  QWidget* alternateUnit = nullptr;

  // The row's controls that exist, in the order caption, input, unit, alternates.
  std::vector<QWidget*> controls() const;
};

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // Builds the window with every control in its start state (Polish captions); the start-up
  // question (FormCreate) then sets UseEnglish and translates the captions.
  explicit Form1(QWidget* parent = nullptr);

  // The user interface speaks English (false: Polish). Set once at start-up, before the
  // window is first shown; every text of the program is chosen by it when it is shown.
  bool UseEnglish = false;

  // The menu bar above the groups (File); its texts follow UseEnglish once the start-up question
  // has set it.
  MainMenu mainMenu;

  // The current model: the model label's text, as the settings view last laid the groups out
  // ("RKA-4" until the first read names a model). The only reader of Label39's text.
  std::string currentModel() const;
  void setCurrentModel(std::string_view name);

  // The rows of GroupBox1 (Label1/ComboBox1 to Label17/Edit5) and of GroupBox2 (Label18/Edit6 to
  // Label29/Edit17), top to bottom. The model label Label39 stands beside the first device row
  // and belongs to none.
  std::array<FormRow, 10> editableRows() const;
  std::array<FormRow, 12> deviceRows() const;

  // Top level.
  QLabel* Label37;       // banner: maker's name
  QLabel* Label38;       // banner: maker's web address
  QLabel* Label40;       // status line of the interface search
  QLabel* Label41;       // status line of an exchange with the device
  QPushButton* BitBtn1;  // Start / Connect / Disconnect
  QLineEdit* Edit18;     // the serial port being probed or in use
  QComboBox* ComboBox6;  // working list of candidate ports, never shown
  QProgressBar* ProgressBar1;
  QPushButton* BitBtn3;          // copy for editing
  QPushButton* BitBtn4;          // send to device
  QPushButton* ReadAgainButton;  // reads a linked device's settings again (F5)
  QGroupBox* GroupBox1;          // editable settings
  QGroupBox* GroupBox2;          // settings read from the device
  QGroupBox* GroupBox3;          // monitoring
  QTimer* Timer1;

  // GroupBox1, editable settings, row by row.
  QLabel* Label1;
  QComboBox* ComboBox1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QLabel* Label6;
  QLabel* Label4;
  QLineEdit* Edit2;
  QLabel* Label7;
  QLabel* Label3;
  QComboBox* ComboBox2;
  QLineEdit* Edit19;
  QLabel* Label43;
  QLabel* Label5;
  QLineEdit* Edit3;
  QLabel* Label8;
  QCheckBox* CheckBox3;
  QLabel* Label9;
  QLineEdit* Edit4;
  QLabel* Label10;
  QCheckBox* CheckBox4;
  QLabel* Label11;
  QComboBox* ComboBox3;
  QLineEdit* Edit20;
  QLabel* Label12;
  QLabel* Label13;
  QComboBox* ComboBox4;
  QLineEdit* Edit21;
  QLabel* Label14;
  QLabel* Label15;
  QComboBox* ComboBox5;
  QLineEdit* Edit22;
  QLabel* Label16;
  QLabel* Label17;
  QLineEdit* Edit5;
  // The status line at the group's foot: what validation changed in a box. Its accessible name
  // is its text, so a screen reader reads the message.
  QLabel* EditNotice;

  // GroupBox2, settings read from the device, row by row.
  QLabel* Label18;
  QLineEdit* Edit6;
  QLabel* Label39;  // the model label: its text is the current model
  QLabel* Label19;
  QLineEdit* Edit7;
  QLabel* Label20;
  QLineEdit* Edit8;
  QLabel* Label21;
  QLineEdit* Edit9;
  QLabel* Label30;
  QLabel* Label22;
  QLineEdit* Edit10;
  QLabel* Label31;
  QLabel* Label23;
  QLineEdit* Edit11;
  QLabel* Label44;
  QLabel* Label24;
  QLineEdit* Edit12;
  QLabel* Label32;
  QCheckBox* CheckBox1;
  QLabel* Label25;
  QLineEdit* Edit13;
  QLabel* Label33;
  QCheckBox* CheckBox2;
  QLabel* Label26;
  QLineEdit* Edit14;
  QLabel* Label34;
  QLabel* Label27;
  QLineEdit* Edit15;
  QLabel* Label35;
  QLabel* Label28;
  QLineEdit* Edit16;
  QLabel* Label36;
  QLabel* Label29;
  QLineEdit* Edit17;

  // GroupBox3, monitoring.
  QCheckBox* CheckBox5;
  QLabel* Label42;
  QLineEdit* Edit23;
  QLabel* Label46;
  QLabel* Label45;
  QLineEdit* Edit24;
  QLabel* Label47;

 signals:
  // The user clicked into one of the validated edit boxes (Edit1..Edit4, Edit19..Edit22) or
  // the focus left it.
  void editChange(QLineEdit* edit);
  // The user changed something in the editable group: typed into a box, chose an entry of a
  // list (the entry shown too), or ticked a check box.
  void editableGroupEdited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createTopLevel();
  void createMonitoringGroup();
  void createEditableGroup();
  void createDeviceGroup();
  void arrangeWindow();
  void setEditableTabOrder();
  void watchValidatedEdits();
  void watchEditableGroupEdits();
  bool isValidatedEdit(const QObject* object) const;
};

// The captions of both settings groups and the lists of ComboBox1 (entry 0 selected) and
// ComboBox2 (entry 1 selected) as the window starts, in the given language.
void applyStartCaptions(Form1& form, bool useEnglish);

// The values of the editable group as the window starts: the numeric boxes' start texts, an
// empty tag, the first filter time, both alarm check boxes clear. Lists other than ComboBox3 are
// filled and selected by applyStartCaptions.
void applyStartValues(Form1& form);

// Button captions hold "\r" as a line break, as the program's texts do; the button shows it
// as two lines.
void setCaption(QAbstractButton* button, const QString& caption);
QString caption(const QAbstractButton* button);

}  // namespace tadjust
