#pragma once

// Qt's own texts in the chosen language: the standard buttons of the message boxes read
// "Ponów", "Anuluj" and "OK" in Polish. The program's texts are its own, in both languages; this
// is only the toolkit's part.

#include <QTranslator>

namespace tadjust {

class ToolkitTranslation {
 public:
  // Loads and installs Qt's Polish translation (qtbase_pl from Qt's translations folder) when
  // Polish was chosen; English is Qt's own language. False when Polish was chosen and the
  // translation could not be loaded: the standard buttons then stay English.
  bool apply(bool useEnglish);

 private:
  // Installed for as long as it lives.
  QTranslator translator_;
};

}  // namespace tadjust
