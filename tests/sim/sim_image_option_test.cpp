// t-adjust-sim --image and --swap-to on files that are no settings image: the program ends at
// once with exit status 2 and one short line saying what the file is, before it opens a
// pseudo-terminal. A directory once ended it with an uncaught exception, a FIFO made it wait for
// a writer, and a link to /dev/zero made it read until memory ran out.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

namespace tadjust {
namespace {

namespace fs = std::filesystem;

struct Ended {
  bool finished = false;
  int exitCode = -1;
  QString errors;
  QString output;
};

Ended runSimulator(const QStringList& arguments) {
  QProcess process;
  process.start(TADJUST_SIM_PROGRAM, arguments);
  Ended ended;
  ended.finished = process.waitForFinished(10'000);
  if (!ended.finished) {
    process.kill();
    process.waitForFinished();
    return ended;
  }
  ended.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  ended.errors = QString::fromUtf8(process.readAllStandardError());
  ended.output = QString::fromUtf8(process.readAllStandardOutput());
  return ended;
}

TEST(SimulatorImageOption, AFileThatIsNoImageEndsItAtOnceWithAShortReason) {
  QTemporaryDir folder;
  const fs::path path = folder.path().toStdString();
  fs::create_directory(path / "folder");
  ASSERT_EQ(mkfifo((path / "fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path / "zero");
  std::ofstream(path / "huge.hex") << std::string(2 * 1024 * 1024, '0');
  std::ofstream(path / "brackets.hex") << std::string(100'000, '[');
  std::ofstream(path / "nested.tadj")
      << "{\"format\": \"t-adjust-settings\", \"image\": " << std::string(100'000, '[')
      << std::string(100'000, ']') << "}";
  const struct {
    const char* file;
    const char* reason;
  } cases[] = {
      {"folder", "is a directory"},   {"fifo", "is a FIFO"},
      {"zero", "is a device"},        {"huge.hex", "larger than 1 MiB"},
      {"brackets.hex", "line 1: \""}, {"nested.tadj", "not a settings file of T-adjust"},
  };
  for (const auto& c : cases) {
    for (const char* option : {"--image", "--swap-to"}) {
      SCOPED_TRACE(std::string(option) + " " + c.file);
      const Ended ended = runSimulator({option, QString::fromStdString((path / c.file).string())});
      ASSERT_TRUE(ended.finished);
      EXPECT_EQ(ended.exitCode, 2);
      EXPECT_TRUE(ended.errors.contains(c.reason)) << ended.errors.toStdString();
      EXPECT_LT(ended.errors.size(), 300) << ended.errors.toStdString();
      EXPECT_TRUE(ended.output.isEmpty()) << "no pseudo-terminal was opened";
    }
  }
}

}  // namespace
}  // namespace tadjust
