// A port the system refuses this user, on a real pseudo-terminal: t-adjust-sim serves it as
// root (mode 620, group tty), and the program's port operations open it as the user "nobody",
// who may not. The program names the device file, the cause and the cure. Runs only where the
// test may change its user (as root, as CI runs).

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "simulated_device_session.h"

namespace tadjust {
namespace {

TEST(RefusedPortOnATerminal, AnUnprivilegedUserIsToldTheCauseAndTheCure) {
  const QString setpriv = QStandardPaths::findExecutable("setpriv");
  if (geteuid() != 0 || setpriv.isEmpty()) {
    GTEST_SKIP() << "needs root and setpriv to open the port as another user";
  }
  testing::SimulatorProcess simulator({"--model", "RKA-49"});
  ASSERT_FALSE(simulator.terminalPath().isEmpty());

  // The helper is copied where "nobody" may run it: the build tree may lie in a private folder.
  QTemporaryDir folder(QDir::tempPath() + "/t-adjust-refused-XXXXXX");
  ASSERT_TRUE(folder.isValid());
  QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
  const QString helper = folder.filePath("open-port-as-user");
  ASSERT_TRUE(QFile::copy(TADJUST_OPEN_PORT_AS_USER, helper));

  QProcess run;
  run.start(setpriv, {"--reuid=nobody", "--regid=nogroup", "--clear-groups", helper,
                      simulator.terminalPath()});
  ASSERT_TRUE(run.waitForFinished(10000));
  const QString output = QString::fromUtf8(run.readAllStandardOutput());
  const QString path = simulator.terminalPath();
  EXPECT_EQ(run.exitCode(), 0) << output.toStdString() << run.readAllStandardError().toStdString();
  EXPECT_EQ(output, "Permission denied for " + path +
                        ". Add your user to the 'dialout' group and log in again.\n"
                        "Brak uprawnień do " +
                        path +
                        ". Dodaj swojego użytkownika do grupy 'dialout' i zaloguj się "
                        "ponownie.\n");
}

}  // namespace
}  // namespace tadjust
