#include "catalogue/device_catalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace tadjust {
namespace {

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

}  // namespace
}  // namespace tadjust
