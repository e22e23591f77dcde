#include "app/start_up.h"

#include <gtest/gtest.h>

#include "support/scripted_message_boxes.h"

namespace tadjust {
namespace {

using testing::ScriptedMessageBoxes;

QStringList itemsOf(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

TEST(FormCreate, AsksTheLanguageOnceAndClearsRetrySearch) {
  Form1 form;
  ScriptedMessageBoxes boxes{Answer::Yes};
  bool retrySearch = true;
  FormCreate(form, boxes, retrySearch);
  ASSERT_EQ(boxes.questions.size(), 1u);
  EXPECT_EQ(boxes.questions[0].caption, QString::fromUtf8("Wybór języka / Select language"));
  EXPECT_EQ(boxes.questions[0].text, "Polski /Polish?");
  EXPECT_EQ(boxes.questions[0].buttons, Buttons::YesNo);
  EXPECT_FALSE(retrySearch);
}

TEST(FormCreate, OnlyYesChoosesPolish) {
  const struct {
    Answer answer;
    bool english;
  } cases[] = {{Answer::Yes, false}, {Answer::No, true}, {Answer::Closed, true}};
  for (const auto& c : cases) {
    Form1 form;
    ScriptedMessageBoxes boxes{c.answer};
    bool retrySearch = false;
    FormCreate(form, boxes, retrySearch);
    EXPECT_EQ(form.UseEnglish, c.english) << static_cast<int>(c.answer);
    EXPECT_EQ(form.GroupBox1->title(), c.english ? "Editable settings" : "Ustawienia edytowane");
  }
}

TEST(FormCreate, PolishKeepsTheStartTextsAndLengthensTheButtonCaptions) {
  Form1 form;
  ScriptedMessageBoxes boxes{Answer::Yes};
  bool retrySearch = false;
  FormCreate(form, boxes, retrySearch);

  EXPECT_EQ(form.ComboBox1->count(), 11);
  EXPECT_EQ(form.ComboBox1->itemText(3), "termopara  R");
  EXPECT_EQ(form.ComboBox1->itemText(8), "termopara  T");
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(itemsOf(form.ComboBox2), QStringList({"2-przewodowe", "3-przewodowe", "4-przewodowe"}));
  EXPECT_EQ(form.ComboBox2->currentIndex(), 1);
  EXPECT_EQ(form.Label18->text(), "Identyfikator wyrobu:");

  EXPECT_EQ(caption(form.BitBtn1), "Start");
  EXPECT_EQ(caption(form.BitBtn3), "Przepisz\rdo edycji");
  EXPECT_EQ(caption(form.BitBtn4), QString::fromUtf8("Wyślij do\rurządzenia"));
  EXPECT_EQ(form.BitBtn4->text(), QString::fromUtf8("Wyślij do\nurządzenia"));
}

TEST(FormCreate, EnglishTranslatesTheSettingsCaptionsAndLists) {
  Form1 form;
  ScriptedMessageBoxes boxes{Answer::No};
  bool retrySearch = false;
  FormCreate(form, boxes, retrySearch);

  const struct {
    QLabel* label;
    const char* english;
  } captions[] = {
      {form.Label1, "Sensor type:"},
      {form.Label20, "Sensor type:"},
      {form.Label2, "Lower range value:"},
      {form.Label21, "Lower range value:"},
      {form.Label4, "Upper range value:"},
      {form.Label22, "Upper range value:"},
      {form.Label3, "Sensor connection:"},
      {form.Label23, "Sensor connection:"},
      {form.Label5, "Wire resistance:"},
      {form.Label24, "Wire resistance:"},
      {form.Label9, "Temperature offset:"},
      {form.Label25, "Temperature offset:"},
      {form.Label11, "Filter time constant:"},
      {form.Label26, "Filter time constant:"},
      {form.Label13, "Output signal:"},
      {form.Label27, "Output signal:"},
      {form.Label15, "Failure indication:"},
      {form.Label28, "Failure indication:"},
      {form.Label17, "Tag:"},
      {form.Label29, "Tag:"},
      {form.Label18, "Device ID and name:"},
      {form.Label19, "Serial number:"},
  };
  for (const auto& c : captions)
    EXPECT_EQ(c.label->text(), c.english) << c.label->objectName().toStdString();
  EXPECT_EQ(form.GroupBox1->title(), "Editable settings");
  EXPECT_EQ(form.GroupBox2->title(), "Device settings");

  EXPECT_EQ(itemsOf(form.ComboBox1),
            QStringList({"Pt100 resistance", "Ni100 resistance", "B type thermocouple",
                         "R type thermocouple", "S type thermocouple", "N type thermocouple",
                         "K type thermocouple", "J type thermocouple", "T type thermocouple",
                         "voltage", "resistance"}));
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(itemsOf(form.ComboBox2), QStringList({"2-wire", "3-wire", "4-wire"}));
  EXPECT_EQ(form.ComboBox2->currentIndex(), 1);

  EXPECT_EQ(caption(form.BitBtn1), "Start");
  EXPECT_EQ(caption(form.BitBtn3), "Copy for\redition");
  EXPECT_EQ(caption(form.BitBtn4), "Send to\rdevice");
}

TEST(FormCreate, EnglishKeepsTheMonitoringGroupUnitsAndNumberListsAsTheyStart) {
  Form1 form;
  ScriptedMessageBoxes boxes{Answer::No};
  bool retrySearch = false;
  FormCreate(form, boxes, retrySearch);

  EXPECT_EQ(form.GroupBox3->title(), "Monitoring");
  EXPECT_EQ(form.Label42->text(), QString::fromUtf8("Wilgotność:"));
  EXPECT_EQ(form.Label45->text(), "Temperatura:");
  EXPECT_EQ(form.CheckBox5->text(), QString::fromUtf8("Włącz"));
  EXPECT_EQ(form.windowTitle(), "T-adjust v.2.3");
  EXPECT_EQ(form.Label6->text(), QString::fromUtf8("[°C]"));
  EXPECT_EQ(form.Label8->text(), "[Ohm]");
  EXPECT_EQ(form.ComboBox3->itemText(0), "0,2");
  EXPECT_EQ(form.ComboBox5->itemText(0), "3,5");
  EXPECT_EQ(form.Edit1->text(), "-100");
}

}  // namespace
}  // namespace tadjust
