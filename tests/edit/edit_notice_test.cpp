// What the window tells of validation: EditNotice says what a box held and what validation made
// of it, and every numeric box names its limits in its tooltip. On the program's real widgets
// after a simulated device was read.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>

#include "support/editing_program.h"
#include "support/sensor_type_names.h"

namespace tadjust {
namespace {

using testing::EditingProgram;
using testing::SystemLocale;

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
    EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
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
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
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

// A box typed and never left is validated by the write, which says what it corrected and sends
// nothing this time.
TEST(EditNotice, AWriteSaysWhatItsValidationCorrected) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  f.Edit4->setText("-25");
  p.boxes().queue(Answer::Ok);
  f.BitBtn4->click();
  EXPECT_EQ(f.EditNotice->text(), "Temperature offset: \"-25\" changed to -10.");
  EXPECT_FALSE(p.program.writeState().VerifyPending);
}

// A number no double holds is no number shown another way: it is said like any correction.
TEST(EditNotice, ANumberTooSmallForADoubleChangedToZeroIsSaid) {
  EditingProgram p("RKA-49");
  p.read();
  EditingProgram::type(p.form().Edit4, "1e-400");
  EXPECT_EQ(p.form().Edit4->text(), "0");
  EXPECT_EQ(p.form().EditNotice->text(), "Temperature offset: \"1e-400\" changed to 0.");
  EditingProgram::type(p.form().Edit4, "1e-300");
  EXPECT_EQ(p.form().EditNotice->text(), "Temperature offset: \"1e-300\" changed to 0.");
}

// Keys that type characters beyond ASCII, as a keyboard layout or an input method delivers them:
// one key press with its text for each character.
void typeKeys(QLineEdit* box, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

// What is typed or pasted into the tag is at once what the device will store: characters of
// the device's code page, as many as its field holds. The cursor stays where the user types.
TEST(TagBox, ShowsAtOnceWhatTheDeviceStoresAndSaysSo) {
  for (const bool english : {true, false}) {
    SCOPED_TRACE(english ? "en" : "pl");
    EditingProgram p("RKA-49", english);
    p.read();
    Form1& f = p.form();
    f.Edit5->clear();
    f.Edit5->setFocus();
    typeKeys(f.Edit5, "TT");
    QTest::keyClick(f.Edit5, Qt::Key_Left);
    typeKeys(f.Edit5, QString::fromUtf8("温"));
    EXPECT_EQ(f.Edit5->text(), "T?T");
    EXPECT_EQ(f.Edit5->cursorPosition(), 2);
    EXPECT_EQ(f.EditNotice->text(),
              QString::fromUtf8(english ? "Tag: \"T温T\" changed to \"T?T\": the device holds 10 "
                                          "characters of the Central European code page."
                                        : "Identyfikator obiektowy: \"T温T\" zmieniono na \"T?T\": "
                                          "urządzenie mieści 10 znaków ze środkowoeuropejskiej "
                                          "strony kodowej."));
    // A character the code page has is no change: the notice ends as at any edit.
    typeKeys(f.Edit5, QString::fromUtf8("ł"));
    EXPECT_EQ(f.Edit5->text(), QString::fromUtf8("T?łT"));
    EXPECT_EQ(f.EditNotice->text(), "");
  }
}

TEST(TagBox, APastedTagIsCutToTheFieldAndMadeOfTheCodePage) {
  const struct {
    const char* model;
    const char* pasted;
    const char* shown;
    int characters;
  } cases[] = {
      {"RKA-49", "T温度€", "T??€", 10},
      {"RKA-49", "T🔥温度", "T???", 10},
      {"GWA-43", "ŁÓDŹ-ŻÓŁW-12", "ŁÓDŹ-ŻÓŁW-", 10},
      {"ARR/A", "ROOM-12/ŚCIANA-PÓŁNOC", "ROOM-12/ŚCIANA-P", 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted);
    EditingProgram p(c.model);
    p.read();
    Form1& f = p.form();
    f.BitBtn3->click();
    f.Edit5->setMaxLength(40);  // a box showing a longer tag whole takes a longer paste
    f.Edit5->clear();
    QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
    f.Edit5->paste();
    EXPECT_EQ(f.Edit5->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(f.EditNotice->text(),
              QStringLiteral("Tag: \"%1\" changed to \"%2\": the device holds %3 characters of "
                             "the Central European code page.")
                  .arg(QString::fromUtf8(c.pasted), QString::fromUtf8(c.shown))
                  .arg(c.characters));
  }
}

TEST(LimitTips, NameTheLimitsOfTheModelSeriesAndSensor) {
  for (const bool english : {true, false}) {
    const SystemLocale locale(!english);
    EditingProgram p("RKA-49", english);
    p.read();
    Form1& f = p.form();
    EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
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
  EditingProgram::choose(f.ComboBox1, kThermocoupleKEntry);
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
