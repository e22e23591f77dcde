#include "catalogue/device_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "support/model_sets.h"

namespace tadjust {
namespace {

using namespace testing;  // the model sets by name

struct CodeCase {
  std::uint16_t code;
  const char* name;  // "" = no model
};

class FindDeviceModel : public ::testing::TestWithParam<CodeCase> {};

TEST_P(FindDeviceModel, NamesTheModelOrNone) {
  const auto model = findDeviceModel(GetParam().code);
  const std::string expected = GetParam().name;
  if (expected.empty()) {
    EXPECT_FALSE(model.has_value()) << GetParam().code << " named " << model->name;
  } else {
    ASSERT_TRUE(model.has_value()) << GetParam().code;
    EXPECT_EQ(model->name, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FindDeviceModel,
    ::testing::Values(CodeCase{7001, "RKA-49"}, CodeCase{9001, "RKA-49"}, CodeCase{10001, "RKA-49"},
                      CodeCase{7013, "GWA-43"}, CodeCase{9013, "GWA-43"}, CodeCase{10013, "GWA-43"},
                      CodeCase{9016, "RKN-40F3"}, CodeCase{7020, "RQ-17x-RK/V"},
                      CodeCase{15001, "935-JYRA"}, CodeCase{15004, "ARR-43"}, CodeCase{10009, ""},
                      CodeCase{10014, ""}, CodeCase{10015, ""}, CodeCase{10000, ""},
                      CodeCase{10021, ""}, CodeCase{15000, ""}, CodeCase{15005, ""},
                      CodeCase{16001, ""}, CodeCase{8001, ""}, CodeCase{0, ""},
                      CodeCase{65535, ""}));

TEST(DeviceCatalogue, HasTwentyOneModelsEachFoundByItsExampleCode) {
  ASSERT_EQ(allDeviceModels().size(), 21u);
  for (const DeviceModel& model : allDeviceModels()) {
    for (unsigned s : {7u, 9u, 10u}) {
      const auto found = findDeviceModel(exampleProductCode(model, s));
      ASSERT_TRUE(found.has_value()) << model.name;
      EXPECT_EQ(found->name, model.name);
    }
  }
}

TEST(DeviceCatalogue, FindsAModelByItsExactName) {
  for (const DeviceModel& model : allDeviceModels()) {
    const auto found = findDeviceModelByName(model.name);
    ASSERT_TRUE(found.has_value()) << model.name;
    EXPECT_EQ(found->code, model.code);
  }
  EXPECT_FALSE(findDeviceModelByName("RKA-4").has_value());  // the model label's start-up text
  EXPECT_FALSE(findDeviceModelByName("rka-49").has_value());
  EXPECT_FALSE(findDeviceModelByName("").has_value());
}

TEST(DeviceCatalogue, SeriesAndModelNumberOfAnUnsetCode) {
  EXPECT_EQ(series(0xFFFF), 65u);
  EXPECT_EQ(modelNumber(0xFFFF), 535u);
}

TEST(DeviceCatalogue, ModelSetsCompareNamesExactly) {
  EXPECT_TRUE(isTemperatureModel("RKA-4"));  // the model label's start-up text
  EXPECT_TRUE(isTemperatureModel("rka-49"));
  EXPECT_FALSE(isHumidityModel("arr/a"));
  EXPECT_TRUE(isHumidityModel("935-JYRA"));
  EXPECT_FALSE(hasUnitChoice("935-JYRA"));
  EXPECT_TRUE(hasUnitChoice("ARR-43"));
  EXPECT_FALSE(showsHumidityOutputs("ARR-43"));
  EXPECT_TRUE(isFixedSensorProbe("RQ-17x-RK/V"));
  EXPECT_FALSE(isFixedSensorProbe("RKA-49"));
  EXPECT_TRUE(isIndicator("GWA-43"));
  EXPECT_FALSE(isTemperatureModel("GWA-43"));
}

// The particulars come from the model's row; a name outside the catalogue is a current-output
// transmitter with any sensor and connection.
TEST(DeviceCatalogue, TraitsByNameAreTheColumnsOfTheModelsRow) {
  const ModelTraits unknown = traitsOf("RKA-4");
  EXPECT_EQ(unknown.family, ModelFamily::CurrentOutput);
  EXPECT_EQ(unknown.output, OutputKind::Current);
  EXPECT_FALSE(unknown.probe.has_value() || unknown.specialSensorList || unknown.twoWireOnly ||
               unknown.humidityOutputRows);
  EXPECT_EQ(unknown.unitChoice, UnitChoice::None);
  EXPECT_TRUE(unknown.defaultLow.empty() && unknown.defaultOutputLow.empty());

  for (const DeviceModel& model : allDeviceModels()) {
    const ModelTraits traits = traitsOf(model.name);
    EXPECT_EQ(traits.family, model.family) << model.name;
    EXPECT_EQ(traits.defaultHigh, model.defaultHigh) << model.name;
  }

  struct HumidityCase {
    const char* name;
    OutputKind output;
    UnitChoice unitChoice;
    bool outputRows;
    const char* outputLow;
    const char* outputHigh;
  };
  const HumidityCase cases[] = {
      {"935-JYRA", OutputKind::Voltage, UnitChoice::None, false, "200", "4500"},
      {"ARR/A", OutputKind::Current, UnitChoice::HumidityUnit, true, "4000", "20000"},
      {"ARR/V", OutputKind::Voltage, UnitChoice::PhysicalUnits, true, "0", "10000"},
      {"ARR-43", OutputKind::None, UnitChoice::HumidityUnit, false, "4000", "20000"},
  };
  for (const HumidityCase& c : cases) {
    const ModelTraits traits = traitsOf(c.name);
    EXPECT_EQ(traits.family, ModelFamily::Humidity) << c.name;
    EXPECT_EQ(traits.output, c.output) << c.name;
    EXPECT_EQ(traits.unitChoice, c.unitChoice) << c.name;
    EXPECT_EQ(traits.humidityOutputRows, c.outputRows) << c.name;
    EXPECT_EQ(traits.defaultOutputLow, c.outputLow) << c.name;
    EXPECT_EQ(traits.defaultOutputHigh, c.outputHigh) << c.name;
  }
  EXPECT_TRUE(traitsOf("RKAW-49").twoWireOnly);
  EXPECT_TRUE(traitsOf("RKN-40F3").specialSensorList);
  EXPECT_EQ(traitsOf("RQ-18x-RK/V").defaultLow, "-100");
  EXPECT_EQ(traitsOf("RQ-18x-RK/V").output, OutputKind::Voltage);
}

}  // namespace
}  // namespace tadjust
