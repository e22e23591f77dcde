#include "ui/form1.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <array>

#include "ui/box_text.h"
#include "ui/control_widths.h"
#include "ui/status_line.h"
#include "ui/window_texts.h"

namespace tadjust {

namespace {

// Sizes of the window as designed; Qt scales them with the screen's pixel density.
constexpr QSize kWindowSize{862, 491};
constexpr QSize kMonitoringGroupSize{337, 81};
constexpr QSize kEditableGroupSize{335, 346};
constexpr QSize kDeviceGroupSize{352, 405};
constexpr int kButtonColumnWidth = 124;
constexpr QSize kButtonSize{109, 50};
constexpr QSize kCopyButtonSize{109, 51};
constexpr int kRowPitch = 30;
constexpr int kModelLabelPixelSize = 17;

constexpr int kProgressBarMaximum = 110;  // ticks of a pending read or write, times ten
constexpr int kPortListVisibleItems = 16;

// Controls that take turns in one place (a list and its edit-box alternate, a unit label and
// its check box) and rows that are shown or hidden per model must not move the rest of the
// window around, as fixed positions would not.
void keepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

template <class Widget>
Widget* makeControl(QWidget* parent, const char* name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(name));
  keepPlaceWhenHidden(widget);
  return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* text = "") {
  auto* widget = makeControl<QLabel>(parent, name);
  widget->setText(QString::fromUtf8(text));
  return widget;
}

QLineEdit* edit(QWidget* parent, const char* name, const char* text, int width) {
  auto* widget = makeControl<QLineEdit>(parent, name);
  setBoxText(widget, QString::fromUtf8(text));
  widget->setFixedWidth(width);
  return widget;
}

// The device group shows what was read: its boxes are read-only and skipped by the tab key.
QLineEdit* displayEdit(QWidget* parent, const char* name, int width) {
  auto* widget = edit(parent, name, "", width);
  widget->setReadOnly(true);
  widget->setFocusPolicy(Qt::NoFocus);
  return widget;
}

QComboBox* list(QWidget* parent, const char* name, std::initializer_list<const char*> items,
                int selected, int width) {
  auto* widget = makeControl<QComboBox>(parent, name);
  for (const char* item : items) widget->addItem(QString::fromUtf8(item));
  widget->setCurrentIndex(selected);
  widget->setFixedWidth(width);
  return widget;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* text = "") {
  auto* widget = makeControl<QCheckBox>(parent, name);
  widget->setText(QString::fromUtf8(text));
  return widget;
}

QPushButton* actionButton(QWidget* parent, const char* name, const char* text, QSize size) {
  auto* widget = makeControl<QPushButton>(parent, name);
  setCaption(widget, QString::fromUtf8(text));
  widget->setFixedSize(size);
  return widget;
}

// The rows of a settings group: caption, field and unit columns, about 30 pixels apart. A
// field wider than the edit boxes spans the unit column when its row has no unit there.
class GroupRows {
 public:
  explicit GroupRows(QGroupBox* group) : grid_(new QGridLayout(group)) {
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(0);
    grid_->setColumnMinimumWidth(1, kEditWidth);
    grid_->setColumnStretch(3, 1);
  }

  void caption(int row, QLabel* caption, QWidget* field) {
    caption->setBuddy(field);
    grid_->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid_->setRowMinimumHeight(row, kRowPitch);
  }
  void field(int row, QWidget* field) {
    const int columns = field->minimumWidth() > kEditWidth ? 2 : 1;
    grid_->addWidget(field, row, 1, 1, columns, Qt::AlignLeft | Qt::AlignVCenter);
  }
  void unit(int row, QWidget* unit) {
    grid_->addWidget(unit, row, 2, Qt::AlignLeft | Qt::AlignVCenter);
  }
  // Right-aligned across the field, unit and free columns of the row.
  void beside(int row, QWidget* widget) {
    grid_->addWidget(widget, row, 1, 1, 3, Qt::AlignRight | Qt::AlignVCenter);
  }
  template <std::size_t Count>
  void place(const std::array<FormRow, Count>& rows) {
    for (int i = 0; i < int(Count); ++i) {
      const FormRow& row = rows[std::size_t(i)];
      caption(i, row.caption, row.input);
      field(i, row.input);
      if (row.alternateInput) field(i, row.alternateInput);
      if (row.unit) unit(i, row.unit);
      if (row.alternateUnit) unit(i, row.alternateUnit);
    }
    grid_->setRowStretch(int(Count), 1);
    rowsPlaced_ = int(Count);
  }
  // Below the rows and the space that stretches, across the whole group.
  void foot(QWidget* widget) {
    grid_->addWidget(widget, rowsPlaced_ + 1, 0, 1, grid_->columnCount());
  }

