#include "ui/form1.h"

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <optional>
#include <vector>

namespace tadjust {
namespace {

// The text a control shows: a label's or edit box's text, a button's caption (with "\r" line
// breaks), a group's title.
QString textOf(const QObject* control) {
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) return caption(button);
  if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
  ADD_FAILURE() << "no text for " << control->objectName().toStdString();
  return {};
}

QStringList itemsOf(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

struct StartState {
  const char* name;
  QWidget* control;
  bool shown;
  std::optional<QString> text;  // not checked when empty
};

std::vector<StartState> startStates(Form1& f) {
  const auto s = [](const char* text) { return std::optional<QString>(QString::fromUtf8(text)); };
  const std::optional<QString> any;
  return {
      // Top level: only the banners, the empty status lines and "Start" are shown.
      {"Label37", f.Label37, true, any},
      {"Label38", f.Label38, true, any},
      {"Label40", f.Label40, true, s("")},
      {"Label41", f.Label41, true, s("")},
      {"BitBtn1", f.BitBtn1, true, s("Start")},
      {"Edit18", f.Edit18, false, s("")},
      {"ComboBox6", f.ComboBox6, false, any},
      {"ProgressBar1", f.ProgressBar1, false, any},
      {"BitBtn3", f.BitBtn3, false, s("Przepisz")},
      {"BitBtn4", f.BitBtn4, false, s("Wyślij")},
      {"GroupBox1", f.GroupBox1, false, s("Ustawienia edytowane")},
      {"GroupBox2", f.GroupBox2, false, s("Ustawienia odczytane z urządzenia")},
      {"GroupBox3", f.GroupBox3, false, s("Monitoring")},
      // Editable settings.
      {"Label1", f.Label1, true, s("Typ czujnika:")},
      {"ComboBox1", f.ComboBox1, true, any},
      {"Label2", f.Label2, true, s("Dół zakresu:")},
      {"Edit1", f.Edit1, true, s("-100")},
      {"Label6", f.Label6, true, s("[°C]")},
      {"Label4", f.Label4, true, s("Góra zakresu:")},
      {"Edit2", f.Edit2, true, s("800")},
      {"Label7", f.Label7, true, s("[°C]")},
      {"Label3", f.Label3, true, s("Podłączenie:")},
      {"ComboBox2", f.ComboBox2, true, any},
      {"Edit19", f.Edit19, false, s("Edit19")},
      {"Label43", f.Label43, false, s("Label43")},
      {"Label5", f.Label5, true, s("Rezystancja przewodów:")},
      {"Edit3", f.Edit3, true, s("0")},
      {"Label8", f.Label8, true, s("[Ohm]")},
      {"CheckBox3", f.CheckBox3, false, s("")},
      {"Label9", f.Label9, true, s("Korekcja temperatury:")},
      {"Edit4", f.Edit4, true, s("0")},
      {"Label10", f.Label10, true, s("[°C]")},
      {"CheckBox4", f.CheckBox4, false, s("")},
      {"Label11", f.Label11, true, s("Stała czasowa filtru:")},
      {"ComboBox3", f.ComboBox3, true, any},
      {"Edit20", f.Edit20, false, s("Edit20")},
      {"Label12", f.Label12, true, s("[s]")},
      {"Label13", f.Label13, true, s("Sygnał wyjściowy:")},
      {"ComboBox4", f.ComboBox4, true, any},
      {"Edit21", f.Edit21, false, s("Edit21")},
      {"Label14", f.Label14, true, s("[mA]")},
      {"Label15", f.Label15, true, s("Sygnalizacja błędu:")},
      {"ComboBox5", f.ComboBox5, true, any},
      {"Edit22", f.Edit22, false, s("Edit22")},
      {"Label16", f.Label16, true, s("[mA]")},
      {"Label17", f.Label17, true, s("Identyfikator obiektowy:")},
      {"Edit5", f.Edit5, true, s("")},
      // Device settings.
      {"Label18", f.Label18, true, s("Identyfikator wyrobu:")},
      {"Edit6", f.Edit6, true, s("")},
      {"Label39", f.Label39, false, s("RKA-4")},
      {"Label19", f.Label19, true, s("Numer seryjny:")},
      {"Edit7", f.Edit7, true, s("")},
      {"Label20", f.Label20, true, s("Typ czujnika:")},
      {"Edit8", f.Edit8, true, s("")},
      {"Label21", f.Label21, true, s("Dół zakresu:")},
      {"Edit9", f.Edit9, true, s("")},
      {"Label30", f.Label30, true, s("[°C]")},
      {"Label22", f.Label22, true, s("Góra zakresu:")},
      {"Edit10", f.Edit10, true, s("")},
      {"Label31", f.Label31, true, s("[°C]")},
      {"Label23", f.Label23, true, s("Podłączenie:")},
      {"Edit11", f.Edit11, true, s("")},
      {"Label44", f.Label44, false, s("Label44")},
      {"Label24", f.Label24, true, s("Rezystancja przewodów:")},
      {"Edit12", f.Edit12, true, s("")},
      {"Label32", f.Label32, true, s("[Ohm]")},
      {"CheckBox1", f.CheckBox1, false, s("")},
      {"Label25", f.Label25, true, s("Korekcja temperatury:")},
      {"Edit13", f.Edit13, true, s("")},
      {"Label33", f.Label33, true, s("[°C]")},
      {"CheckBox2", f.CheckBox2, false, s("")},
      {"Label26", f.Label26, true, s("Stała czasowa filtru:")},
      {"Edit14", f.Edit14, true, s("")},
      {"Label34", f.Label34, true, s("[s]")},
      {"Label27", f.Label27, true, s("Sygnał wyjściowy:")},
      {"Edit15", f.Edit15, true, s("")},
      {"Label35", f.Label35, true, s("[mA]")},
      {"Label28", f.Label28, true, s("Sygnalizacja błędu:")},
      {"Edit16", f.Edit16, true, s("")},
      {"Label36", f.Label36, true, s("[mA]")},
      {"Label29", f.Label29, true, s("Identyfikator obiektowy:")},
      {"Edit17", f.Edit17, true, s("")},
      // Monitoring.
      {"CheckBox5", f.CheckBox5, true, s("Włącz")},
      {"Label42", f.Label42, true, s("Wilgotność:")},
      {"Edit23", f.Edit23, true, s("Edit23")},
      {"Label46", f.Label46, true, s("[%RH]")},
      {"Label45", f.Label45, true, s("Temperatura:")},
      {"Edit24", f.Edit24, true, s("Edit24")},
      {"Label47", f.Label47, true, s("[°C]")},
  };
}

TEST(Form1, EveryControlStartsWithItsNameVisibilityAndText) {
  Form1 form;
  for (const auto& expected : startStates(form)) {
    SCOPED_TRACE(expected.name);
    ASSERT_NE(expected.control, nullptr);
    EXPECT_EQ(form.findChild<QWidget*>(QString::fromLatin1(expected.name)), expected.control);
    EXPECT_EQ(!expected.control->isHidden(), expected.shown);
    if (expected.text) {
      EXPECT_EQ(textOf(expected.control), *expected.text);
    }
  }
  EXPECT_EQ(form.windowTitle(), "T-adjust v.2.3");
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(form.UseEnglish);
}

TEST(Form1, ListsStartWithTheirItemsSelected) {
  Form1 form;
  EXPECT_EQ(
      itemsOf(form.ComboBox1),
      QStringList({"termorezystor Pt100", "termorezystor Ni100", "termopara B", "termopara  R",
                   "termopara  S", "termopara  N", "termopara  K", "termopara  J", "termopara  T",
                   QString::fromUtf8("napięcie"), "rezystancja"}));
  EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
  EXPECT_EQ(itemsOf(form.ComboBox2), QStringList({"2-przewodowe", "3-przewodowe", "4-przewodowe"}));
  EXPECT_EQ(form.ComboBox2->currentIndex(), 1);
  EXPECT_EQ(itemsOf(form.ComboBox3), QStringList({"0,2", "1", "2", "4", "8", "16", "32"}));
  EXPECT_EQ(form.ComboBox3->currentIndex(), 0);
  EXPECT_EQ(itemsOf(form.ComboBox4), QStringList({"4 .. 20", "20 .. 4"}));
  EXPECT_EQ(form.ComboBox4->currentIndex(), 0);
  EXPECT_EQ(itemsOf(form.ComboBox5), QStringList({"3,5", "23"}));
  EXPECT_EQ(form.ComboBox5->currentIndex(), 0);
  EXPECT_EQ(form.ComboBox6->count(), 0);
  EXPECT_EQ(form.ComboBox6->maxVisibleItems(), 16);
}

TEST(Form1, ControlPropertiesOfTheStartState) {
  Form1 form;
  EXPECT_EQ(form.ProgressBar1->minimum(), 0);
  EXPECT_EQ(form.ProgressBar1->maximum(), 110);
  EXPECT_EQ(form.ProgressBar1->value(), 0);
  EXPECT_EQ(form.Timer1->interval(), 1000);
  EXPECT_FALSE(form.Timer1->isActive()) << "started by the program once the window is shown";
  EXPECT_TRUE(form.Edit18->isReadOnly());
  EXPECT_EQ(form.Edit5->maxLength(), 9);
  EXPECT_FALSE(form.Edit23->isReadOnly());
  EXPECT_FALSE(form.Edit24->isReadOnly());
  EXPECT_FALSE(form.CheckBox5->isChecked());
  EXPECT_TRUE(form.Label39->font().bold());
  EXPECT_EQ(form.Label39->font().pixelSize(), 17);

  for (QLineEdit* shown :
       {form.Edit6, form.Edit7, form.Edit8, form.Edit9, form.Edit10, form.Edit11, form.Edit12,
        form.Edit13, form.Edit14, form.Edit15, form.Edit16, form.Edit17}) {
    EXPECT_TRUE(shown->isReadOnly()) << shown->objectName().toStdString();
    EXPECT_EQ(shown->focusPolicy(), Qt::NoFocus) << shown->objectName().toStdString();
  }
  EXPECT_FALSE(form.CheckBox1->isEnabled());
  EXPECT_FALSE(form.CheckBox2->isEnabled());
  EXPECT_TRUE(form.CheckBox3->isEnabled());
  EXPECT_TRUE(form.CheckBox4->isEnabled());

  EXPECT_EQ(form.Label1->buddy(), form.ComboBox1);
  EXPECT_EQ(form.Label5->buddy(), form.Edit3);
  EXPECT_EQ(form.Label29->buddy(), form.Edit17);
  EXPECT_EQ(form.Label42->buddy(), form.Edit23);
}

TEST(Form1, TabGoesThroughTheEditableRowsThenTheHiddenAlternates) {
  Form1 form;
  const std::vector<QWidget*> order{form.ComboBox1, form.Edit1,  form.Edit2,     form.ComboBox2,
                                    form.Edit3,     form.Edit4,  form.ComboBox3, form.ComboBox4,
                                    form.ComboBox5, form.Edit5,  form.CheckBox3, form.CheckBox4,
                                    form.Edit19,    form.Edit20, form.Edit21,    form.Edit22};
  // The focus chain holds every widget; the tab key stops only at those that take tab focus.
  const auto nextTabStop = [](QWidget* widget) {
    do widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus));
    return widget;
  };
  for (std::size_t i = 1; i < order.size(); ++i)
    EXPECT_EQ(nextTabStop(order[i - 1])->objectName(), order[i]->objectName())
        << "after " << order[i - 1]->objectName().toStdString();
}

