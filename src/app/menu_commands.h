#pragma once

// The menu's actions connected to what they do, each enabled only where it can act. The
// exchange tells the menu whenever a device becomes read or stops being
// (ExchangeController::setStateChanged), and refresh() enables the entries anew.

#include <QAction>
#include <functional>
#include <vector>

#include "app/exchange_controller.h"

namespace tadjust {

// What a menu entry needs before it can act.
enum class MenuNeeds {
  Nothing,           // Quit
  DeviceRead,        // a device read in this link, no read under way: saving, comparing, the record
  LinkedReadDevice,  // the same, the box still there and nothing under way: opening a settings
                     // file applies it
};

bool canAct(MenuNeeds needs, const ExchangeState& state);

class MenuCommands {
 public:
  explicit MenuCommands(const ExchangeState& state) : state_(state) {}

  // The action runs `run` when triggered, and is enabled while the state gives it what it needs.
  void connect(QAction* action, MenuNeeds needs, std::function<void()> run);

  void refresh();

 private:
  struct Command {
    QAction* action;
    MenuNeeds needs;
  };

  const ExchangeState& state_;
  std::vector<Command> commands_;
};

}  // namespace tadjust