 private:
  QGridLayout* grid_;
  int rowsPlaced_ = 0;
};

// The texts of the editable group's numeric boxes as the window starts.
struct StartText {
  QLineEdit* Form1::*box;
  QString text;
};

const std::array<StartText, 8> kEditableStartTexts{{
    {&Form1::Edit1, QStringLiteral("-100")},
    {&Form1::Edit2, QStringLiteral("800")},
    {&Form1::Edit19, QStringLiteral("Edit19")},
    {&Form1::Edit3, QStringLiteral("0")},
    {&Form1::Edit4, QStringLiteral("0")},
    {&Form1::Edit20, QStringLiteral("Edit20")},
    {&Form1::Edit21, QStringLiteral("Edit21")},
    {&Form1::Edit22, QStringLiteral("Edit22")},
}};

}  // namespace

void setCaption(QAbstractButton* button, const QString& caption) {
  button->setText(QString(caption).replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

QString caption(const QAbstractButton* button) {
  return button->text().replace(QLatin1Char('\n'), QLatin1Char('\r'));
}

namespace {

struct LabelCaption {
  QLabel* Form1::*control;
  const BilingualText& text;
};

// The caption labels of both settings groups as the window starts.
const LabelCaption kStartLabelCaptions[] = {
    {&Form1::Label1, window_texts::SensorTypeCaption},
    {&Form1::Label20, window_texts::SensorTypeCaption},
    {&Form1::Label2, window_texts::LowerRangeCaption},
    {&Form1::Label21, window_texts::LowerRangeCaption},
    {&Form1::Label4, window_texts::UpperRangeCaption},
    {&Form1::Label22, window_texts::UpperRangeCaption},
    {&Form1::Label3, window_texts::StartConnectionCaption},
    {&Form1::Label23, window_texts::StartConnectionCaption},
    {&Form1::Label5, window_texts::StartWireResistanceCaption},
    {&Form1::Label24, window_texts::StartWireResistanceCaption},
    {&Form1::Label9, window_texts::TemperatureOffsetCaption},
    {&Form1::Label25, window_texts::TemperatureOffsetCaption},
    {&Form1::Label11, window_texts::FilterTimeCaption},
    {&Form1::Label26, window_texts::FilterTimeCaption},
    {&Form1::Label13, window_texts::OutputSignalCaption},
    {&Form1::Label27, window_texts::OutputSignalCaption},
    {&Form1::Label15, window_texts::FailureIndicationCaption},
    {&Form1::Label28, window_texts::FailureIndicationCaption},
    {&Form1::Label17, window_texts::TagCaption},
    {&Form1::Label29, window_texts::TagCaption},
    {&Form1::Label18, window_texts::ProductCodeCaption},
    {&Form1::Label19, window_texts::SerialNumberCaption},
};

}  // namespace

void applyStartCaptions(Form1& form, bool useEnglish) {
  form.GroupBox1->setTitle(window_texts::EditableGroupTitle.in(useEnglish));
  form.GroupBox2->setTitle(window_texts::DeviceGroupTitle.in(useEnglish));
  for (const LabelCaption& label : kStartLabelCaptions)
    (form.*label.control)->setText(label.text.in(useEnglish));

  form.ComboBox1->clear();
  for (const auto& item : window_texts::SensorTypes) form.ComboBox1->addItem(item.in(useEnglish));
  form.ComboBox1->setCurrentIndex(window_texts::StartSensorType);

  form.ComboBox2->clear();
  for (const auto& item : window_texts::Connections) form.ComboBox2->addItem(item.in(useEnglish));
  form.ComboBox2->setCurrentIndex(window_texts::StartConnection);

  form.EditNotice->setAccessibleDescription(window_texts::EditNoticeDescription.in(useEnglish));
}

void applyStartValues(Form1& form) {
  for (const StartText& start : kEditableStartTexts) setBoxText(form.*start.box, start.text);
  setBoxTextWhole(form.Edit5, QString(), kTagTypingLimit);
  form.ComboBox3->setCurrentIndex(0);
  form.CheckBox3->setChecked(false);
  form.CheckBox4->setChecked(false);
}

Form1::Form1(QWidget* parent) : QWidget(parent), mainMenu(this) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(window_texts::WindowCaption));
  setWindowFlag(Qt::WindowStaysOnTopHint);

  createTopLevel();
  createMonitoringGroup();
  createEditableGroup();
  createDeviceGroup();
  applyStartCaptions(*this, false);
  applyStartValues(*this);
  arrangeWindow();
  setEditableTabOrder();
  watchValidatedEdits();
  watchEditableGroupEdits();
  // The menu bar comes on top of the window as designed.
  resize(kWindowSize + QSize(0, mainMenu.bar->sizeHint().height()));
}

