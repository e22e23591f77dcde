#include "app/menu_commands.h"

namespace tadjust {

bool canAct(MenuNeeds needs, const ExchangeState& state) {
  const bool deviceRead = state.DeviceLinked && !state.ReadPending;
  switch (needs) {
    case MenuNeeds::Nothing:
      return true;
    case MenuNeeds::DeviceRead:
      return deviceRead;
    case MenuNeeds::LinkedReadDevice:
      return deviceRead && !state.connectionLost && !state.exchangeUnderWay;
  }
  return false;
}

void MenuCommands::connect(QAction* action, MenuNeeds needs, std::function<void()> run) {
  commands_.push_back({action, needs});
  // A shortcut pressed as the state changes finds the command unable to act: nothing happens.
  QObject::connect(action, &QAction::triggered, [this, needs, run = std::move(run)] {
    if (canAct(needs, state_)) run();
  });
  refresh();
}

void MenuCommands::refresh() {
  for (const Command& command : commands_)
    command.action->setEnabled(canAct(command.needs, state_));
}

}  // namespace tadjust
