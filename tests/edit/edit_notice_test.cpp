// What the window tells of validation: EditNotice says what a box held and what validation made
// of it, and every numeric box names its limits in its tooltip. On the program's real widgets
// after a simulated device was read.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "support/editing_program.h"

namespace tadjust {
namespace {

using testing::EditingProgram;
using testing::SystemLocale;

constexpr int kThermocoupleK = 6;

QString accessibleText(QWidget* widget, QAccessible::Text kind) {
  return QAccessible::queryAccessibleInterface(widget)->text(kind);
}

TEST(EditNotice, SaysWhatValidationChangedInTheChosenLanguage) {
  for (const bool english : {true, false}) {
    SCOPED_TRACE(english ? "en" : "pl");
    const SystemLocale locale(!english);
    EditingProgram p("RKA-49", english);
    p.read();
    Form1& f = p.form();
    EditingProgram::choose(f.ComboBox1, kThermocoupleK);
    EXPECT_EQ(f.EditNotice->text(), "") << "the program's own defaults are no correction";
    EditingProgram::type(f.Edit2, "5000");
    const QString said = english ? "Upper range value: \"5000\" changed to 1200."
                                 : "Góra zakresu: \"5000\" zmieniono na 1200.";
    EXPECT_EQ(f.EditNotice->text(), said);
    EXPECT_EQ(accessibleText(f.EditNotice, QAccessible::Name), said);
    EXPECT_EQ(accessibleText(f.EditNotice, QAccessible::Description),
              english ? "Edit notice" : "Komunikat edycji");
  }
}

// The lower range pushed up takes the upper range with it: both are said.
TEST(EditNotice, EveryBoxValidationChangedIsSaid) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox1, kThermocoupleK);
  EditingProgram::type(f.Edit2, "300");
  EditingProgram::type(f.Edit1, "290");
  EXPECT_EQ(f.EditNotice->text(), "Upper range value: \"300\" changed to 340.");
  EditingProgram::type(f.Edit4, "abc");
  EXPECT_EQ(f.EditNotice->text(), "Temperature offset: \"abc\" changed to 0.");
}

TEST(EditNotice, ANumberOnlyWrittenAnotherWayIsNoCorrection) {
  const SystemLocale comma(true);
  EditingProgram p("RKA-49");
  p.read();
  EditingProgram::type(p.form().Edit4, "-0.5");
  EXPECT_EQ(p.form().Edit4->text(), "-0,5");
  EXPECT_EQ(p.form().EditNotice->text(), "");
}

TEST(EditNotice, EndsAtTheNextChangeOrButtonPress) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  const auto correct = [&] {
    EditingProgram::type(f.Edit4, "50");
    ASSERT_EQ(f.EditNotice->text(), "Temperature offset: \"50\" changed to 10.");
  };
  correct();
  QTest::keyClick(f.Edit5, Qt::Key_A);
  EXPECT_EQ(f.EditNotice->text(), "");
  correct();
  EditingProgram::choose(f.ComboBox3, 2);
  EXPECT_EQ(f.EditNotice->text(), "");
  correct();
  f.BitBtn3->click();
  EXPECT_EQ(f.EditNotice->text(), "");
}

// A box typed and never left is validated by the write, which says what it corrected.
TEST(EditNotice, AWriteSaysWhatItsValidationCorrected) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  f.Edit4->setText("-25");
  p.boxes().queue(Answer::Cancel);  // the start values were not copied from this device
  f.BitBtn4->click();
  EXPECT_EQ(f.EditNotice->text(), "Temperature offset: \"-25\" changed to -10.");
}

TEST(LimitTips, NameTheLimitsOfTheModelSeriesAndSensor) {
  for (const bool english : {true, false}) {
    const SystemLocale locale(!english);
    EditingProgram p("RKA-49", english);
    p.read();
    Form1& f = p.form();
    EditingProgram::choose(f.ComboBox1, kThermocoupleK);
    if (english) {
      EXPECT_EQ(f.Edit1->toolTip(), "Allowed: -100 to 1150 °C");
      EXPECT_EQ(f.Edit2->toolTip(),
                "Allowed: -50 to 1200 °C\nAt least 50 °C from Lower range value.");
      EXPECT_EQ(f.Edit4->toolTip(), "Allowed: -10 to 10 °C");
    } else {
      EXPECT_EQ(f.Edit2->toolTip(),
                "Dozwolone: od -50 do 1200 °C\nCo najmniej 50 °C od: Dół zakresu.");
    }
  }
}

TEST(LimitTips, FollowTheConnectionAndTheHumidityUnit) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  EditingProgram::choose(f.ComboBox2, 0);
  EXPECT_EQ(f.Edit3->toolTip(), "Allowed: 0 to 20 Ohm");
  EditingProgram::choose(f.ComboBox1, kThermocoupleK);
  EditingProgram::choose(f.ComboBox2, 1);  // external cold junction
  EXPECT_EQ(f.Edit3->toolTip(), "Allowed: -50 to 100 °C");

  EditingProgram arr("ARR/A");
  arr.read();
  EXPECT_EQ(arr.form().Edit3->toolTip(),
            "Allowed: 10 to 100 %RH\nAt least 10 %RH from Lower Humidity Value.");
  EditingProgram::choose(arr.form().ComboBox1, 1);  // dew point
  EXPECT_EQ(arr.form().Edit3->toolTip(),
            "Allowed: -30 to 120 °Cdp\nAt least 10 °Cdp from Lower Humidity Value.");
  EXPECT_EQ(arr.form().Edit22->toolTip(),
            "Allowed: 2000 to 20000 uA\nAt least 2000 uA from Lower Current for H.");
}

}  // namespace
}  // namespace tadjust
