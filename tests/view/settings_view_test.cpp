#include "view/settings_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QGridLayout>
#include <QStringList>
#include <string>
#include <vector>

#include "support/device_view_harness.h"
#include "support/widget_shown.h"
#include "ui/control_widths.h"

namespace tadjust {
namespace {

constexpr std::uint16_t kRka49Code = 7001;
constexpr std::uint16_t kRka59Code = 9002;
constexpr std::uint16_t kRkaw49Code = 7010;
constexpr std::uint16_t kRq117ACode = 7011;
constexpr std::uint16_t kRq17xVCode = 10020;
constexpr std::uint16_t kGwa43Code = 10013;
constexpr std::uint16_t kRkn40F3Code = 7016;
constexpr std::uint16_t kJyraCode = 15001;
constexpr std::uint16_t kArrACode = 15002;
constexpr std::uint16_t kArrVCode = 15003;
constexpr std::uint16_t kArr43Code = 15004;

using testing::shown;

QStringList entries(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

struct Window {
  explicit Window(bool english = true) : h(english) {}
  void layOut(std::uint16_t code, bool dewPoint = false) {
    layOutSettingsView(h.form, code, dewPoint, h.view, h.events);
  }
  Form1& f() { return h.form; }
  DeviceViewHarness h;
};

// Everything a layout may set, except edit texts (defaults and read values are data): label
// texts, group titles, which controls are shown, lists, enabling, drop-down counts and widths.
std::vector<std::string> viewSnapshot(Form1& form) {
  std::vector<std::string> lines;
  for (const QGroupBox* group : {form.GroupBox1, form.GroupBox2, form.GroupBox3}) {
    lines.push_back(group->objectName().toStdString() + " " + group->title().toStdString() +
                    (shown(group) ? "" : " hidden"));
    for (const QWidget* w : group->findChildren<QWidget*>()) {
      std::string line = w->objectName().toStdString();
      if (line.empty()) continue;  // the parts Qt builds inside a control
      if (const auto* label = qobject_cast<const QLabel*>(w)) {
        line += " '" + label->text().toStdString() + "'";
        if (label->buddy()) line += " names " + label->buddy()->objectName().toStdString();
      }
      if (const auto* list = qobject_cast<const QComboBox*>(w)) {
        line += " [" + entries(list).join('|').toStdString() + "] #" +
                std::to_string(list->currentIndex()) + " max " +
                std::to_string(list->maxVisibleItems());
      }
      line += " w" + std::to_string(w->minimumWidth()) + (shown(w) ? "" : " hidden") +
              (w->isEnabled() ? "" : " disabled");
      lines.push_back(line);
    }
  }
  return lines;
}

// Each layout first puts back the start state, so what a model shows does not depend on the
// models read before it.
TEST(SettingsView, LayoutDoesNotDependOnTheModelsBefore) {
  const std::uint16_t models[] = {kRka49Code, kRka59Code, kRq117ACode, kRkaw49Code, kGwa43Code,
                                  kJyraCode,  kArrACode,  kArrVCode,   kArr43Code,  kRkn40F3Code};
  for (const bool english : {true, false}) {
    for (const std::uint16_t model : models) {
      Window fresh(english);
      fresh.layOut(model, true);
      const auto expected = viewSnapshot(fresh.f());
      for (const std::uint16_t before : models) {
        if (before == model) continue;
        Window used(english);
        used.layOut(before, true);
        used.layOut(model, true);
        EXPECT_EQ(viewSnapshot(used.f()), expected)
            << before << " then " << model << (english ? " en" : " pl");
      }
    }
  }
}

TEST(SettingsView, RestoringTheStartStateMatchesTheStartUpTranslation) {
  for (const bool english : {true, false}) {
    Form1 startUp;
    startUp.UseEnglish = english;
    applyStartCaptions(startUp, english);
    Window used(english);
    used.layOut(kArrACode, true);
    restoreStartCaptions(used.f());
    // The model label stays the current model.
    used.f().Label39->setText(startUp.Label39->text());
    used.f().Label39->hide();
    EXPECT_EQ(viewSnapshot(used.f()), viewSnapshot(startUp)) << english;
  }
}

TEST(SettingsView, FixedSensorProbeThenAnOrdinaryModel) {
  Window w;
  w.layOut(kRq117ACode);
  EXPECT_EQ(w.f().Label39->text(), "RQ-117/A");
  EXPECT_EQ(w.f().Edit1->text(), "-50");
  EXPECT_EQ(w.f().Edit2->text(), "200");
  EXPECT_FALSE(w.f().ComboBox1->isEnabled());
  EXPECT_EQ(w.f().ComboBox1->currentIndex(), 0);

  w.layOut(kRka49Code);
  EXPECT_TRUE(w.f().ComboBox1->isEnabled());
  // Another model starts from the window's start values, not the probe's range.
  EXPECT_EQ(w.f().Edit1->text(), "-100");
  EXPECT_EQ(w.f().Edit2->text(), "800");

  w.layOut(kRq17xVCode);
  EXPECT_EQ(w.f().Edit1->text(), "-30");
  EXPECT_EQ(w.f().Edit2->text(), "70");
  w.layOut(kArrACode);
  EXPECT_TRUE(w.f().ComboBox1->isEnabled());
}

TEST(SettingsView, ConnectionListPerModelAndLanguage) {
  struct Case {
    std::uint16_t code;
    bool english;
    QStringList connections;
  };
  const Case cases[] = {
      {kRkaw49Code, true, {"2-wire"}},
      {kRkaw49Code, false, {"2-przewodowe"}},
      {kRka49Code, true, {"2-wire", "3-wire", "4-wire"}},
      {kRka59Code, false, {"2-przewodowe", "3-przewodowe", "4-przewodowe"}},
  };
  for (const Case& c : cases) {
    Window w(c.english);
    w.layOut(c.code);
    EXPECT_EQ(entries(w.f().ComboBox2), c.connections) << c.code;
    EXPECT_EQ(w.f().ComboBox2->currentIndex(), 0);
    EXPECT_EQ(w.f().ComboBox2->minimumWidth(), kWideListWidth);
    EXPECT_EQ(w.f().Edit11->minimumWidth(), 129);
  }
}

TEST(SettingsView, OutputListsAndUnitsOfCurrentAndVoltageModels) {
  Window w;
  w.layOut(kRka59Code);
  EXPECT_EQ(entries(w.f().ComboBox4), QStringList({"0 .. 10", "10 .. 0"}));
  EXPECT_EQ(entries(w.f().ComboBox5), QStringList({"0", "11,5"}));
  for (const QLabel* unit : {w.f().Label14, w.f().Label16, w.f().Label35, w.f().Label36}) {
    EXPECT_EQ(unit->text(), "[V]");
  }
  w.layOut(kRka49Code);
  EXPECT_EQ(entries(w.f().ComboBox4), QStringList({"4 .. 20", "20 .. 4"}));
  EXPECT_EQ(entries(w.f().ComboBox5), QStringList({"3,5", "23"}));
  EXPECT_EQ(w.f().Label36->text(), "[mA]");
}

TEST(SettingsView, SensorTypeListPerModelAndLanguage) {
  struct Case {
    std::uint16_t code;
    bool english;
    int count;
    QStringList first;
  };
  const Case cases[] = {
      {kRkn40F3Code,
       false,
       11,
       {"termorezystor Pt500", "5 * Ni100 szeregowo", "termopara B", "termopara R"}},
      {kRkn40F3Code, true, 11, {"Pt500 resistance", "5 * Ni100 in series", "B type thermocouple"}},
      {kRka49Code,
       false,
       11,
       {"termorezystor Pt100", "termorezystor Ni100", "termopara B", "termopara R"}},
      {kGwa43Code, true, 11, {"Pt100 resistance"}},
      {kJyraCode, true, 11, {"Pt100 resistance"}},
      {kArrACode, true, 2, {"Relative Humidity [%]", "Dew Point [°C]"}},
      {kArr43Code, false, 2, {"Wilg. względna [%]", "Punkt rosy [°C]"}},
  };
  for (const Case& c : cases) {
    Window w(c.english);
    w.layOut(c.code);
    const QStringList list = entries(w.f().ComboBox1);
    EXPECT_EQ(list.size(), c.count) << c.code;
    EXPECT_EQ(list.mid(0, c.first.size()), c.first) << c.code;
    EXPECT_EQ(w.f().ComboBox1->currentIndex(), 0);
  }
  Window english;
  english.layOut(kRka49Code);
  EXPECT_EQ(entries(english.f().ComboBox1).mid(9), QStringList({"voltage", "resistance"}));
}

TEST(SettingsView, IndicatorShowsAlarmBoxesAndHidesTransmitterRows) {
  for (const bool english : {true, false}) {
    Window w(english);
    w.layOut(kGwa43Code);
    Form1& f = w.f();
    EXPECT_EQ(f.Label39->text(), "GWA-43");
    for (const QWidget* c : {f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4}) {
      EXPECT_TRUE(shown(c)) << c->objectName().toStdString();
    }
    for (const QWidget* c : std::initializer_list<QWidget*>{
             f.Label1,  f.ComboBox1, f.Label20,   f.Edit8,   f.Label11, f.ComboBox3, f.Label26,
             f.Edit14,  f.Label13,   f.ComboBox4, f.Label27, f.Edit15,  f.Label15,   f.ComboBox5,
             f.Label28, f.Edit16,    f.Label30,   f.Label31, f.Label32, f.Label33}) {
      EXPECT_FALSE(shown(c)) << c->objectName().toStdString();
    }
    EXPECT_EQ(f.Label3->text(), english ? "Precision:" : "Cyfry po przecinku:");
    EXPECT_EQ(f.Label24->text(), english ? "Alarm low level:" : "Alarm dolny:");
    EXPECT_EQ(f.Label25->text(), english ? "Alarm high level:" : "Alarm górny:");
    EXPECT_EQ(entries(f.ComboBox2), QStringList({"0", "1", "2", "3"}));
    EXPECT_EQ(f.ComboBox2->maxVisibleItems(), 4);
    EXPECT_EQ(f.ComboBox2->minimumWidth(), 89);
    EXPECT_EQ(f.Edit11->minimumWidth(), 89);
  }
}

struct HumidityCase {
  std::uint16_t code;
  const char* name;
  QStringList defaults;              // Edit1, Edit2, Edit19, Edit3, Edit4, Edit20, Edit21, Edit22
  const char* outputUnit;            // "" when the rows keep their start units (hidden)
  const char* lowTempOutputCaption;  // Label9 in English
  const char* unitCaptionEditable;   // Label1 in English
  const char* unitCaptionDevice;     // Label20 in English
};

TEST(SettingsView, HumidityModelsCaptionsUnitsAndDefaults) {
  const HumidityCase cases[] = {
      {kJyraCode,
       "935-JYRA",
       {"-40", "120", "0", "100", "200", "4500", "200", "4500"},
       "[mV]",
       "Lower Voltage for T:",
       "Sensor type:",
       "Sensor type:"},
      {kArrACode,
       "ARR/A",
       {"-40", "120", "0", "100", "4000", "20000", "4000", "20000"},
       "[uA]",
       "Lower Current for T:",
       "Humidity Unit:",
       "Humidity unit:"},
      {kArrVCode,
       "ARR/V",
       {"-40", "120", "0", "100", "0", "10000", "0", "10000"},
       "[mV]",
       "Lower Voltage for T:",
       "Physical Units:",
       "Physical Units:"},
      {kArr43Code,
       "ARR-43",
       {"-40", "80", "0", "100", "4000", "20000", "4000", "20000"},
       "",
       "Temperature offset:",
       "Humidity Unit:",
       "Humidity unit:"},
  };
  for (const HumidityCase& c : cases) {
    Window w;
    w.f().Edit23->setText("55");
    w.layOut(c.code);
    Form1& f = w.f();
    EXPECT_EQ(f.Label39->text(), c.name);
    const QStringList defaults = {f.Edit1->text(),  f.Edit2->text(), f.Edit19->text(),
                                  f.Edit3->text(),  f.Edit4->text(), f.Edit20->text(),
                                  f.Edit21->text(), f.Edit22->text()};
    EXPECT_EQ(defaults, c.defaults) << c.name;
    EXPECT_EQ(f.Edit23->text(), "");
    EXPECT_EQ(f.Label2->text(), "Lower Temperature Value:");
    EXPECT_EQ(f.Label24->text(), "Upper Humidity Value:");
    EXPECT_EQ(f.Label9->text(), c.lowTempOutputCaption) << c.name;
    EXPECT_EQ(f.Label1->text(), c.unitCaptionEditable) << c.name;
    EXPECT_EQ(f.Label20->text(), c.unitCaptionDevice) << c.name;
    EXPECT_EQ(f.Label43->text(), "[%RH]");
    EXPECT_EQ(f.Label6->text(), "[°C]");
    const bool outputs = std::string(c.outputUnit) != "";
    for (const QLabel* unit :
         {f.Label10, f.Label12, f.Label14, f.Label16, f.Label33, f.Label34, f.Label35, f.Label36}) {
      if (outputs) {
        EXPECT_EQ(unit->text(), c.outputUnit) << c.name;
      }
    }
    for (const QWidget* row :
         std::initializer_list<QWidget*>{f.Label9, f.Edit4, f.Edit20, f.Edit21, f.Edit22, f.Label25,
                                         f.Edit13, f.Edit14, f.Edit15, f.Edit16, f.Label36}) {
      EXPECT_EQ(shown(row), outputs) << c.name << " " << row->objectName().toStdString();
    }
    EXPECT_TRUE(shown(f.GroupBox3) && shown(f.Edit19) && !shown(f.ComboBox2));
    EXPECT_EQ(f.Edit11->minimumWidth(), 89);
  }
  Window polish(false);
  polish.layOut(kArrACode);
  EXPECT_EQ(polish.f().Label1->text(), "Jednostka wilgotności:");
  EXPECT_EQ(polish.f().Label20->text(), "Jednostka wilgotności:");
  EXPECT_EQ(polish.f().Label11->text(), "Prąd górny dla T:");
  EXPECT_EQ(polish.f().Label21->text(), "Dół zakresu dla T:");
}

TEST(SettingsView, DewPointShowsOnTheDeviceSideOfModelsWithTheUnitChoice) {
  struct Case {
    std::uint16_t code;
    const char* deviceUnit;
    const char* monitoringUnit;
  };
  for (const Case c : {Case{kArrACode, "[°Cdp]", "[°Cdp]"}, Case{kArr43Code, "[°Cdp]", "[°Cdp]"},
                       Case{kArrVCode, "[%RH]", "[%RH]"}, Case{kJyraCode, "[%RH]", "[%RH]"}}) {
    Window w;
    w.layOut(c.code, true);
    EXPECT_EQ(w.f().Label44->text(), c.deviceUnit) << c.code;
    EXPECT_EQ(w.f().Label32->text(), c.deviceUnit) << c.code;
    EXPECT_EQ(w.f().Label46->text(), c.monitoringUnit) << c.code;
    EXPECT_EQ(w.f().Label8->text(), "[%RH]") << c.code;
  }
}

// A code that names no model is laid out as the model still named.
TEST(SettingsView, UnknownCodeKeepsTheLayoutOfTheModelNamed) {
  Window w;
  w.layOut(kRka49Code);
  const auto laidOut = viewSnapshot(w.f());
  w.f().ComboBox4->setCurrentIndex(1);
  w.f().ComboBox5->setCurrentIndex(1);
  w.f().ComboBox1->setCurrentIndex(5);
  const int processed = w.h.events.processed;
  w.layOut(0xFFFF);
  EXPECT_EQ(w.h.view.model.series, 65);
  EXPECT_EQ(w.f().Label39->text(), "RKA-49");
  EXPECT_EQ(viewSnapshot(w.f()), laidOut);  // lists back to entry 0, nothing else changed
  EXPECT_EQ(w.h.events.processed, processed + 1);

  Window start;
  start.layOut(15005);
  EXPECT_EQ(start.h.view.model.series, 15);
  EXPECT_EQ(start.f().Label39->text(), "RKA-4");
  EXPECT_TRUE(start.f().Label39->isHidden());
}

// The caption in the first column of the field's row of the group.
const QLabel* captionOfRow(const QWidget* field) {
  const auto* grid = static_cast<const QGridLayout*>(field->parentWidget()->layout());
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(grid->indexOf(field), &row, &column, &rowSpan, &columnSpan);
  const QLayoutItem* caption = grid->itemAtPosition(row, 0);
  return caption ? qobject_cast<const QLabel*>(caption->widget()) : nullptr;
}

// The caption labels an accessibility tool reads as the widget's name (on Linux a list's name
// is its label relation; an edit box's name text is its label's too). The group box, also a
// label of its controls, is left out.
std::vector<std::string> captionsOf(QWidget* widget) {
  std::vector<std::string> labels;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
    if (qobject_cast<const QLabel*>(label->object()))
      labels.push_back(label->object()->objectName().toStdString());
  }
  return labels;
}

// A screen reader names a box by the caption of its row: in the humidity layouts the edit boxes
// that stand in the rows of the lists are named by those rows' captions, and after the next
// layout the lists are again.
TEST(SettingsView, CaptionsNameTheBoxesTheirRowsShow) {
  const std::uint16_t sequence[] = {kArrACode, kRka49Code, kArr43Code, kGwa43Code,
                                    kJyraCode, kRka59Code, kArrVCode};
  for (const bool english : {true, false}) {
    Window w(english);
    for (const std::uint16_t code : sequence) {
      w.layOut(code);
      int named = 0;
      for (QWidget* field : w.f().GroupBox1->findChildren<QWidget*>()) {
        auto* edit = qobject_cast<QLineEdit*>(field);
        if (!edit && !qobject_cast<QComboBox*>(field)) continue;
        if (field->objectName().isEmpty() || field->isHidden()) continue;
        const QLabel* caption = captionOfRow(field);
        if (caption == nullptr || caption->isHidden()) continue;
        const std::string where = std::to_string(code) + " " + field->objectName().toStdString();
        EXPECT_EQ(captionsOf(field), std::vector{caption->objectName().toStdString()}) << where;
        if (edit) {
          EXPECT_EQ(
              QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name).toStdString(),
              caption->text().toStdString())
              << where;
        }
        ++named;
      }
      EXPECT_GE(named, 4) << code;
    }
  }
}

}  // namespace
}  // namespace tadjust
