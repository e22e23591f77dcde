#pragma once

// A list's choice handler runs on a new choice only. QComboBox::activated also fires when the
// user picks the entry the list already shows (a click on it in the opened list); that pick
// changes nothing.

#include <QComboBox>
#include <functional>

namespace tadjust {

// Runs handler when the user chooses an entry other than the one the list showed before the
// click or key that chose it. A choice signalled without any input (program code emitting
// activated) counts as new.
void onNewChoice(QComboBox* list, std::function<void()> handler);

}  // namespace tadjust
