#include "app/commissioning_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSaveFile>

#include "app/commissioning_texts.h"
#include "app/computer_user.h"
#include "app/file_command_texts.h"
#include "app/menu_commands.h"
#include "app/record_contents.h"
#include "commissioning/job_summary.h"
#include "edit/copy_record.h"
#include "edit/correction_texts.h"
#include "edit/group_fields.h"
#include "record/record_output.h"

namespace tadjust {

namespace {

// How long a verified row waits for its history entry to be stored.
constexpr std::chrono::milliseconds kAnchorWait{1000};

// Where a job's state is kept aside when a new job starts: "<name>.<yyyyMMdd-HHmmss>.old".
QString asidePath(const QString& path) {
  return path + QLatin1Char('.') +
         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
         QStringLiteral(".old");
}

// The rows an earlier job's state counts as done, whatever list it was of.
int rowsDoneIn(const QByteArray& state, qsizetype& rowCount) {
  const QJsonArray rows =
      QJsonDocument::fromJson(state).object().value(QStringLiteral("rows")).toArray();
  rowCount = rows.size();
  int done = 0;
  for (const QJsonValue row : rows)
    if (row.toObject().value(QStringLiteral("state")).toString() != QLatin1String("waiting"))
      ++done;
  return done;
}

}  // namespace

CommissioningCommands::CommissioningCommands(Form1& form, MessageBoxes& boxes, FileDialogs& dialogs,
                                             Sources sources)
    : form_(form), boxes_(boxes), dialogs_(dialogs), sources_(std::move(sources)) {}

CommissioningCommands::~CommissioningCommands() = default;

QString CommissioningCommands::text(const BilingualText& t) const { return t.in(form_.UseEnglish); }

// --- the list -------------------------------------------------------------------------------

std::optional<QByteArray> CommissioningCommands::readList(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const auto refuse = [&](const QString& message) {
    boxes_.ask(text(commissioning_texts::ListRefusedCaption), message, Buttons::Ok);
    return std::nullopt;
  };
  if (QFileInfo(path).size() > kLargestCommissioningList)
    return refuse(text(commissioning_texts::ListTooLarge).arg(name));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return refuse(text(commissioning_texts::ListUnreadable).arg(name, file.errorString()));
  QByteArray bytes = file.read(kLargestCommissioningList + 1);
  if (bytes.size() > kLargestCommissioningList)
    return refuse(text(commissioning_texts::ListTooLarge).arg(name));
  return bytes;
}

QString CommissioningCommands::faultText(const ListFault& fault) const {
  using K = ListFaultKind;
  QString place = fault.column > 0 ? text(commissioning_texts::FaultAtColumn)
                                         .arg(fault.line)
                                         .arg(columnLetter(fault.column), fault.header)
                                   : text(commissioning_texts::FaultAtLine).arg(fault.line);
  if (fault.line == 0) place.clear();
  const auto settingsFileFault = [&]() -> QString {
    namespace f = file_command_texts;
    const SettingsFileProblem& problem = fault.settingsFile;
    switch (problem.kind) {
      case SettingsFileProblem::Kind::NotARegularFile:
        return text(commissioning_texts::NotARegularFile).arg(fault.detail);
      case SettingsFileProblem::Kind::TooLarge:
        return text(commissioning_texts::FileTooLarge).arg(fault.detail);
      case SettingsFileProblem::Kind::Unreadable:
        return text(commissioning_texts::FileUnreadable).arg(fault.detail, problem.systemReason);
      case SettingsFileProblem::Kind::Content:
        break;
    }
    // The settings file's own refusal, as "Open settings file…" words it.
    switch (problem.error.fault) {
      case SettingsFileFault::kNotJson:
        return text(f::NotJson).arg(fault.detail);
      case SettingsFileFault::kUnknownFormat:
        return text(f::UnknownFormat).arg(fault.detail);
      case SettingsFileFault::kNewerVersion:
        return text(f::NewerFormat).arg(fault.detail);
      case SettingsFileFault::kMissingField:
        return text(f::MissingField).arg(fault.detail, problem.error.key);
      case SettingsFileFault::kMalformedField:
        return text(f::MalformedField).arg(fault.detail, problem.error.key);
      case SettingsFileFault::kControlCharacter:
        return text(f::ControlCharacter).arg(fault.detail, problem.error.key);
      case SettingsFileFault::kUnknownModel:
        break;
    }
    return text(f::UnknownModel).arg(fault.detail);
  };
  QString what;
  switch (fault.kind) {
    case K::NotUtf8:
      what = text(commissioning_texts::NotUtf8);
      break;
    case K::NoHeader:
      what = text(commissioning_texts::NoHeader);
      break;
    case K::UnclosedQuote:
      what = text(commissioning_texts::UnclosedQuote);
      break;
    case K::UnknownColumn:
      what = text(commissioning_texts::UnknownColumn).arg(fault.detail);
      break;
    case K::RepeatedColumn:
      what = text(commissioning_texts::RepeatedColumn).arg(fault.detail);
      break;
    case K::NoTagColumn:
      what = text(commissioning_texts::NoTagColumn);
      break;
    case K::ExtraCells:
      what = text(commissioning_texts::ExtraCells).arg(fault.detail);
      break;
    case K::NoTag:
      what = text(commissioning_texts::NoTag);
      break;
    case K::RepeatedTag:
      what = text(commissioning_texts::RepeatedTag).arg(fault.detail);
      break;
    case K::NoRows:
      what = text(commissioning_texts::NoRows);
      break;
    case K::NoSettings:
      what = text(commissioning_texts::NoSettings);
      break;
    case K::MissingFile:
      what = text(commissioning_texts::MissingFile).arg(fault.detail);
      break;
    case K::BadSettingsFile:
      what = settingsFileFault();
      break;
    case K::BadValue:
      what = text(commissioning_texts::BadValue).arg(fault.detail);
      break;
    case K::NotOfModel:
      what = text(commissioning_texts::NotOfModel).arg(fault.detail);
      break;
    case K::UnknownModel:
      what = text(commissioning_texts::UnknownModel).arg(fault.detail);
      break;
    case K::OtherModel:
      what = text(commissioning_texts::OtherModel).arg(fault.detail);
      break;
    case K::TagNotStorable:
      what = text(commissioning_texts::TagNotStorable).arg(fault.detail);
      break;
    case K::ConflictsWithFile:
      what = text(commissioning_texts::ConflictsWithFile).arg(fault.detail);
      break;
  }
  return place + what;
}

void CommissioningCommands::openList() {
  const QString path =
      dialogs_.chooseFileToOpen({text(commissioning_texts::OpenListCaption), inDocumentsFolder(),
                                 text(commissioning_texts::ListFilter)});
  if (path.isEmpty()) return;
  const QString name = QFileInfo(path).fileName();
  const std::optional<QByteArray> bytes = readList(path);
  if (!bytes) return;
  CommissioningListReading reading = readCommissioningList(*bytes, QFileInfo(path).absoluteDir());
  if (const auto* faults = std::get_if<std::vector<ListFault>>(&reading)) {
    QStringList lines;
    for (const ListFault& fault : *faults) lines << faultText(fault);
    // The box shows the first faults; its details hold them all.
    constexpr qsizetype kShown = 12;
    QStringList shown = lines.mid(0, kShown);
    if (lines.size() > kShown) shown << QStringLiteral("…");
    boxes_.askWithDetails(text(commissioning_texts::ListRefusedCaption),
                          text(commissioning_texts::ListRefused)
                              .arg(name)
                              .arg(faults->size())
                              .arg(shown.join(QLatin1Char('\r'))),
                          Buttons::Ok, lines.join(QLatin1Char('\n')));
    return;
  }
  auto job = std::make_unique<CommissioningJob>(QFileInfo(path).absoluteFilePath(),
                                                std::get<CommissioningList>(std::move(reading)));
  if (!resumeOrStartAnew(*job)) return;
  if (window_) {
    window_->closed = nullptr;
    window_.release()->deleteLater();
  }
  job_ = std::move(job);
  entered_.reset();
  awaitingAnchor_.reset();
  notes_.assign(job_->rowCount(), QString());
  for (std::size_t i = 0; i < job_->rowCount(); ++i) {
    if (!job_->progress(i).failure.isEmpty()) notes_[i] = job_->progress(i).failure;
  }
  // The job's state is written before anything else: a folder that takes no file is said now,
  // not after the first device.
  if (!saveState()) {
    job_.reset();
    return;
  }
  showWindow();
  if (deviceReadNow()) {
    deviceRead();
  } else {
    say(text(commissioning_texts::PutADevice));
  }
}

bool CommissioningCommands::resumeOrStartAnew(CommissioningJob& job) {
  const QString statePath = jobFilesOf(job.listPath()).state;
  QFile file(statePath);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    boxes_.ask(text(commissioning_texts::JobCaption),
               text(commissioning_texts::ListUnreadable)
                   .arg(QFileInfo(statePath).fileName(), file.errorString()),
               Buttons::Ok);
    return false;
  }
  const QByteArray state = file.read(kLargestCommissioningList * 4);
  file.close();
  const CommissioningJob::Resume resumed = job.resumeFrom(state);
  if (resumed == CommissioningJob::Resume::Resumed) return true;

