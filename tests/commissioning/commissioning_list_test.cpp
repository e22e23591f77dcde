#include "commissioning/commissioning_list.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/settings_file_fixtures.h"

namespace tadjust {
namespace {

using testing::settingsFileOf;
using testing::writeFile;
using K = ListFaultKind;

// The list's folder: an RKA-49 file (Pt100, 3-wire, 0..150 °C) and an RKA-40 file (thermocouple
// K, internal junction, 0..1000 °C), and a file that is no settings file.
class ListFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(writeFile(folder.filePath("pt100.tadj"),
                          writeSettingsFile(settingsFileOf("RKA-49", 21017))));
    ASSERT_TRUE(
        writeFile(folder.filePath("k.tadj"), writeSettingsFile(settingsFileOf("RKA-40", 30001))));
    ASSERT_TRUE(writeFile(folder.filePath("notes.tadj"), "not a settings file"));
  }

  CommissioningListReading read(const QByteArray& list) {
    return readCommissioningList(list, QDir(folder.path()));
  }

  QTemporaryDir folder;
};

TEST_F(ListFolder, ReadsRowsWithTheirFilesOverridesAndTags) {
  const QByteArray list =
      "tag,settings,model,rangeHigh,sensorType\r\n"
      "TT-101,pt100.tadj,,,\r\n"
      "TT-102,pt100.tadj,RKA-49,120.5,\r\n"
      "\r\n"
      "TT-103,k.tadj,,,J\r\n";
  const auto reading = read(list);
  ASSERT_TRUE(std::holds_alternative<CommissioningList>(reading));
  const auto& rows = std::get<CommissioningList>(reading).rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].line, 2);
  EXPECT_EQ(rows[0].tag, "TT-101");
  EXPECT_EQ(rows[0].model, "RKA-49");
  EXPECT_EQ(rows[0].sourceSerialNumber, 21017);
  EXPECT_EQ(fieldText(rows[0].settings, SettingsField::RangeHigh), "150");
  EXPECT_EQ(fieldText(rows[0].settings, SettingsField::Tag), "TT-101");
  EXPECT_TRUE(rows[0].overridden.empty());
  EXPECT_EQ(fieldText(rows[1].settings, SettingsField::RangeHigh), "120.5");
  EXPECT_EQ(fieldText(rows[1].settings, SettingsField::RangeLow), "0");
  EXPECT_EQ(rows[1].overridden, std::vector{SettingsField::RangeHigh});
  // A blank line between rows is skipped, and lines keep their numbers.
  EXPECT_EQ(rows[2].line, 5);
  EXPECT_EQ(fieldText(rows[2].settings, SettingsField::SensorType), "J");
  EXPECT_EQ(fieldText(rows[2].settings, SettingsField::Connection), "internal");
  EXPECT_EQ(std::get<CommissioningList>(reading).contentHash, listContentHash(list));
}

// As a Polish spreadsheet saves it: a byte-order mark, semicolons, decimal commas, headers in
// another case, empty columns after the last, a quoted tag holding the separator.
TEST_F(ListFolder, ReadsASemicolonListWithDecimalCommas) {
  const auto reading = read(
      "\xEF\xBB\xBFTag;Settings;temperatureOffset;;\n"
      "\"T;1\";pt100.tadj;-0,5;;\n"
      "TT-2;pt100.tadj;;;\n");
  ASSERT_TRUE(std::holds_alternative<CommissioningList>(reading));
  const auto& rows = std::get<CommissioningList>(reading).rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].tag, "T;1");
  EXPECT_EQ(fieldText(rows[0].settings, SettingsField::TemperatureOffset), "-0.5");
}

struct FaultCase {
  const char* name;
  QByteArray list;
  std::vector<std::tuple<int, int, ListFaultKind>> faults;  // line, column, kind
};

