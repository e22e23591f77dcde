#include "link/port_memory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <optional>

#ifndef _WIN32
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#endif

namespace tadjust {
namespace {

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PortMemoryTest : public ::testing::Test {
 protected:
  QTemporaryDir programDirectory;
  QTemporaryDir configurationDirectory;
  PortMemory memory{programDirectory.path(), configurationDirectory.path()};
};

TEST_F(PortMemoryTest, LivesBesideTheProgramWhenItsFolderIsWritable) {
  EXPECT_EQ(memory.path(), QDir(programDirectory.path()).filePath("T-adjust.ini"));
  EXPECT_FALSE(memory.exists());
  EXPECT_EQ(memory.readName(), "");
}

TEST_F(PortMemoryTest, WritesTheNameUnderComPortAndReadsItBack) {
  ASSERT_TRUE(memory.writeName("VCP0:COM5"));
  EXPECT_TRUE(memory.exists());
  EXPECT_EQ(memory.readName(), "VCP0:COM5");
  EXPECT_TRUE(contents(memory.path()).contains("[ComPort]\nName=VCP0:COM5"));

  ASSERT_TRUE(memory.writeName("ftdi_sio:/dev/ttyUSB0"));
  EXPECT_EQ(PortMemory(programDirectory.path()).readName(), "ftdi_sio:/dev/ttyUSB0");
}

TEST_F(PortMemoryTest, ReadsAFileWrittenElsewhere) {
  QFile file(memory.path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Other]\nKey=1\n\n[ComPort]\nName=COM3\n");
  file.close();
  EXPECT_EQ(memory.readName(), "COM3");

  QFile withoutKey(memory.path());
  ASSERT_TRUE(withoutKey.open(QIODevice::WriteOnly | QIODevice::Truncate));
  withoutKey.write("[ComPort]\n");
  withoutKey.close();
  EXPECT_TRUE(memory.exists());
  EXPECT_EQ(memory.readName(), "");
}

TEST_F(PortMemoryTest, AFileThatCannotBeWrittenIsReported) {
  // A folder in the file's place cannot be written, even by an administrator.
  ASSERT_TRUE(QDir(programDirectory.path()).mkdir("T-adjust.ini"));
  EXPECT_FALSE(memory.exists());
  EXPECT_FALSE(memory.writeName("COM5"));
}

TEST_F(PortMemoryTest, AFileOfMoreThan64KiBHoldsNoPortAndIsNotRewritten) {
  const QByteArray remembered = "[ComPort]\nName=COM3\n";
  const struct {
    qint64 size;
    bool taken;
  } cases[] = {{kMaxIniFileSize, true}, {kMaxIniFileSize + 1, false}, {1 << 20, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    QByteArray text = remembered;
    text.append(QByteArray(c.size - text.size() - 1, ';')).append('\n');
    {
      QFile file(memory.path());
      ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(text);
    }
    EXPECT_EQ(memory.exists(), c.taken);
    EXPECT_EQ(memory.readName(), c.taken ? "COM3" : "");
    EXPECT_EQ(memory.writeName("COM5"), c.taken);
    if (!c.taken) {
      EXPECT_EQ(contents(memory.path()), text);
    }
  }
}

#ifndef _WIN32
// Runs the call in a child process and gives what it returned, or nothing when it has not
// finished within a few seconds (the child is then killed): a FIFO must not hang the test.
std::optional<QByteArray> withinSeconds(const std::function<QByteArray()>& call) {
  int channel[2];
  if (pipe(channel) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const QByteArray result = call();
    const bool written = write(channel[1], result.data(), result.size()) == result.size();
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  QByteArray result;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  bool ended = false;
  while (!ended && std::chrono::steady_clock::now() < deadline) {
    pollfd readable{channel[0], POLLIN, 0};
    if (poll(&readable, 1, 100) <= 0) continue;
    char bytes[256];
    const ssize_t count = read(channel[0], bytes, sizeof bytes);
    if (count > 0) result.append(bytes, count);
    ended = count <= 0;
  }
  close(channel[0]);
  if (!ended) kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  if (!ended) return std::nullopt;
  return result;
}

// A FIFO in the place of the file would block the profile functions until someone writes into
// it; so would one in the place of their lock file.
TEST_F(PortMemoryTest, AFifoInPlaceOfTheFileIsNeitherReadNorWritten) {
  for (const QString& fifo : {memory.path(), memory.path() + ".lock"}) {
    SCOPED_TRACE(fifo.toStdString());
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(withinSeconds([&] { return memory.readName().toUtf8(); }), QByteArray());
    EXPECT_EQ(withinSeconds([&] { return QByteArray(memory.writeName("COM5") ? "written" : ""); }),
              QByteArray());
    if (fifo == memory.path()) {
      EXPECT_FALSE(memory.exists());
    }
    ASSERT_TRUE(QFile::remove(fifo));
  }
}

TEST(PortMemoryLocation, MovesToTheConfigurationFolderWhenTheProgramsFolderIsNotWritable) {
  QTemporaryDir configurationDirectory;
  const QString nested = QDir(configurationDirectory.path()).filePath("t-adjust");
  PortMemory memory("/nonexistent-program-folder", nested);
  EXPECT_EQ(memory.path(), QDir(nested).filePath("T-adjust.ini"));
  ASSERT_TRUE(memory.writeName("USB:/dev/ttyACM0"));
  EXPECT_EQ(PortMemory("/nonexistent-program-folder", nested).readName(), "USB:/dev/ttyACM0");
}
#endif

}  // namespace
}  // namespace tadjust
