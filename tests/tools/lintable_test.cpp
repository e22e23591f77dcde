// t-adjust-lintable as a program: the table, its JSON form, refused windows and bad arguments.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

namespace tadjust {
namespace {

struct ToolRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

ToolRun lintable(const QStringList& arguments) {
  QProcess process;
  process.start(TADJUST_LINTABLE_PATH, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return {};
  return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject jsonObject(const QByteArray& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(text, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_TRUE(document.isObject());
  return document.object();
}

bool isWord(const QJsonValue& value) {
  return value.isDouble() && value.toDouble() == value.toInt(-1) && value.toInt() >= 0 &&
         value.toInt() <= 0xFFFF;
}

TEST(Lintable, JsonHoldsTheStoredWordsOfTheKTable) {
  const ToolRun run = lintable({"6", "7", "0", "1000", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QJsonObject table = jsonObject(run.out);

  EXPECT_EQ(table["InputLimitHighRaw"].toInt(), 47918);
  EXPECT_EQ(table["segments"].toInt(), 19);
  const struct {
    const char* name;
    qsizetype size;
  } arrays[] = {{"LinSignal", 20}, {"LinSlope", 20}, {"LinTemp", 20},
                {"CjcTemp", 7},    {"CjcSlope", 7},  {"CjcSignal", 7}};
  for (const auto& array : arrays) {
    SCOPED_TRACE(array.name);
    ASSERT_TRUE(table[array.name].isArray());
    const QJsonArray words = table[array.name].toArray();
    EXPECT_EQ(words.size(), array.size);
    for (const QJsonValue& word : words) EXPECT_TRUE(isWord(word)) << word.toDouble();
  }
  for (const char* name :
       {"passes", "LinSlopeShift", "CjcSlopeShift", "InputLimitHighRaw", "segments"})
    EXPECT_TRUE(isWord(table[name])) << name;
  // The window in °C (the range widened for the output's margins), the table's first entry at
  // its lower limit, and the entries past the last segment as the encoder leaves them.
  EXPECT_EQ(table["lowerLimit"].toInt(), -13);
  EXPECT_EQ(table["upperLimit"].toInt(), 1032);
  EXPECT_EQ(table["LinTemp"].toArray()[0].toInt(), (-13 + 200) * 30);
  EXPECT_EQ(table["LinSignal"].toArray()[19].toInt(), 0xFFFF);
}

// The same table as the human form prints it.
TEST(Lintable, TheTableStaysTheDefault) {
  const ToolRun run = lintable({"6", "7", "0", "1000"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.out.contains("19 segments"));
  EXPECT_TRUE(run.out.contains("InputLimitHighRaw 47918"));
  EXPECT_FALSE(run.out.trimmed().startsWith('{'));
}

TEST(Lintable, AnUnwritableWindowIsAJsonErrorWithStatus1) {
  const ToolRun run = lintable({"2", "9", "400", "800", "--reversed", "--json"});
  EXPECT_EQ(run.exitCode, 1);
  const QJsonObject answer = jsonObject(run.out);
  EXPECT_EQ(answer.keys(), QStringList{"error"});
  EXPECT_FALSE(answer["error"].toString().isEmpty());
  // The options may come in either order.
  EXPECT_EQ(lintable({"2", "9", "400", "800", "--json", "--reversed"}).out, run.out);
}

TEST(Lintable, BadArgumentsPrintTheUsageWithStatus2) {
  const QStringList cases[] = {
      {},
      {"6", "7", "0"},
      {"6", "7", "0", "1000", "--json", "--json"},
      {"6", "7", "0", "1000", "--reversed", "--reversed"},
      {"6", "7", "0", "1000", "--yaml"},
      {"6", "7", "0", "1000", "--json", "--reversed", "extra"},
      {"9", "7", "0", "1000", "--json"},
      {"6", "8", "0", "1000", "--json"},
      {"6", "7", "zero", "1000", "--json"},
      {"6", "7", "0", "1000.5"},
      // Ranges whose span would not fit an int.
      {"6", "7", "2147483647", "-2147483648", "--json"},
      {"6", "7", "-10001", "1000"},
  };
  for (const QStringList& arguments : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const ToolRun run = lintable(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.startsWith("usage: t-adjust-lintable"));
  }
}

#ifdef __linux__
// The tool runs where no window can open: it needs Qt Core and none of the window libraries.
TEST(Lintable, NeedsNoWindowLibrary) {
  QProcess readelf;
  readelf.start("readelf", {"-d", TADJUST_LINTABLE_PATH});
  if (!readelf.waitForFinished(10000)) GTEST_SKIP() << "readelf is not at hand";
  const QByteArray needed = readelf.readAllStandardOutput();
  EXPECT_TRUE(needed.contains("libQt6Core"));
  EXPECT_FALSE(needed.contains("libQt6Gui"));
  EXPECT_FALSE(needed.contains("libQt6Widgets"));
}
#endif

}  // namespace
}  // namespace tadjust