void Form1::createTopLevel() {
  Label37 = label(this, "Label37", "T-adjust");
  Label38 = label(this, "Label38", "Transmitter configuration");
  QFont bannerFont = Label37->font();
  bannerFont.setBold(true);
  Label37->setFont(bannerFont);
  Label40 = label(this, "Label40");
  Label41 = makeControl<StatusLine>(this, "Label41");
  Label40->setAlignment(Qt::AlignCenter);
  Label41->setAlignment(Qt::AlignCenter);
  Label40->setWordWrap(true);
  Label41->setWordWrap(true);

  BitBtn1 = actionButton(this, "BitBtn1", "Start", kButtonSize);

  Edit18 = edit(this, "Edit18", "", kButtonColumnWidth);
  Edit18->setReadOnly(true);
  Edit18->hide();

  ComboBox6 = makeControl<QComboBox>(this, "ComboBox6");
  ComboBox6->setMaxVisibleItems(kPortListVisibleItems);
  ComboBox6->setFixedWidth(kButtonColumnWidth);
  ComboBox6->hide();

  ProgressBar1 = makeControl<QProgressBar>(this, "ProgressBar1");
  ProgressBar1->setRange(0, kProgressBarMaximum);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setFixedWidth(kButtonColumnWidth);
  ProgressBar1->hide();

  BitBtn3 = actionButton(this, "BitBtn3", "Przepisz", kCopyButtonSize);
  BitBtn3->hide();
  BitBtn4 = actionButton(this, "BitBtn4", "Wyślij", kButtonSize);
  BitBtn4->hide();
  ReadAgainButton = actionButton(this, "ReadAgainButton", "", kButtonSize);
  ReadAgainButton->hide();

  GroupBox1 = makeControl<QGroupBox>(this, "GroupBox1");
  GroupBox1->setMinimumSize(kEditableGroupSize);
  GroupBox1->hide();
  GroupBox2 = makeControl<QGroupBox>(this, "GroupBox2");
  GroupBox2->setMinimumSize(kDeviceGroupSize);
  GroupBox2->hide();
  GroupBox3 = makeControl<QGroupBox>(this, "GroupBox3");
  GroupBox3->setTitle(QStringLiteral("Monitoring"));
  GroupBox3->setMinimumSize(kMonitoringGroupSize);
  GroupBox3->hide();

  // Every exchange is driven by its ticks; the program starts it once the window is shown.
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(std::chrono::milliseconds{1000});
}

