#include "link/port_memory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

#ifndef _WIN32
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