// The rows name every control of both settings groups exactly once (the model label stands
// beside the rows); what starts hidden is an alternate, what starts shown is not.
TEST(Form1, RowsNameEveryControlOfTheSettingsGroupsOnce) {
  Form1 form;
  const auto check = [](const QGroupBox* group, const auto& rows, QSet<QWidget*> besides) {
    QSet<QWidget*> named = besides;
    for (const FormRow& row : rows) {
      for (QWidget* control : row.controls()) {
        EXPECT_FALSE(named.contains(control)) << control->objectName().toStdString();
        named.insert(control);
      }
      for (QWidget* shown :
           {static_cast<QWidget*>(row.caption), row.input, static_cast<QWidget*>(row.unit)}) {
        if (shown) {
          EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();
        }
      }
      for (QWidget* alternate : {row.alternateInput, row.alternateUnit}) {
        if (alternate) {
          EXPECT_TRUE(alternate->isHidden()) << alternate->objectName().toStdString();
        }
      }
    }
    QSet<QWidget*> children;
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      children.insert(child);
    EXPECT_EQ(named, children) << group->objectName().toStdString();
  };
  check(form.GroupBox1, form.editableRows(), {form.EditNotice});
  check(form.GroupBox2, form.deviceRows(), {form.Label39});
}

TEST(Form1, TheCurrentModelIsTheModelLabelsText) {
  Form1 form;
  EXPECT_EQ(form.currentModel(), "RKA-4");
  form.setCurrentModel("ARR/A");
  EXPECT_EQ(form.Label39->text(), "ARR/A");
  EXPECT_EQ(form.currentModel(), "ARR/A");
}

