#pragma once

// What a technician changes in the editable group after "Copy for edition", for one model of each
// family (RKA-49, RKA-59, GWA-43, ARR/A) and RKN-40F3, and what the device holds and the device
// group shows once the write is read back. The same cases run on the in-process simulated device
// and against t-adjust-sim in real time.

#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "image/settings_image.h"
#include "support/editing_program.h"
#include "ui/form1.h"

namespace tadjust::testing {

// A device box of the device group and the text it shows after the read-back (written with a
// comma; a point system shows a point).
using ShownText = std::pair<QLineEdit * Form1::*, const char*>;

struct EditedWriteCase {
  const char* model;  // a catalogue name (series 7) or a product code
  // What the technician does after the copy; numbers are written with a comma.
  std::function<void(Form1&, const SystemLocale&)> edit;
  std::vector<ShownText> deviceGroup;
  // The words the device stored.
  std::function<void(ConstBytes)> stored;
  int editSensorType = -1;  // a transmitter's sensor type after the write
};

// The technician types a number, written here with a comma, and leaves the box.
inline void typeNumber(const SystemLocale& locale, QLineEdit* box, const char* withComma) {
  EditingProgram::type(box, locale.number(withComma));
}

inline std::vector<EditedWriteCase> editedWriteCases() {
  using namespace transmitter;
  return {
      {"RKA-49",
       [](Form1& f, const SystemLocale& l) {
         EditingProgram::choose(f.ComboBox1, 6);  // K
         EditingProgram::choose(f.ComboBox2, 1);  // external cold junction
         typeNumber(l, f.Edit1, "0");
         typeNumber(l, f.Edit2, "1000");
         typeNumber(l, f.Edit3, "25");
         typeNumber(l, f.Edit4, "0,7");
         f.Edit5->setText("TT-7");
       },
       {{&Form1::Edit9, "0"},
        {&Form1::Edit10, "1000"},
        {&Form1::Edit12, "25"},
        {&Form1::Edit13, "0,7"},
        {&Form1::Edit17, "TT-7"}},
       [](ConstBytes image) {
         EXPECT_EQ(InputConfig.get(image), 0x3410);
         EXPECT_EQ(RangeLowRaw.get(image), 6000);
         EXPECT_EQ(RangeHighRaw.get(image), 36000);
         EXPECT_EQ(ColdJunctionTempRaw.get(image), 6750);
         EXPECT_EQ(TempOffsetRaw.get(image), 21) << "0.7 °C exactly";
         EXPECT_EQ(InputLimitHighRaw.get(image), 47918);
       },
       6},
      {"RKA-59",
       [](Form1& f, const SystemLocale& l) {
         EditingProgram::choose(f.ComboBox1, 0);  // Pt100
         EditingProgram::choose(f.ComboBox2, 0);  // 2-wire
         typeNumber(l, f.Edit1, "-100");
         typeNumber(l, f.Edit2, "800");
         typeNumber(l, f.Edit3, "0,5");
         typeNumber(l, f.Edit4, "-1");
         EditingProgram::choose(f.ComboBox4, 1);  // reversed output
       },
       {{&Form1::Edit9, "-100"},
        {&Form1::Edit10, "800"},
        {&Form1::Edit12, "0,5"},
        {&Form1::Edit13, "-1"}},
       [](ConstBytes image) {
         EXPECT_EQ(InputConfig.get(image) & 0xFF00, 0x2000) << "Pt100, 2-wire";
         EXPECT_NE(InputConfig.get(image) & kOutputReversedBit, 0);
         EXPECT_EQ(RangeLowRaw.get(image), 3000);
         EXPECT_EQ(RangeHighRaw.get(image), 30000);
         EXPECT_EQ(WireResistanceRaw.get(image), 100);
         EXPECT_EQ(TempOffsetRaw.get(image), -30) << "stored 0xFFE2";
       },
       0},
      {"RKN-40F3",
       [](Form1& f, const SystemLocale& l) {
         EditingProgram::choose(f.ComboBox1, 10);  // resistance
         EditingProgram::choose(f.ComboBox2, 0);   // 2-wire
         typeNumber(l, f.Edit1, "500");
         typeNumber(l, f.Edit2, "1500");
         typeNumber(l, f.Edit3, "2,5");
       },
       {{&Form1::Edit9, "500"}, {&Form1::Edit10, "1500"}, {&Form1::Edit12, "2,5"}},
       [](ConstBytes image) {
         EXPECT_EQ(RangeLowRaw.get(image), (500 - 275) * 40);
         EXPECT_EQ(RangeHighRaw.get(image), (1500 - 275) * 40);
         EXPECT_EQ(WireResistanceRaw.get(image), 100);
       },
       10},
      {"GWA-43",
       [](Form1& f, const SystemLocale& l) {
         typeNumber(l, f.Edit1, "0");
         typeNumber(l, f.Edit2, "2000");
         typeNumber(l, f.Edit3, "100");
         typeNumber(l, f.Edit4, "1800");
         EditingProgram::choose(f.ComboBox2, 2);  // two digits after the point
         f.CheckBox4->setChecked(false);
         f.Edit5->setText("PANEL-9");
       },
       {{&Form1::Edit10, "2000"},
        {&Form1::Edit11, "2"},
        {&Form1::Edit12, "100"},
        {&Form1::Edit13, "1800"},
        {&Form1::Edit17, "PANEL-9"}},
       [](ConstBytes image) {
         using namespace indicator;
         EXPECT_EQ(Precision.get(image), 2);
         EXPECT_EQ(AlarmFlags.get(image) & 0b11, 0b01);
         // Calibration 6554 and 32768: the gain 2000 / 26214.
         EXPECT_EQ(ScaleGain.get(image), 2500);
         EXPECT_EQ(ScaleOffset.get(image), -501);
         EXPECT_EQ(AlarmLowRaw.get(image), 7877);
         EXPECT_EQ(AlarmHighRaw.get(image), 30159);
         EXPECT_EQ(InputCalLow.get(image), 6554) << "the copy's calibration goes back unchanged";
       }},
      {"ARR/A",
       [](Form1& f, const SystemLocale& l) {
         EditingProgram::choose(f.ComboBox1, 1);  // dew point
         typeNumber(l, f.Edit1, "-10");
         typeNumber(l, f.Edit2, "50");
         typeNumber(l, f.Edit19, "-20");
         typeNumber(l, f.Edit3, "40");
         f.Edit5->setText("ROOM-12");
       },
       {{&Form1::Edit9, "-10"},
        {&Form1::Edit10, "50"},
        {&Form1::Edit11, "-20"},
        {&Form1::Edit12, "40"},
        {&Form1::Edit17, "ROOM-12"}},
       [](ConstBytes image) {
         using namespace humidity;
         EXPECT_EQ(HumidityUnit.get(image), 1);
         EXPECT_EQ(TempRangeLow.get(image), -1000);
         EXPECT_EQ(TempRangeHigh.get(image), 5000);
         EXPECT_EQ(HumRangeLow.get(image), -2000);
         EXPECT_EQ(HumRangeHigh.get(image), 4000);
       }},
  };
}

// The case of one model.
inline EditedWriteCase editedWriteCase(std::string_view model) {
  for (EditedWriteCase& c : editedWriteCases())
    if (c.model == model) return c;
  ADD_FAILURE() << "no write case for " << model;
  return {};
}

}  // namespace tadjust::testing