  const QString listName = QFileInfo(job.listPath()).fileName();
  const QString stateName = QFileInfo(statePath).fileName();
  const QString aside = asidePath(statePath);
  const QString asideName = QFileInfo(aside).fileName();
  QString question;
  if (resumed == CommissioningJob::Resume::ListChanged) {
    qsizetype rowCount = 0;
    const int done = rowsDoneIn(state, rowCount);
    question =
        text(commissioning_texts::ListChanged).arg(listName).arg(done).arg(rowCount).arg(asideName);
  } else {
    question = text(commissioning_texts::NotAJobState).arg(stateName, asideName);
  }
  if (boxes_.ask(text(commissioning_texts::JobCaption), question, Buttons::YesNo) != Answer::Yes)
    return false;
  QFile old(statePath);
  if (!old.rename(aside)) {
    boxes_.ask(text(commissioning_texts::JobCaption),
               text(commissioning_texts::StateNotSaved).arg(aside, old.errorString()), Buttons::Ok);
    return false;
  }
  return true;
}

bool CommissioningCommands::saveState() {
  if (const std::optional<QString> error = saveJobState(*job_)) {
    boxes_.ask(
        text(commissioning_texts::JobCaption),
        text(commissioning_texts::StateNotSaved).arg(jobFilesOf(job_->listPath()).state, *error),
        Buttons::Ok);
    return false;
  }
  return true;
}

