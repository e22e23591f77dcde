#include "app/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace tadjust {

bool ToolkitTranslation::apply(bool useEnglish) {
  if (useEnglish) return true;
  if (!translator_.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(&translator_);
}

}  // namespace tadjust
