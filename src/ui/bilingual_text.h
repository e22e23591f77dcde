#pragma once

#include <QString>

namespace tadjust {

// A user-visible text in the two languages of the program. The language is chosen once at
// start-up (UseEnglish) and every text is picked at the moment it is shown.
// A "\r" inside a text is a line break (message boxes and button captions show it so).
struct BilingualText {
  const char* english;
  const char* polish;

  QString in(bool useEnglish) const { return QString::fromUtf8(useEnglish ? english : polish); }
};

}  // namespace tadjust