// --- the window -----------------------------------------------------------------------------

void CommissioningCommands::showWindow() {
  window_ = std::make_unique<CommissioningWindow>(form_.UseEnglish, &form_);
  window_->enterRowClicked = [this] { enterSelectedRow(); };
  window_->skipRowClicked = [this] { skipSelectedRow(); };
  window_->summaryClicked = [this] { writeSummary(); };
  window_->closed = [this] { endJob(); };
  refreshWindow();
  window_->show();
}

// The job ends with its window: no read enters a row any more. Its state is on disk.
void CommissioningCommands::endJob() {
  job_.reset();
  awaitingAnchor_.reset();
  entered_.reset();
  // The window is inside its own close event: it goes once that is handled.
  if (window_) window_.release()->deleteLater();
}

void CommissioningCommands::refreshWindow() {
  if (window_ && job_) window_->showJob(*job_, notes_);
}

void CommissioningCommands::say(const QString& status) {
  if (window_) window_->setStatus(status);
}

// --- following the exchange ------------------------------------------------------------------

bool CommissioningCommands::readingBack() const {
  return static_cast<const ReplyObserver&>(sources_.writer).readingBack();
}

void CommissioningCommands::replyTaken() {
  const bool readBack = sources_.writer.state().VerifyPending;
  static_cast<ReplyObserver&>(sources_.writer).replyTaken();
  // "Repeat writing?" answered Yes has the read-back of the next write pending; a check read
  // that found the device written to has its block on the way.
  if (sources_.writer.state().VerifyPending || sources_.writer.sendingBlock()) return;
  if (readBack) {
    writeEnded();
  } else {
    deviceReadTaken();
  }
}

