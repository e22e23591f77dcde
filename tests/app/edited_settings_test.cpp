// The whole write through the program's own wiring, on the in-process simulated device in virtual
// time: the device is read, "Copy for edition" pressed, values changed as a technician changes
// them (typed into a box and left, chosen in a list), "Send to device" pressed, and the read-back
// verified. Then the writes that must not happen: each refusal sends nothing, says why in the
// chosen language and gives the linked window back.

#include "app/edited_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/edited_write_cases.h"
#include "support/widget_shown.h"

namespace tadjust {
namespace {

using testing::EditedWriteCase;
using testing::EditingProgram;
using testing::SystemLocale;

using testing::shown;

const QString kVerifiedEnglish = "Settings written and verified.";
const QString kVerifiedPolish = "Ustawienia zapisane i sprawdzone.";

// Read, copy, edit, send: the read-back agrees, the device group shows the new values, and the
// status line says the write was verified; English on a point system, Polish on a comma system.
TEST(EditedSettings, TheEditedGroupIsWrittenAndVerified) {
  for (const EditedWriteCase& c : testing::editedWriteCases()) {
    for (const bool english : {true, false}) {
      SCOPED_TRACE(std::string(c.model) + (english ? " en" : " pl"));
      const SystemLocale locale(/*comma=*/!english);
      EditingProgram p(c.model, english);
      p.read();
      p.form().BitBtn3->click();
      c.edit(p.form(), locale);
      p.boxes().questions.clear();
      p.program.send();
      EXPECT_TRUE(p.boxes().questions.empty());
      EXPECT_TRUE(p.program.writeState().VerifyPending);
      p.program.ticks(testing::kTicksToCollect);

      EXPECT_EQ(p.program.device->writesStored(), 1);
      EXPECT_EQ(p.form().Label41->text(), english ? kVerifiedEnglish : kVerifiedPolish);
      EXPECT_TRUE(shown(p.form().Label41));
      EXPECT_TRUE(p.boxes().questions.empty());
      for (const auto& [box, text] : c.deviceGroup)
        EXPECT_EQ((p.form().*box)->text(), locale.number(text))
            << (p.form().*box)->objectName().toStdString();
      c.stored(p.program.device->image());
      if (c.editSensorType >= 0) {
        EXPECT_EQ(entryOf(p.edit().EditSensorType), c.editSensorType);
      }
    }
  }
}

// A transmitter's block is rebuilt from the group: no copy is needed, once the technician has
// confirmed writing values not taken from the device.
TEST(EditedSettings, ATransmitterIsWrittenWithoutACopy) {
  const SystemLocale locale(/*comma=*/true);
  EditingProgram p("RKA-49");
  p.read();
  EditingProgram::choose(p.form().ComboBox1, 0);  // Pt100, its default range
  p.form().Edit5->setText("NEW");
  p.boxes().queue(Answer::Ok);  // Write
  p.program.send();
  p.program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(p.form().Label41->text(), kVerifiedEnglish);
  EXPECT_EQ(p.form().Edit17->text(), "NEW");
}

// Boxes are validated before the encoder reads them: texts an earlier layout left, or a value
// set without the box being entered ("abc", "x", nothing). What validation changes then is not
// sent: the corrected values stand in their boxes, the refusal and EditNotice list them, and the
// next press sends what the user now sees.
TEST(EditedSettings, ACorrectionAtSendSendsNothingUntilSendIsPressedAgain) {
  const struct {
    const char* model;
    std::vector<std::pair<QLineEdit * Form1::*, const char*>> set;
    const char* said;  // the refusal's list, one box a line
    std::vector<std::pair<QLineEdit * Form1::*, const char*>> corrected;
    std::function<void(const ImageBytes&)> stored;
  } cases[] = {
      {"RKA-49",
       {{&Form1::Edit1, "-500"}, {&Form1::Edit4, "abc"}},
       "Lower range value: \"-500\" changed to -100.\rTemperature offset: \"abc\" changed to 0.",
       {{&Form1::Edit1, "-100"}, {&Form1::Edit4, "0"}},
       [](const ImageBytes& image) {
         EXPECT_EQ(transmitter::RangeLowRaw.get(image), 3000);
         EXPECT_EQ(transmitter::TempOffsetRaw.get(image), 0);
       }},
      {"RKA-49",
       {{&Form1::Edit2, ""}},
       "Upper range value: \"\" changed to 800.",
       {{&Form1::Edit2, "800"}},
       [](const ImageBytes& image) { EXPECT_EQ(transmitter::RangeHighRaw.get(image), 30000); }},
      {"ARR/A",
       {{&Form1::Edit1, "abc"}},
       "Lower Temperature Value: \"abc\" changed to -40.",
       {{&Form1::Edit1, "-40"}},
       [](const ImageBytes& image) { EXPECT_EQ(humidity::TempRangeLow.get(image), -4000); }},
      {"ARR/A",
       {{&Form1::Edit2, "x"}},
       "Upper Temperature Value: \"x\" changed to 100.",
       {{&Form1::Edit2, "100"}},
       [](const ImageBytes& image) { EXPECT_EQ(humidity::TempRangeHigh.get(image), 10000); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " " + c.said);
    const SystemLocale locale(/*comma=*/true);
    EditingProgram p(c.model);
    p.read();
    Form1& f = p.form();
    f.BitBtn3->click();
    if (std::string(c.model) == "RKA-49") EditingProgram::choose(f.ComboBox1, 0);  // Pt100
    for (const auto& [box, text] : c.set) (f.*box)->setText(QString::fromUtf8(text));
    p.boxes().questions.clear();
    const std::size_t sentBefore = p.program.port.sent().size();

    p.boxes().queue(Answer::Ok);
    f.BitBtn4->click();
    EXPECT_EQ(p.program.port.sent().size(), sentBefore);
    EXPECT_EQ(p.program.device->writesStored(), 0);
    ASSERT_EQ(p.boxes().questions.size(), 1u);
    EXPECT_EQ(p.boxes().questions[0].caption, "Settings not sent");
    EXPECT_EQ(p.boxes().questions[0].text,
              QStringLiteral("Before sending, validation changed these values:\r%1\rCheck the "
                             "corrected values in their boxes and press \"Send to device\" "
                             "again.\rNothing was sent.")
                  .arg(QString::fromUtf8(c.said)));
    EXPECT_EQ(f.EditNotice->text(), QString::fromUtf8(c.said).replace('\r', '\n'));
    for (const auto& [box, text] : c.corrected) EXPECT_EQ((f.*box)->text(), text);
    EXPECT_TRUE(f.GroupBox1->isEnabled());
    EXPECT_TRUE(shown(f.BitBtn4));

    p.program.send();
    p.program.ticks(testing::kTicksToCollect);
    EXPECT_EQ(p.boxes().questions.size(), 1u);
    EXPECT_EQ(f.Label41->text(), kVerifiedEnglish);
    for (const auto& [box, text] : c.corrected) EXPECT_EQ((f.*box)->text(), text);
    c.stored(p.program.device->image());
  }
}

// The tag is sent as the box shows it: one set without typing is first brought to what the
// device stores, and said, like a number.
TEST(EditedSettings, ATagSetWithoutTypingIsCutAndSaidBeforeItIsSent) {
  EditingProgram p("RKA-49");
  p.read();
  Form1& f = p.form();
  f.Edit5->setMaxLength(20);
  f.Edit5->setText(QString::fromUtf8("ZBIORNIK-Ł1/2"));
  p.boxes().queue(Answer::Ok);
  f.BitBtn4->click();
  EXPECT_EQ(p.program.device->writesStored(), 0);
  EXPECT_EQ(f.Edit5->text(), QString::fromUtf8("ZBIORNIK-Ł"));
  EXPECT_EQ(f.EditNotice->text(),
            QString::fromUtf8("Tag: \"ZBIORNIK-Ł1/2\" changed to \"ZBIORNIK-Ł\": the device "
                              "holds 10 characters of the Central European code page."));
  p.boxes().queue(Answer::Ok);  // Write: the group was not copied from this device
  p.program.send();
  p.program.ticks(testing::kTicksToCollect);
  EXPECT_EQ(f.Label41->text(), kVerifiedEnglish);
  EXPECT_EQ(f.Edit17->text(), QString::fromUtf8("ZBIORNIK-Ł"));
}

struct Refusal {
  const char* what;
  const char* model;
  // Sets the device's image before the read.
  std::function<void(ImageBytes&)> device;
  // After the read: the copy, the edits, anything else the case needs.
  std::function<void(EditingProgram&)> prepare;
  const char* english;
  const char* polish;
};

void setWord(const U16Field& field, std::uint16_t value, ImageBytes& image) {
  field.set(image, value);
}

std::vector<Refusal> refusals() {
  const auto copy = [](EditingProgram& p) { p.form().BitBtn3->click(); };
  return {
      {"the indicator without a copy",
       "GWA-43",
       {},
       [](EditingProgram&) {},
       "The editable settings were not copied from the GWA-43 linked now.\rPress \"Copy for "
       "edition\" first, then edit the settings and send them.\rNothing was sent.",
       "Ustawienia edytowane nie zostały przepisane z podłączonego urządzenia GWA-43.\rNajpierw "
       "naciśnij „Przepisz do edycji”, potem zmień ustawienia i wyślij je.\rNiczego nie "
       "wysłano."},
      {"a humidity model copied before the device was linked again",
       "ARR/A",
       {},
       [copy](EditingProgram& p) {
         copy(p);
         p.boxes().queue(Answer::Ok);  // Disconnect, then Connect: the device is plugged in
         p.form().BitBtn1->click();
         p.form().BitBtn1->click();
         p.program.ticks(testing::kTicksToCollect);
       },
       "The editable settings were not copied from the ARR/A linked now.\rPress \"Copy for "
       "edition\" first, then edit the settings and send them.\rNothing was sent.",
       "Ustawienia edytowane nie zostały przepisane z podłączonego urządzenia ARR/A.\rNajpierw "
       "naciśnij „Przepisz do edycji”, potem zmień ustawienia i wyślij je.\rNiczego nie "
       "wysłano."},
      {"equal calibration words", "GWA-43",
       [](ImageBytes& image) { setWord(indicator::InputCalHigh, 6554, image); }, copy,
       "The device's two calibration points are equal (6554): no display scale can be "
       "computed.\rNothing was sent.",
       "Oba punkty kalibracji urządzenia są równe (6554): nie można obliczyć skali "
       "wyświetlania.\rNiczego nie wysłano."},
      {"equal display values give the indicator a gain of 0",
       "GWA-43",
       {},
       [copy](EditingProgram& p) {
         copy(p);
         EditingProgram::type(p.form().Edit1, "500");
         EditingProgram::type(p.form().Edit2, "500");
       },
       "\"Lower range value\" equals \"Upper range value\": the display would show one value "
       "whatever the input.\rNothing was sent.",
       "Wartość pola „Dół zakresu” jest równa wartości pola „Góra zakresu”: wyświetlacz "
       "pokazywałby jedną wartość niezależnie od wejścia.\rNiczego nie wysłano."},
      {"both boxes of a humidity pair hold no number",
       "ARR/A",
       {},
       [copy](EditingProgram& p) {
         copy(p);
         p.form().Edit1->setText("abc");
         p.form().Edit2->setText("x");
       },
       "\"Lower Temperature Value\" holds no number: \"abc\".\rNothing was sent.",
       "Pole „Dół zakresu dla T” nie zawiera liczby: „abc”.\rNiczego nie wysłano."},
      {"a humidity box with no unit selected keeps a fraction", "ARR/A",
       [](ImageBytes& image) { setWord(humidity::HumidityUnit, 5, image); },
       [copy](EditingProgram& p) {
         copy(p);
         p.form().Edit3->setText("12,5");
       },
       "\"Upper Humidity Value\" must hold a whole number: \"12,5\".\rNothing was sent.",
       "Pole „Góra zakresu dla H” musi zawierać liczbę całkowitą: „12,5”.\rNiczego nie "
       "wysłano."},
      {"a humidity box with no unit selected keeps a number beyond every word", "ARR/A",
       [](ImageBytes& image) { setWord(humidity::HumidityUnit, 5, image); },
       [copy](EditingProgram& p) {
         copy(p);
         p.form().Edit3->setText("99999999999");
       },
       "\"Upper Humidity Value\" holds a value the device cannot store: \"99999999999\".\rNothing "
       "was sent.",
       "Pole „Góra zakresu dla H” zawiera wartość, której urządzenie nie może zapisać: "
       "„99999999999”.\rNiczego nie wysłano."},
      {"thermocouple B, series 9, reversed output, 400 to 800 °C",
       "9001",
       {},
       [](EditingProgram& p) {
         Form1& f = p.form();
         EditingProgram::choose(f.ComboBox1, 2);  // B
         EditingProgram::choose(f.ComboBox4, 1);  // reversed output
         EditingProgram::type(f.Edit1, "400");
         EditingProgram::type(f.Edit2, "800");
       },
       "The sensor's characteristic cannot be stored for the range in \"Lower range value\" and "
       "\"Upper range value\": a slope of the characteristic does not fit the device's "
       "words.\rChoose another range.\rNothing was sent.",
       "Charakterystyki czujnika nie można zapisać dla zakresu z pól „Dół zakresu” i „Góra "
       "zakresu”: nachylenie odcinka charakterystyki nie mieści się w słowie urządzenia.\rWybierz "
       "inny zakres.\rNiczego nie wysłano."},
      {"no filter time selected",
       "RKA-49",
       {},
       [](EditingProgram& p) { p.form().ComboBox3->setCurrentIndex(-1); },
       "Nothing is selected in \"Filter time constant\".\rNothing was sent.",
       "W polu „Stała czasowa filtru” nic nie wybrano.\rNiczego nie wysłano."},
      {"a voltage input on a series without a voltage scale",
       "RKA-49",
       {},
       [](EditingProgram& p) {
         EditingProgram::choose(p.form().ComboBox1, 9);  // voltage
         p.program.view().model.series = 8;
         // The range a series without limits has, validated (and said) before this Send.
         p.program.app.validation().validateShownBoxes();
       },
       "\"Sensor type\": a device of series 8 has no voltage input.\rNothing was sent.",
       "„Typ czujnika”: urządzenie serii 8 nie ma wejścia napięciowego.\rNiczego nie wysłano."},
  };
}

// Nothing reaches the device: no byte, no pause. The user reads why, in the chosen language, and
// the window is linked again at once.
TEST(EditedSettings, ARefusalSendsNothingAndSaysWhy) {
  for (const Refusal& c : refusals()) {
    for (const bool english : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (english ? " en" : " pl"));
      const SystemLocale locale(/*comma=*/true);
      EditingProgram p(c.model, english);
      if (c.device) {
        ImageBytes image = p.program.device->image();
        c.device(image);
        p.program.device->setImage(image);
      }
      p.read();
      c.prepare(p);
      p.boxes().questions.clear();
      const std::size_t sentBefore = p.program.port.sent().size();
      p.program.pause.durations.clear();

      p.boxes().queue(Answer::Ok);
      p.form().BitBtn4->click();

      EXPECT_EQ(p.program.port.sent().size(), sentBefore);
      EXPECT_TRUE(p.program.pause.durations.empty());
      ASSERT_EQ(p.boxes().questions.size(), 1u);
      const testing::AskedQuestion& asked = p.boxes().questions[0];
      EXPECT_EQ(asked.caption, english ? "Settings not sent" : "Ustawienia nie zostały wysłane");
      EXPECT_EQ(asked.text, QString::fromUtf8(english ? c.english : c.polish));
      EXPECT_EQ(asked.buttons, Buttons::Ok);
      Form1& f = p.form();
      EXPECT_TRUE(f.GroupBox1->isEnabled());
      for (const QPushButton* b : {f.BitBtn1, f.BitBtn3, f.BitBtn4})
        EXPECT_TRUE(shown(b)) << b->objectName().toStdString();
      EXPECT_FALSE(p.program.writeState().VerifyPending);
      EXPECT_FALSE(p.program.state().ReadPending);
      EXPECT_EQ(p.program.device->writesStored(), 0);
    }
  }
}

// The validation reports a humidity partner that holds no number, as it does when the box is
// left; the write then says which box it cannot send.
TEST(EditedSettings, AHumidityPairWithNoNumberIsReportedThenRefused) {
  const SystemLocale locale(/*comma=*/true);
  EditingProgram p("ARR/A");
  p.read();
  p.form().BitBtn3->click();
  p.form().Edit1->setText("abc");
  p.form().Edit2->setText("x");
  p.boxes().queue(Answer::Ok);
  p.form().BitBtn4->click();
  EXPECT_EQ(p.boxes().errors, (std::vector<QString>{"'x' is not a valid floating point value.",
                                                    "'abc' is not a valid floating point value."}));
  EXPECT_EQ(p.boxes().questions.back().caption, "Settings not sent");
}

// "Repeat writing?" answered Yes encodes the group again: a transmitter's block from scratch, a
// small block over the block sent before, never over the spoiled read-back. Both writes send the
// same block, and the second is verified.
TEST(EditedSettings, YesToRepeatWritingSendsTheSameBlockAgain) {
  for (const char* model : {"RKA-49", "935-JYRA", "GWA-43"}) {
    SCOPED_TRACE(model);
    const SystemLocale locale(/*comma=*/true);
    EditingProgram p(model);
    p.read();
    p.form().BitBtn3->click();
    p.form().Edit5->setText("AGAIN");
    p.program.device->faults().spoiledWrites = 1;
    p.boxes().questions.clear();
    // Each write follows its check read's request (0, "$", "R").
    const std::size_t before = p.program.port.sent().size() + 3;
    p.program.send();
    const std::size_t afterFirst = p.program.port.sent().size();
    p.boxes().queue(Answer::Yes);
    p.program.takeTheReadBack();  // Yes: the check read again
    ASSERT_EQ(p.boxes().questions.size(), 1u);
    EXPECT_TRUE(p.boxes().questions[0].text.endsWith("Repeat writing?"));
    const std::size_t afterCheck = p.program.port.sent().size();
    p.program.takeTheCheck();  // the write again
    const std::size_t afterSecond = p.program.port.sent().size();
    p.program.ticks(testing::kTicksToCollect);

    EXPECT_EQ(p.program.device->writesStored(), 2);
    EXPECT_EQ(p.form().Label41->text(), kVerifiedEnglish);
    // Each write: its frame, its block and the read-back's request.
    const auto& sent = p.program.port.sent();
    std::vector<std::uint8_t> first, second;
    for (std::size_t i = before; i < afterFirst; ++i) first.push_back(sent[i].byte);
    for (std::size_t i = afterCheck; i < afterSecond; ++i) second.push_back(sent[i].byte);
    EXPECT_EQ(first, second);
    EXPECT_EQ(p.form().Edit17->text(), "AGAIN");
  }
}

}  // namespace
}  // namespace tadjust
