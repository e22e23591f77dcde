#pragma once

#include <QString>

namespace tadjust {

// The button sets of the program's modal message boxes (Ok alone for plain notices).
enum class Buttons { OkCancel, YesNo, RetryCancel, Ok };

// What the user answered. Closing a box without pressing a button is Closed; callers test
// the answer against one button and treat every other answer as the other one.
enum class Answer { Ok, Cancel, Yes, No, Retry, Closed };

// Modal message boxes, injected so that tests can script the answers and record the
// questions. The text may hold "\r" line breaks.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer ask(const QString& caption, const QString& text, Buttons buttons) = 0;
  // The same question with details the user may unfold (lines separated by "\n"). Boxes that
  // show no details ask the question alone.
  virtual Answer askWithDetails(const QString& caption, const QString& text, Buttons buttons,
                                const QString& details) {
    static_cast<void>(details);
    return ask(caption, text, buttons);
  }
  // A question whose answer is an action: its button (acceptCaption) answers Ok, Cancel
  // answers Cancel and is the default, so Enter or Escape sends nothing. Boxes that cannot
  // name a button ask with OK and Cancel.
  virtual Answer confirm(const QString& caption, const QString& text,
                         const QString& acceptCaption) {
    static_cast<void>(acceptCaption);
    return ask(caption, text, Buttons::OkCancel);
  }
  // The toolkit's standard report of an error that a handler lets escape (OK only).
  virtual void reportError(const QString& text) = 0;
};

// The real message boxes: QMessageBox, application-modal, with "\r" shown as a line break.
class QtMessageBoxes final : public MessageBoxes {
 public:
  Answer ask(const QString& caption, const QString& text, Buttons buttons) override;
  Answer askWithDetails(const QString& caption, const QString& text, Buttons buttons,
                        const QString& details) override;
  Answer confirm(const QString& caption, const QString& text,
                 const QString& acceptCaption) override;
  void reportError(const QString& text) override;
};

}  // namespace tadjust
