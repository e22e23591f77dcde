#include "ui/new_choice.h"

#include <QAbstractItemView>
#include <QEvent>
#include <utility>

namespace tadjust {

namespace {

// Notes the entry the list shows as each click, key or wheel turn reaches the list or its
// opened view, before the list acts on it (its own filter on the view was installed earlier, so
// it runs after this one).
class ShownBeforeInput final : public QObject {
 public:
  explicit ShownBeforeInput(QComboBox* list) : QObject(list), list_(list) {
    list->installEventFilter(this);
    list->view()->installEventFilter(this);
    list->view()->viewport()->installEventFilter(this);
  }

  // The entry shown before the input that led to this choice, once; -1 when there was none.
  int take() { return std::exchange(shown_, -1); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::KeyPress:
      case QEvent::Wheel:
        shown_ = list_->currentIndex();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QComboBox* list_;
  int shown_ = -1;
};

}  // namespace

void onNewChoice(QComboBox* list, std::function<void()> handler) {
  auto* before = new ShownBeforeInput(list);
  QObject::connect(list, &QComboBox::activated, before,
                   [before, handler = std::move(handler)](int chosen) {
                     if (chosen != before->take()) handler();
                   });
}

}  // namespace tadjust