// The controller counts the handling of this reply as an exchange under way; nothing else is.
void CommissioningCommands::deviceReadTaken() {
  const ExchangeState& state = sources_.controller.state();
  if (state.DeviceLinked && !state.ReadPending && !state.connectionLost) enterRowForDevice();
}

void CommissioningCommands::readGivenUp() {
  const bool readBack = sources_.writer.state().VerifyPending;
  static_cast<ReplyObserver&>(sources_.writer).readGivenUp();
  if (readBack && !sources_.writer.state().VerifyPending) writeEnded();
}

void CommissioningCommands::groupTakenElsewhere() {
  if (!entered_) return;
  notes_[entered_->row].clear();
  entered_.reset();
  refreshWindow();
}

bool CommissioningCommands::deviceReadNow() const {
  return canAct(MenuNeeds::LinkedReadDevice, sources_.controller.state());
}

void CommissioningCommands::deviceRead() {
  if (deviceReadNow()) enterRowForDevice();
}

// A read of the device on the box: the next row is entered for it, unless the job has
// commissioned it already or the group holds its row already (a read again keeps what was typed).
void CommissioningCommands::enterRowForDevice() {
  if (!job_) return;
  const Layout layout = sources_.view.model.layout;
  const DeviceIdentity device = identifyDevice(sources_.images, layout, 0);
  if (const auto row = job_->rowOfDevice(device.productCode, device.serialNumber)) {
    const QString news = text(commissioning_texts::AlreadyCommissioned).arg(job_->rows()[*row].tag);
    groupTakenElsewhere();
    sources_.controller.keepStatus(news);
    say(news);
    return;
  }
  if (entered_ && entered_->productCode == device.productCode &&
      entered_->serialNumber == device.serialNumber)
    return;
  std::optional<std::size_t> row;
  if (window_) row = window_->selectedRow();
  if (!row || job_->progress(*row).state != RowState::Waiting) row = job_->nextWaiting();
  if (!row) {
    groupTakenElsewhere();
    say(text(commissioning_texts::AllRowsDone));
    return;
  }
  enterRow(*row);
}

void CommissioningCommands::enterSelectedRow() {
  if (!job_ || !window_) return;
  const auto row = window_->selectedRow();
  if (!row || job_->progress(*row).state != RowState::Waiting) return;
  if (!deviceReadNow()) {
    say(text(commissioning_texts::ConnectFirst));
    return;
  }
  const Layout layout = sources_.view.model.layout;
  const DeviceIdentity device = identifyDevice(sources_.images, layout, 0);
  if (const auto done = job_->rowOfDevice(device.productCode, device.serialNumber)) {
    say(text(commissioning_texts::AlreadyCommissioned).arg(job_->rows()[*done].tag));
    return;
  }
  enterRow(*row);
}

