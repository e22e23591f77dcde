#include "app/start_up.h"

#include <QKeySequence>

#include "ui/window_texts.h"

namespace tadjust {

void FormCreate(Form1& form, MessageBoxes& boxes, bool& RetrySearch) {
  const Answer answer = boxes.ask(window_texts::LanguageQuestionCaption.in(false),
                                  window_texts::LanguageQuestionText.in(false), Buttons::YesNo);
  form.UseEnglish = answer != Answer::Yes;

  // The window is built with the Polish texts.
  if (form.UseEnglish) applyStartCaptions(form, true);

  setCaption(form.BitBtn1, window_texts::StartButton.in(form.UseEnglish));
  setCaption(form.BitBtn3, window_texts::CopyButton.in(form.UseEnglish));
  setCaption(form.BitBtn4, window_texts::SendButton.in(form.UseEnglish));
  setCaption(form.ReadAgainButton, window_texts::ReadAgainButton.in(form.UseEnglish));
  // A caption sets the button's shortcut to its mnemonic; F5 comes after it. It works only
  // while the button is shown.
  form.ReadAgainButton->setShortcut(QKeySequence(Qt::Key_F5));
  form.mainMenu.applyTexts(form.UseEnglish);

  RetrySearch = false;
}

}  // namespace tadjust
