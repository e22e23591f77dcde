#include "app/computer_user.h"

#include <QDir>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace tadjust {

QString computerUserName() {
#ifdef Q_OS_UNIX
  if (const passwd* user = getpwuid(geteuid())) return QString::fromLocal8Bit(user->pw_name);
#endif
  return QDir::home().dirName();
}

}  // namespace tadjust