// As a settings file is opened onto the device: the copy for edition of this device, then the
// row's settings entered and validated, the corrections said in the row.
void CommissioningCommands::enterRow(std::size_t index) {
  const CommissioningRow& row = job_->rows()[index];
  const QString modelOnBox = QString::fromStdString(sources_.view.modelLabel);
  if (row.model != modelOnBox || row.productCode != sources_.images.ProductCode()) {
    groupTakenElsewhere();
    say(text(commissioning_texts::RowForOtherModel)
            .arg(row.line)
            .arg(row.tag, row.model, modelOnBox));
    return;
  }
  const Layout layout = sources_.view.model.layout;
  const DeviceIdentity device = identifyDevice(sources_.images, layout, 0);
  groupTakenElsewhere();
  sources_.copy.BitBtn3Click();
  const std::vector<EntryCorrection> corrections =
      sources_.entry.enter(row.settings, sources_.view.model);

  EditOrigin origin;
  origin.kind = EditOrigin::Kind::CommissioningRow;
  origin.productCode = device.productCode;
  origin.serialNumber = device.serialNumber;
  origin.fileName = job_->listPath();
  origin.sourceSerialNumber = row.sourceSerialNumber;
  origin.rowTag = row.tag;
  origin.rowLine = row.line;
  sources_.setOrigin(origin);
  entered_ = EnteredRow{index, device.productCode, device.serialNumber};

  // Said as a settings file's corrections are: the same lines, the first in the notice itself.
  QStringList corrected;
  for (const EntryCorrection& correction : corrections) {
    const auto* box = qobject_cast<const QLineEdit*>(controlOf(form_, layout, correction.field));
    corrected << correctionText(form_, layout, box, correction.entered, correction.shown);
  }
  QString note = text(commissioning_texts::EnteredNote).arg(device.serialNumber);
  if (!corrected.isEmpty())
    note += QStringLiteral("; ") +
            text(commissioning_texts::CorrectedNote).arg(corrected.join(QStringLiteral("; ")));
  notes_[index] = note;
  const QString news = text(commissioning_texts::RowEntered)
                           .arg(row.line)
                           .arg(row.tag, modelOnBox)
                           .arg(device.serialNumber);
  sources_.notice(corrected.isEmpty()
                      ? news
                      : news + QLatin1Char('\n') + firstOfCorrections(corrected, form_.UseEnglish),
                  corrected.join(QLatin1Char('\n')));
  if (window_) window_->clearSelection();
  refreshWindow();
  say(news);
}

void CommissioningCommands::skipSelectedRow() {
  if (!job_ || !window_) return;
  const auto row = window_->selectedRow();
  if (!row || job_->progress(*row).state == RowState::Verified) return;
  job_->toggleSkipped(*row);
  saveState();
  refreshWindow();
}

// The write of the group has ended: when it was the row entered, for the device it was entered
// for, the row takes the outcome.
void CommissioningCommands::writeEnded() {
  awaitingAnchor_.reset();
  if (!job_ || !entered_) return;
  // The history stores the write's completion on its own thread: its anchor (sequence and hash)
  // is known once stored, a few milliseconds from now. The row and its record wait that long
  // at most; a file held locked by another program leaves the row without them.
  sources_.history.flush(kAnchorWait);
  const WriteState& write = sources_.writer.state();
  if (write.writtenDevice.productCode != entered_->productCode ||
      write.writtenDevice.serialNumber != entered_->serialNumber)
    return;
  const WriteOutcome outcome =
      write.linkWrites ? write.linkWrites->outcome : WriteOutcome::NoReadBack;
  const std::size_t row = entered_->row;
  if (outcome == WriteOutcome::Verified) {
    rowVerified(row);
    return;
  }
  // The window's own words for what went wrong, as Label41 keeps them.
  const QString reason = form_.Label41->text().simplified();
  job_->setFailed(row, reason);
  notes_[row] = reason;
  saveState();
  refreshWindow();
  say(text(commissioning_texts::RowFailed).arg(job_->rows()[row].tag, reason));
}

void CommissioningCommands::rowVerified(std::size_t row) {
  const CommissioningRow& listRow = job_->rows()[row];
  RowProgress verified;
  verified.productCode = entered_->productCode;
  verified.serialNumber = entered_->serialNumber;
  verified.model = QString::fromStdString(sources_.view.modelLabel);
  verified.time = QDateTime::currentDateTime();
  // The history stores on a thread of its own: the anchor is mostly still to come.
  if (const std::optional<HistoryAnchor> anchor = sources_.history.lastWriteAnchor()) {
    verified.historySequence = anchor->sequence;
    verified.historyHash = anchor->hash;
  } else {
    awaitingAnchor_ = row;
  }
  job_->setVerified(row, verified);
  entered_.reset();
  notes_[row].clear();

  // The device record, without a dialog, into the job's folder.
  const QString folder = jobFilesOf(job_->listPath()).records;
  const QString fileName =
      QStringLiteral("%1-%2.pdf").arg(fileNameOfTag(listRow.tag)).arg(verified.serialNumber);
  const QString path = QDir(folder).filePath(fileName);
  RecordFileResult written{false, {}};
  if (QDir().mkpath(folder)) {
    written = writeRecordPdf(sources_.gatherRecord(), path);
  } else {
    written.error = QFile(folder).errorString();
  }
  if (!written.written) {
    notes_[row] = text(commissioning_texts::RecordNotSaved)
                      .arg(listRow.tag, path, written.error)
                      .simplified();
    boxes_.ask(text(commissioning_texts::JobCaption),
               text(commissioning_texts::RecordNotSaved).arg(listRow.tag, path, written.error),
               Buttons::Ok);
  }
  saveState();
  if (window_) window_->clearSelection();
  refreshWindow();
  say(text(commissioning_texts::RowVerified)
          .arg(listRow.tag, verified.model)
          .arg(verified.serialNumber)
          .arg(fileName));
}

