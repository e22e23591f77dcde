#include "app/application.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "app/exchange_texts.h"
#include "app/file_command_texts.h"
#include "app/history_news.h"
#include "app/record_contents.h"
#include "app/start_up.h"
#include "edit/limit_tips.h"
#include "ui/new_choice.h"

namespace tadjust {

namespace {

// Asks before the window takes a close: hold() true keeps it open for now.
class CloseGuard final : public QObject {
 public:
  explicit CloseGuard(std::function<bool()> hold) : hold_(std::move(hold)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && hold_()) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool()> hold_;
};

constexpr BilingualText kStartValuesAfterAnotherModel{
    "Another model was read: the editable settings hold start values.",
    "Odczytano inny model: ustawienia edytowane mają wartości początkowe."};

}  // namespace

Application::Application(Platform platform)
    : platform_(platform),
      exchange_(platform.port, platform.pause, platform.pacing),
      portMemory_(platform.programDirectory),
      discovery_(form_, exchange_, platform.boxes, platform.events, platform.portMap, portMemory_),
      history_(platform.historyFolder),
      originQuestion_(form_, platform.boxes, {images_, view_, editOrigin_}),
      writer_(
          form_, {exchange_, platform.boxes, platform.events, history_}, controller_, images_,
          view_, [this] { return editedSettings_.encodeForWrite(); },
          [this](ConstBytes block) { return originQuestion_.confirm(block); }),
      commissioning_(
          form_, platform.boxes, platform.dialogs,
          {images_, view_, controller_, writer_, copy_, settingsEntry_, history_,
           [this] { return gatherRecord(); },
           [this](const EditOrigin& origin) { editOrigin_ = origin; },
           [this](const QString& text, const QString& details) { showEditNotice(text, details); }}),
      controller_(form_, exchange_, platform.boxes, platform.events,
                  {discovery_, images_, view_, decoder_}, commissioning_),
      monitoring_(form_, exchange_, platform.events),
      copy_(form_, edit_, copyRecord_, platform.events,
            {images_, view_, decoder_, [this] { return controller_.state().linkNumber; },
             [this](const DeviceIdentity& device) { originIsTheCopy(device); }}),
      validation_(form_, edit_, view_, platform.boxes),
      sensorTypeEditing_(form_, edit_, view_, validation_),
      editedSettings_(
          form_, edit_, validation_,
          {images_, view_, copyRecord_, [this] { return controller_.state().linkNumber; }}),
      recordCommands_(form_, platform.boxes, platform.dialogs, [this] { return gatherRecord(); }),
      settingsEntry_(form_, sensorTypeEditing_, validation_),
      settingsFileCommands_(
          form_, platform.boxes, platform.dialogs,
          {images_, view_, copy_, settingsEntry_,
           [this](const QString& text, const QString& details) { showEditNotice(text, details); },
           [this](const EditOrigin& origin) { editOrigin_ = origin; }}),
      menuCommands_(controller_.state()) {
  controller_.setPollMonitoring([this] { monitoring_.PollMonitoring(); });
  controller_.setEditableGroupRestarted([this] { editableGroupRestarted(); });
  controller_.setStateChanged([this] { menuCommands_.refresh(); });
  history_.setAnchorStored(
      [this](const HistoryAnchor& anchor) { commissioning_.anchorStored(anchor); });
  settingsFileCommands_.setFileSaved([this](const QString& name) {
    controller_.keepStatus(file_command_texts::SettingsSaved.in(form_.UseEnglish).arg(name));
  });
  exchange_.setConnectionLostHandler([this] { controller_.ConnectionLost(); });
  history_.setNewsArrived([this] { showHistoryNews(); });
  connectEvents();
  connectMenu();
}

// The port may outlive the program's window (tests keep it): it must not call into it then.
// The history is emptied while the commands it reports to are still here (a verified row's
// anchor reaches its job), and then tells nobody: it ends after them.
Application::~Application() {
  exchange_.setConnectionLostHandler({});
  history_.flush();
  history_.setAnchorStored({});
  history_.setNewsArrived({});
}

bool Application::exchangeUnderWay() const {
  return controller_.state().exchangeUnderWay || discovery_.searching();
}

// The window's close button, Quit and Ctrl+Q all close the window. During a write the block is
// sent whole first (a device with half a block holds neither the old settings nor the new):
// Label41 says so and the window closes once the last byte has left. A read is simply left.
bool Application::holdCloseForTheWrite() {
  if (closingAfterWrite_ || !writer_.sendingBlock()) return false;
  closingAfterWrite_ = true;
  form_.Label41->setText(exchange_texts::FinishingWriteBeforeClosing.in(form_.UseEnglish));
  form_.Label41->show();
  writer_.whenBlockSent([this] { form_.close(); });
  return true;
}

void Application::showLimits() { showLimitTips(form_, edit_, view_); }

void Application::editableGroupRestarted() {
  edit_ = EditState{};
  copyRecord_ = CopyRecord{};
  editOrigin_ = EditOrigin{};
  commissioning_.groupTakenElsewhere();
  showLimits();
  // Nothing of the earlier model is left in the group: a Send would write start values.
  if (modelReadBefore_) {
    showEditNotice(kStartValuesAfterAnotherModel.in(form_.UseEnglish), {});
  }
  modelReadBefore_ = true;
}

void Application::originIsTheCopy(const DeviceIdentity& device) {
  editOrigin_ = EditOrigin{};
  editOrigin_.kind = EditOrigin::Kind::DeviceCopy;
  editOrigin_.productCode = device.productCode;
  editOrigin_.serialNumber = device.serialNumber;
}

// A button press or the user's next change ends what EditNotice says; the user's first change
// also ends the news of a verified write, which no longer describes the group.
void Application::connectEvents() {
  QObject::connect(form_.Timer1, &QTimer::timeout, [this] { controller_.Timer1Timer(); });
  QObject::connect(form_.BitBtn1, &QPushButton::clicked, [this] {
    if (exchangeUnderWay()) return;
    form_.EditNotice->clear();
    controller_.BitBtn1Click();
  });
  QObject::connect(form_.BitBtn3, &QPushButton::clicked, [this] {
    if (exchangeUnderWay()) return;
    form_.EditNotice->clear();
    controller_.forgetKeptStatus();
    copy_.BitBtn3Click();
    commissioning_.groupTakenElsewhere();
    showLimits();
  });
  QObject::connect(form_.BitBtn4, &QPushButton::clicked, [this] {
    if (exchangeUnderWay()) return;
    form_.EditNotice->clear();
    writer_.BitBtn4Click();
  });
  QObject::connect(form_.ReadAgainButton, &QPushButton::clicked, [this] {
    if (exchangeUnderWay()) return;
    form_.EditNotice->clear();
    controller_.ReadAgainClick();
  });
  QObject::connect(&form_, &Form1::editableGroupEdited, [this] {
    form_.EditNotice->clear();
    controller_.forgetStatusKeptUntilEdit();
  });
  // After the edit's ending of EditNotice: what the tag's edit changed is said anew.
  QObject::connect(form_.Edit5, &QLineEdit::textEdited, [this] { validation_.tagEdited(); });
  onNewChoice(form_.ComboBox1, [this] {
    sensorTypeEditing_.ComboBox1Change();
    showLimits();
  });
  onNewChoice(form_.ComboBox2, [this] {
    sensorTypeEditing_.ComboBox2Change();
    showLimits();
  });
  QObject::connect(&form_, &Form1::editChange, [this](QLineEdit* edit) {
    validation_.editChange(edit);
    showLimits();
  });
  closeGuard_ = std::make_unique<CloseGuard>([this] { return holdCloseForTheWrite(); });
  form_.installEventFilter(closeGuard_.get());
}

void Application::connectMenu() {
  const MainMenu& menu = form_.mainMenu;
  menuCommands_.connect(menu.saveDeviceSettings, MenuNeeds::DeviceRead,
                        [this] { settingsFileCommands_.saveDeviceSettings(); });
  // A cancelled dialog or a refused file leaves the group as it was: the status kept and the
  // commissioning row entered into it stay.
  menuCommands_.connect(menu.openSettingsFile, MenuNeeds::LinkedReadDevice, [this] {
    if (!settingsFileCommands_.openSettingsFile()) return;
    controller_.forgetKeptStatus();
    commissioning_.groupTakenElsewhere();
  });
  menuCommands_.connect(menu.compareWithFile, MenuNeeds::DeviceRead,
                        [this] { settingsFileCommands_.compareWithFile(); });
  menuCommands_.connect(menu.compareWithGroup, MenuNeeds::DeviceRead,
                        [this] { settingsFileCommands_.compareWithGroup(); });
  menuCommands_.connect(menu.exportRecordPdf, MenuNeeds::DeviceRead,
                        [this] { recordCommands_.exportPdf(); });
  menuCommands_.connect(menu.printRecord, MenuNeeds::DeviceRead,
                        [this] { recordCommands_.print(); });
  menuCommands_.connect(menu.commissionFromList, MenuNeeds::Nothing,
                        [this] { commissioning_.openList(); });
  menuCommands_.connect(menu.writeHistory, MenuNeeds::Nothing, [this] { openWriteHistory(); });
  menuCommands_.connect(menu.quit, MenuNeeds::Nothing, [this] { form_.close(); });
}

DeviceRecord Application::gatherRecord() const {
  return gatherDeviceRecord({form_, images_, view_, controller_.state(), writer_.state(),
                             editOrigin_, history_.lastWriteAnchor()},
                            QDateTime::currentDateTime());
}

void Application::showEditNotice(const QString& text, const QString& details) {
  form_.EditNotice->setText(text);
  form_.EditNotice->setToolTip(details);
}

// Label41 keeps the write's outcome; what became of the history goes to EditNotice, the status
// line at the foot of the editable group, after what it says already. The news comes whenever
// the history's thread has it: during the write, or later when a kept write is stored.
void Application::showHistoryNews() {
  QStringList lines = historyNewsLines(history_.takeNews(), history_.path(), form_.UseEnglish);
  if (lines.isEmpty()) return;
  const QString shown = form_.EditNotice->text();
  if (!shown.isEmpty()) {
    QStringList kept = shown.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
      if (!kept.contains(line)) kept << line;
    }
    lines = kept;
  }
  form_.EditNotice->setText(lines.join(QLatin1Char('\n')));
}

// A new window each time: it reads the file as it is now, in the language chosen.
HistoryWindow& Application::openWriteHistory() {
  historyWindow_ = std::make_unique<HistoryWindow>(history_.path(), form_.UseEnglish,
                                                   platform_.boxes, platform_.dialogs, &form_);
  historyWindow_->setWindowFlag(Qt::Window);
  historyWindow_->show();
  return *historyWindow_;
}

void Application::start() {
  FormCreate(form_, platform_.boxes, discovery_.RetrySearch);
  // Without Qt's translations installed the standard buttons stay English; nothing else changes.
  toolkitTranslation_.apply(form_.UseEnglish);
  // Rows left open by a program that ended during a write are completed now.
  history_.open();
  centreOnScreen();
  form_.show();
  form_.Timer1->start();
}

int Application::run() {
  start();
  return QApplication::exec();
}

void Application::centreOnScreen() {
  QRect frame = form_.frameGeometry();
  frame.moveCenter(form_.screen()->availableGeometry().center());
  form_.move(frame.topLeft());
}

}  // namespace tadjust