TEST(Form1, ButtonCaptionsShowCarriageReturnsAsLineBreaks) {
  Form1 form;
  setCaption(form.BitBtn3, QString::fromUtf8("Przepisz\rdo edycji"));
  EXPECT_EQ(form.BitBtn3->text(), "Przepisz\ndo edycji");
  EXPECT_EQ(caption(form.BitBtn3), "Przepisz\rdo edycji");
}

TEST(Form1, TheDesignedSizeHoldsEveryControl) {
  Form1 form;
  for (QWidget* child : form.findChildren<QWidget*>()) child->show();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_LE(form.minimumSizeHint().width(), 862);
  EXPECT_LE(form.minimumSizeHint().height(), 491);
  for (QGroupBox* group : {form.GroupBox1, form.GroupBox2, form.GroupBox3})
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      EXPECT_TRUE(group->rect().contains(child->geometry())) << child->objectName().toStdString();
}

TEST(Form1, ValidatedEditsReportClicksAndLeavingTheBox) {
  Form1 form;
  QSignalSpy changes(&form, &Form1::editChange);
  for (QLineEdit* validated : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit19,
                               form.Edit20, form.Edit21, form.Edit22}) {
    changes.clear();
    QTest::mouseClick(validated, Qt::LeftButton);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(validated, &leave);
    ASSERT_EQ(changes.size(), 2) << validated->objectName().toStdString();
    EXPECT_EQ(changes[0][0].value<QLineEdit*>(), validated);
    EXPECT_EQ(changes[1][0].value<QLineEdit*>(), validated);
  }
}

TEST(Form1, FocusLostToAnotherWindowOrAMenuAndOtherBoxesReportNothing) {
  Form1 form;
  QSignalSpy changes(&form, &Form1::editChange);
  for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    QFocusEvent leave(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(form.Edit1, &leave);
  }
  QTest::mouseClick(form.Edit1, Qt::RightButton);
  QTest::mouseClick(form.Edit5, Qt::LeftButton);
  QTest::mouseClick(form.Edit23, Qt::LeftButton);
  QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
  QCoreApplication::sendEvent(form.Edit5, &leave);
  EXPECT_EQ(changes.size(), 0);
}

}  // namespace
}  // namespace tadjust