void CommissioningCommands::anchorStored(const HistoryAnchor& anchor) {
  if (!job_ || !awaitingAnchor_) return;
  // Only the anchor of the last write handed to the history is the verified row's.
  const std::optional<HistoryAnchor> last = sources_.history.lastWriteAnchor();
  if (!last || last->sequence != anchor.sequence || last->hash != anchor.hash) return;
  job_->setHistoryAnchor(*awaitingAnchor_, anchor.sequence, anchor.hash);
  awaitingAnchor_.reset();
  saveState();
  refreshWindow();
}

// --- the summary -----------------------------------------------------------------------------

void CommissioningCommands::writeSummary() {
  if (!job_) return;
  const JobFiles files = jobFilesOf(job_->listPath());
  QDir().mkpath(files.records);
  const QString base = QFileInfo(job_->listPath()).completeBaseName();
  QString pdfPath = dialogs_.chooseFileToSave(
      {text(commissioning_texts::SummaryCaption),
       QDir(files.records).filePath(base + QStringLiteral("-summary.pdf")),
       text(file_command_texts::PdfFilter)});
  if (pdfPath.isEmpty()) return;
  if (QFileInfo(pdfPath).suffix().isEmpty()) pdfPath += QStringLiteral(".pdf");
  const QFileInfo pdfInfo(pdfPath);
  const QString csvPath =
      pdfInfo.dir().filePath(pdfInfo.completeBaseName() + QStringLiteral(".csv"));

  const QLocale locale(form_.UseEnglish ? QLocale::English : QLocale::Polish);
  SummaryTexts summary;
  summary.title = text(commissioning_texts::SummaryTitle);
  summary.lines = {
      text(commissioning_texts::SummaryList).arg(QDir::toNativeSeparators(job_->listPath())),
      text(commissioning_texts::SummaryMade)
          .arg(locale.toString(QDateTime::currentDateTime(), QLocale::ShortFormat),
               computerUserName()),
      text(commissioning_texts::SummaryProgress).arg(job_->rowsDone()).arg(job_->rowCount())};
  summary.headings = {
      text(commissioning_texts::TagHeading),    text(commissioning_texts::ModelHeading),
      text(commissioning_texts::SerialHeading), text(commissioning_texts::StateHeading),
      text(commissioning_texts::TimeHeading),   text(commissioning_texts::SequenceHeading),
      text(commissioning_texts::HashHeading)};
  summary.outcomeNames = {text(commissioning_texts::Waiting), text(commissioning_texts::Verified),
                          text(commissioning_texts::Skipped), text(commissioning_texts::Failed)};
  summary.locale = locale;

  const auto refuse = [&](const QString& path, const QString& error) {
    boxes_.ask(text(commissioning_texts::SummaryCaption),
               text(commissioning_texts::SummaryNotWritten).arg(path, error), Buttons::Ok);
  };
  const SummaryFileResult pdf = writeSummaryPdf(*job_, summary, pdfPath);
  if (!pdf.written) return refuse(pdfPath, pdf.error);
  QSaveFile csv(csvPath);
  if (!csv.open(QIODevice::WriteOnly) || csv.write(summaryCsv(*job_)) < 0 || !csv.commit())
    return refuse(csvPath, csv.errorString());
  say(text(commissioning_texts::SummaryWritten)
          .arg(pdfInfo.fileName(), QFileInfo(csvPath).fileName()));
}

}  // namespace tadjust
