#pragma once

#include "ui/form1.h"
#include "ui/message_boxes.h"

namespace tadjust {

// Runs before the window is first shown: asks the language of the user interface ("Polski
// /Polish?"; Yes is Polish, any other answer English), translates the window's start captions
// and lists into English when English was chosen, sets the captions of the three action
// buttons and the menu in the chosen language, and clears RetrySearch.
void FormCreate(Form1& form, MessageBoxes& boxes, bool& RetrySearch);

}  // namespace tadjust
