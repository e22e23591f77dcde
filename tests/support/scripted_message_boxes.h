#pragma once

// Message boxes that answer from a script and record what was asked, for tests of code that
// asks the user. Asking with no answer left fails the test (and answers Closed).

#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <functional>
#include <initializer_list>
#include <vector>

#include "ui/message_boxes.h"

namespace tadjust::testing {

struct AskedQuestion {
  QString caption;
  QString text;
  Buttons buttons;
  QString details;
  QString acceptCaption;  // a confirmation's action button
};

class ScriptedMessageBoxes final : public MessageBoxes {
 public:
  ScriptedMessageBoxes() = default;
  ScriptedMessageBoxes(std::initializer_list<Answer> answers) : answers_(answers) {}

  void queue(Answer answer) { answers_.push_back(answer); }

  Answer ask(const QString& caption, const QString& text, Buttons buttons) override {
    return askWithDetails(caption, text, buttons, {});
  }

  Answer askWithDetails(const QString& caption, const QString& text, Buttons buttons,
                        const QString& details) override {
    questions.push_back({caption, text, buttons, details, {}});
    // What happens while the box is open: timer ticks keep arriving in a modal loop.
    if (whileOpen) whileOpen();
    if (answers_.empty()) {
      ADD_FAILURE() << "unexpected question: " << caption.toStdString() << " / "
                    << text.toStdString();
      return Answer::Closed;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  Answer confirm(const QString& caption, const QString& text,
                 const QString& acceptCaption) override {
    const Answer answer = askWithDetails(caption, text, Buttons::OkCancel, {});
    questions.back().acceptCaption = acceptCaption;
    return answer;
  }

  void reportError(const QString& text) override { errors.push_back(text); }

  std::size_t answersLeft() const { return answers_.size(); }

  std::function<void()> whileOpen;
  std::vector<AskedQuestion> questions;
  std::vector<QString> errors;

 private:
  std::deque<Answer> answers_;
};

}  // namespace tadjust::testing