void Form1::createMonitoringGroup() {
  QWidget* g = GroupBox3;
  CheckBox5 = checkBox(g, "CheckBox5", "Włącz");
  Label42 = label(g, "Label42", "Wilgotność:");
  Edit23 = edit(g, "Edit23", "Edit23", kEditWidth);
  Label46 = label(g, "Label46", "[%RH]");
  Label45 = label(g, "Label45", "Temperatura:");
  Edit24 = edit(g, "Edit24", "Edit24", kEditWidth);
  Label47 = label(g, "Label47", "[°C]");
  Label42->setBuddy(Edit23);
  Label45->setBuddy(Edit24);

  auto* grid = new QGridLayout(GroupBox3);
  grid->setVerticalSpacing(2);
  grid->addWidget(CheckBox5, 0, 0, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(Label42, 0, 1);
  grid->addWidget(Edit23, 0, 2);
  grid->addWidget(Label46, 0, 3);
  grid->addWidget(Label45, 1, 1);
  grid->addWidget(Edit24, 1, 2);
  grid->addWidget(Label47, 1, 3);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(4, 1);
}

void Form1::createEditableGroup() {
  QWidget* g = GroupBox1;
  Label1 = label(g, "Label1");
  ComboBox1 = list(g, "ComboBox1", {}, -1, kWideListWidth);

  Label2 = label(g, "Label2");
  Edit1 = edit(g, "Edit1", "", kEditWidth);
  Label6 = label(g, "Label6", "[°C]");

  Label4 = label(g, "Label4");
  Edit2 = edit(g, "Edit2", "", kEditWidth);
  Label7 = label(g, "Label7", "[°C]");

  Label3 = label(g, "Label3");
  ComboBox2 = list(g, "ComboBox2", {}, -1, kWideListWidth);
  Edit19 = edit(g, "Edit19", "", kEditWidth);
  Edit19->hide();
  Label43 = label(g, "Label43", "Label43");
  Label43->hide();

  Label5 = label(g, "Label5");
  Edit3 = edit(g, "Edit3", "", kEditWidth);
  Label8 = label(g, "Label8", "[Ohm]");
  CheckBox3 = checkBox(g, "CheckBox3");
  CheckBox3->hide();

  Label9 = label(g, "Label9");
  Edit4 = edit(g, "Edit4", "", kEditWidth);
  Label10 = label(g, "Label10", "[°C]");
  CheckBox4 = checkBox(g, "CheckBox4");
  CheckBox4->hide();

  Label11 = label(g, "Label11");
  ComboBox3 = list(g, "ComboBox3", {"0,2", "1", "2", "4", "8", "16", "32"}, 0, kNarrowListWidth);
  Edit20 = edit(g, "Edit20", "", kEditWidth);
  Edit20->hide();
  Label12 = label(g, "Label12", "[s]");

  Label13 = label(g, "Label13");
  ComboBox4 = list(g, "ComboBox4", {"4 .. 20", "20 .. 4"}, 0, kNarrowListWidth);
  Edit21 = edit(g, "Edit21", "", kEditWidth);
  Edit21->hide();
  Label14 = label(g, "Label14", "[mA]");

  Label15 = label(g, "Label15");
  ComboBox5 = list(g, "ComboBox5", {"3,5", "23"}, 0, kNarrowListWidth);
  Edit22 = edit(g, "Edit22", "", kEditWidth);
  Edit22->hide();
  Label16 = label(g, "Label16", "[mA]");

  Label17 = label(g, "Label17");
  Edit5 = edit(g, "Edit5", "", kWideEditWidth);
  Edit5->setMaxLength(kTagTypingLimit);

  EditNotice = label(g, "EditNotice");
  EditNotice->setWordWrap(true);

  GroupRows rows(GroupBox1);
  rows.place(editableRows());
  rows.foot(EditNotice);
}

void Form1::createDeviceGroup() {
  QWidget* g = GroupBox2;
  Label18 = label(g, "Label18");
  Edit6 = displayEdit(g, "Edit6", kShortEditWidth);
  Label39 = label(g, "Label39", "RKA-4");
  QFont modelFont = Label39->font();
  modelFont.setPixelSize(kModelLabelPixelSize);
  modelFont.setBold(true);
  Label39->setFont(modelFont);
  Label39->hide();

  Label19 = label(g, "Label19");
  Edit7 = displayEdit(g, "Edit7", kShortEditWidth);

  Label20 = label(g, "Label20");
  Edit8 = displayEdit(g, "Edit8", kWideEditWidth);

  Label21 = label(g, "Label21");
  Edit9 = displayEdit(g, "Edit9", kEditWidth);
  Label30 = label(g, "Label30", "[°C]");

  Label22 = label(g, "Label22");
  Edit10 = displayEdit(g, "Edit10", kEditWidth);
  Label31 = label(g, "Label31", "[°C]");

  Label23 = label(g, "Label23");
  Edit11 = displayEdit(g, "Edit11", kWideEditWidth);
  Label44 = label(g, "Label44", "Label44");
  Label44->hide();

  Label24 = label(g, "Label24");
  Edit12 = displayEdit(g, "Edit12", kEditWidth);
  Label32 = label(g, "Label32", "[Ohm]");
  CheckBox1 = checkBox(g, "CheckBox1");
  CheckBox1->setEnabled(false);
  CheckBox1->hide();

  Label25 = label(g, "Label25");
  Edit13 = displayEdit(g, "Edit13", kEditWidth);
  Label33 = label(g, "Label33", "[°C]");
  CheckBox2 = checkBox(g, "CheckBox2");
  CheckBox2->setEnabled(false);
  CheckBox2->hide();

  Label26 = label(g, "Label26");
  Edit14 = displayEdit(g, "Edit14", kEditWidth);
  Label34 = label(g, "Label34", "[s]");

  Label27 = label(g, "Label27");
  Edit15 = displayEdit(g, "Edit15", kEditWidth);
  Label35 = label(g, "Label35", "[mA]");

  Label28 = label(g, "Label28");
  Edit16 = displayEdit(g, "Edit16", kEditWidth);
  Label36 = label(g, "Label36", "[mA]");

  Label29 = label(g, "Label29");
  Edit17 = displayEdit(g, "Edit17", kWideEditWidth);

  GroupRows rows(GroupBox2);
  rows.place(deviceRows());
  // The model name stands at the right of the first row, over the room the short product code
  // leaves: a long name ("RQ-18x-RK/A") widens no column.
  rows.beside(0, Label39);
}

std::vector<QWidget*> FormRow::controls() const {
  std::vector<QWidget*> widgets;
  for (QWidget* widget : {static_cast<QWidget*>(caption), input, static_cast<QWidget*>(unit),
                          alternateInput, alternateUnit})
    if (widget) widgets.push_back(widget);
  return widgets;
}

std::array<FormRow, 10> Form1::editableRows() const {
  return {{
      {Label1, ComboBox1},
      {Label2, Edit1, Label6},
      {Label4, Edit2, Label7},
      {Label3, ComboBox2, nullptr, Edit19, Label43},
      {Label5, Edit3, Label8, nullptr, CheckBox3},
      {Label9, Edit4, Label10, nullptr, CheckBox4},
      {Label11, ComboBox3, Label12, Edit20},
      {Label13, ComboBox4, Label14, Edit21},
      {Label15, ComboBox5, Label16, Edit22},
      {Label17, Edit5},
  }};
}

std::array<FormRow, 12> Form1::deviceRows() const {
  return {{
      {Label18, Edit6},
      {Label19, Edit7},
      {Label20, Edit8},
      {Label21, Edit9, Label30},
      {Label22, Edit10, Label31},
      {Label23, Edit11, nullptr, nullptr, Label44},
      {Label24, Edit12, Label32, nullptr, CheckBox1},
      {Label25, Edit13, Label33, nullptr, CheckBox2},
      {Label26, Edit14, Label34},
      {Label27, Edit15, Label35},
      {Label28, Edit16, Label36},
      {Label29, Edit17},
  }};
}

std::string Form1::currentModel() const { return Label39->text().toStdString(); }

void Form1::setCurrentModel(std::string_view name) {
  Label39->setText(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

// Monitoring over the editable group on the left, the device group on the right, and between
// them the column of the exchange: the Start/Connect/Disconnect button (with the search's
// status line in its place while it is hidden), the port, the exchange's status line (over
// the never-shown port list), the countdown and the copy and send buttons. The banners sit
// at the top, over the column and the device group.
void Form1::arrangeWindow() {
  auto* column = new QGridLayout;
  column->setContentsMargins(0, 0, 0, 0);
  column->setVerticalSpacing(12);
  column->setColumnMinimumWidth(0, kButtonColumnWidth);
  const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
  column->addWidget(BitBtn1, 0, 0, centred);
  column->addWidget(Label40, 0, 0);
  column->addWidget(Edit18, 1, 0, centred);
  column->addWidget(ComboBox6, 2, 0, centred);
  column->addWidget(Label41, 2, 0);
  column->addWidget(ProgressBar1, 3, 0, centred);
  column->setRowStretch(4, 1);
  column->addWidget(BitBtn3, 5, 0, centred);
  column->addWidget(BitBtn4, 6, 0, centred);
  column->addWidget(ReadAgainButton, 7, 0, centred);
  column->setRowMinimumHeight(2, 2 * kRowPitch);

  auto* banners = new QHBoxLayout;
  banners->addWidget(Label37);
  banners->addStretch(1);
  banners->addWidget(Label38);

  auto* exchange = new QHBoxLayout;
  exchange->addLayout(column);
  exchange->addWidget(GroupBox2);

  auto* right = new QVBoxLayout;
  right->addLayout(banners);
  right->addLayout(exchange, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(GroupBox3);
  left->addWidget(GroupBox1, 1);

  auto* window = new QHBoxLayout(this);
  window->setContentsMargins(8, 8, 8, 8);
  window->addLayout(left);
  window->addLayout(right, 1);
  window->setMenuBar(mainMenu.bar);
}

void Form1::setEditableTabOrder() {
  const std::array<QWidget*, 16> order{
      ComboBox1, Edit1, Edit2,     ComboBox2, Edit3,  Edit4,  ComboBox3, ComboBox4,
      ComboBox5, Edit5, CheckBox3, CheckBox4, Edit19, Edit20, Edit21,    Edit22};
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form1::watchValidatedEdits() {
  for (QLineEdit* validated : {Edit1, Edit2, Edit3, Edit4, Edit19, Edit20, Edit21, Edit22})
    validated->installEventFilter(this);
}

void Form1::watchEditableGroupEdits() {
  for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit19, Edit20, Edit21, Edit22})
    connect(box, &QLineEdit::textEdited, this, &Form1::editableGroupEdited);
  for (QComboBox* list : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5})
    connect(list, &QComboBox::activated, this, &Form1::editableGroupEdited);
  for (QCheckBox* box : {CheckBox3, CheckBox4})
    connect(box, &QCheckBox::clicked, this, &Form1::editableGroupEdited);
}

bool Form1::isValidatedEdit(const QObject* object) const {
  for (const QLineEdit* validated : {Edit1, Edit2, Edit3, Edit4, Edit19, Edit20, Edit21, Edit22})
    if (object == validated) return true;
  return false;
}

// A validated box is checked when the user clicks into it and when the focus moves on to
// another control. The focus also leaves the box when a message box or a menu opens, or when
// another program is activated; the user has not left the box then, so it is not checked.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (isValidatedEdit(watched)) {
    bool leftOrClicked = false;
    if (event->type() == QEvent::MouseButtonPress) {
      leftOrClicked = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      leftOrClicked = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    }
    if (leftOrClicked) emit editChange(static_cast<QLineEdit*>(watched));
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tadjust