TEST_F(ListFolder, RefusesAFaultyListNamingEveryFaultByLineAndColumn) {
  const std::vector<FaultCase> cases = {
      {"unknown column", "tag,settings,rangeTop\nA,pt100.tadj,1\n", {{1, 3, K::UnknownColumn}}},
      {"repeated column", "tag,settings,Tag\nA,pt100.tadj,B\n", {{1, 3, K::RepeatedColumn}}},
      {"no tag column", "settings\npt100.tadj\n", {{1, 0, K::NoTagColumn}}},
      {"missing file", "tag,settings\nA,pt100.tadj\nB,gone.tadj\n", {{3, 2, K::MissingFile}}},
      {"not a settings file", "tag,settings\nA,notes.tadj\n", {{2, 2, K::BadSettingsFile}}},
      {"a folder for a file", "tag,settings\nA,.\n", {{2, 2, K::BadSettingsFile}}},
      {"duplicate tag",
       "tag,settings\nA,pt100.tadj\nB,pt100.tadj\nA,k.tadj\n",
       {{4, 1, K::RepeatedTag}}},
      {"no tag", "tag,settings\n,pt100.tadj\n", {{2, 1, K::NoTag}}},
      {"no settings", "tag,settings\nA,\n", {{2, 2, K::NoSettings}}},
      {"no settings column", "tag,rangeHigh\nA,100\n", {{2, 0, K::NoSettings}}},
      {"number that does not parse",
       "tag,settings,rangeHigh\nA,pt100.tadj,abc\n",
       {{2, 3, K::BadValue}}},
      {"a grouping is no decimal comma",
       "tag;settings;rangeHigh\nA;pt100.tadj;1,000\n",
       {{2, 3, K::BadValue}}},
      {"list entry that does not exist",
       "tag,settings,connection\nA,pt100.tadj,5-wire\n",
       {{2, 3, K::BadValue}}},
      {"flag that is not one",
       "tag,settings,outputReversed\nA,pt100.tadj,yes\n",
       {{2, 3, K::BadValue}}},
      {"setting of another layout",
       "tag,settings,displayLow\nA,pt100.tadj,0\n",
       {{2, 3, K::NotOfModel}}},
      {"unknown model", "tag,settings,model\nA,pt100.tadj,RKA-4\n", {{2, 3, K::UnknownModel}}},
      {"model other than the file's",
       "tag,settings,model\nA,pt100.tadj,RKA-40\n",
       {{2, 3, K::OtherModel}}},
      {"sensor type the file's connection does not fit",
       "tag,settings,sensorType\nA,pt100.tadj,K\n",
       {{2, 3, K::ConflictsWithFile}}},
      {"tag longer than the device stores",
       "tag,settings\nTT-1234567890,pt100.tadj\n",
       {{2, 1, K::TagNotStorable}}},
      {"tag the device's code page has not",
       "tag,settings\nTT-Ω,pt100.tadj\n",
       {{2, 1, K::TagNotStorable}}},
      {"cell beyond the header", "tag,settings\nA,pt100.tadj,x\n", {{2, 3, K::ExtraCells}}},
      {"not UTF-8", "tag,settings\nA,pt100.tadj\nB\xFF,pt100.tadj\n", {{3, 0, K::NotUtf8}}},
      {"unclosed quote",
       "tag,settings\nA,pt100.tadj\n\"B,pt100.tadj\n",
       {{3, 0, K::UnclosedQuote}}},
      {"header and nothing else", "tag,settings\n", {{1, 0, K::NoRows}}},
      {"empty", "", {{1, 0, K::NoHeader}}},
      {"every fault of several rows",
       "tag,settings,rangeHigh\n"
       "A,pt100.tadj,abc\n"
       "A,gone.tadj,\n"
       "\"quoted\nover two lines\",,\n"
       "B,pt100.tadj,1e\n",
       {{2, 3, K::BadValue},
        {3, 1, K::RepeatedTag},
        {3, 2, K::MissingFile},
        {4, 2, K::NoSettings},
        {6, 3, K::BadValue}}},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto reading = read(c.list);
    ASSERT_TRUE(std::holds_alternative<std::vector<ListFault>>(reading));
    const auto& faults = std::get<std::vector<ListFault>>(reading);
    std::vector<std::tuple<int, int, ListFaultKind>> found;
    for (const ListFault& fault : faults) found.emplace_back(fault.line, fault.column, fault.kind);
    EXPECT_EQ(found, c.faults);
  }
}

TEST_F(ListFolder, NamesTheColumnByItsHeaderAndTheFileByItsFault) {
  const auto reading = read("tag,settings,rangeHigh\nA,notes.tadj,\nB,pt100.tadj,x\n");
  const auto& faults = std::get<std::vector<ListFault>>(reading);
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[0].header, "settings");
  EXPECT_EQ(faults[0].detail, "notes.tadj");
  EXPECT_EQ(faults[0].settingsFile.kind, SettingsFileProblem::Kind::Content);
  EXPECT_EQ(faults[0].settingsFile.error.fault, SettingsFileFault::kNotJson);
  EXPECT_EQ(faults[1].header, "rangeHigh");
  EXPECT_EQ(faults[1].detail, "x");
}

TEST(ColumnLetter, CountsAsASpreadsheetDoes) {
  EXPECT_EQ(columnLetter(1), "A");
  EXPECT_EQ(columnLetter(26), "Z");
  EXPECT_EQ(columnLetter(27), "AA");
  EXPECT_EQ(columnLetter(53), "BA");
}

}  // namespace
}  // namespace tadjust
