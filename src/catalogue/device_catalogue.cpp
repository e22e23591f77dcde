#include "catalogue/device_catalogue.h"

#include <algorithm>
#include <array>

namespace tadjust {

namespace {

using enum ModelFamily;
using enum OutputKind;

constexpr std::array<DeviceModel, 21> kModels = {{
    {"RKA-49", CurrentOutput, Current, 1, "", ""},
    {"RKA-59", VoltageOutput, Voltage, 2, "", ""},
    {"RKA-40", CurrentOutput, Current, 3, "", ""},
    {"RKA-50", VoltageOutput, Voltage, 4, "", ""},
    {"RKN-49", CurrentOutput, Current, 5, "", ""},
    {"RKN-59", VoltageOutput, Voltage, 6, "", ""},
    {"RKN-40", CurrentOutput, Current, 7, "", ""},
    {"RKN-50", VoltageOutput, Voltage, 8, "", ""},
    {"RKAW-49", CurrentOutput, Current, 10, "", ""},
    {"RQ-117/A", CurrentOutput, Current, 11, "-50", "200"},
    {"RQ-117/V", VoltageOutput, Voltage, 12, "-50", "200"},
    {"GWA-43", Indicator, None, 13, "", ""},
    {"RKN-40F3", CurrentOutput, Current, 16, "", ""},
    {"RQ-18x-RK/A", CurrentOutput, Current, 17, "-100", "400"},
    {"RQ-17x-RK/A", CurrentOutput, Current, 18, "-30", "70"},
    {"RQ-18x-RK/V", VoltageOutput, Voltage, 19, "-100", "400"},
    {"RQ-17x-RK/V", VoltageOutput, Voltage, 20, "-30", "70"},
    {"935-JYRA", Humidity, Voltage, 15001, "-40", "120"},
    {"ARR/A", Humidity, Current, 15002, "-40", "120"},
    {"ARR/V", Humidity, Voltage, 15003, "-40", "120"},
    {"ARR-43", Humidity, None, 15004, "-40", "80"},
}};

constexpr unsigned kHumiditySeries = 15;

bool isTemperatureSeries(unsigned s) { return s == 7 || s == 9 || s == 10; }

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

unsigned series(std::uint16_t productCode) { return productCode / 1000u; }
unsigned modelNumber(std::uint16_t productCode) { return productCode % 1000u; }

std::optional<DeviceModel> findDeviceModel(std::uint16_t productCode) {
  const unsigned s = series(productCode);
  const unsigned number = modelNumber(productCode);
  for (const DeviceModel& model : kModels) {
    const bool humidity = model.family == Humidity;
    if (!humidity && isTemperatureSeries(s) && model.code == number) return model;
    if (humidity && s == kHumiditySeries && model.code == productCode) return model;
  }
  return std::nullopt;
}

std::span<const DeviceModel> allDeviceModels() { return kModels; }

std::uint16_t exampleProductCode(const DeviceModel& model, unsigned s) {
  if (model.family == Humidity) return model.code;
  return static_cast<std::uint16_t>(s * 1000 + model.code);
}

bool isIndicator(std::string_view name) { return name == "GWA-43"; }

bool isHumidityModel(std::string_view name) {
  return isOneOf(name, {"935-JYRA", "ARR/A", "ARR/V", "ARR-43"});
}

bool hasUnitChoice(std::string_view name) { return isOneOf(name, {"ARR/A", "ARR/V", "ARR-43"}); }

bool showsHumidityOutputs(std::string_view name) { return isOneOf(name, {"ARR/A", "ARR/V"}); }

bool isFixedSensorProbe(std::string_view name) {
  return isOneOf(name, {"RQ-117/A", "RQ-117/V", "RQ-18x-RK/A", "RQ-17x-RK/A", "RQ-18x-RK/V",
                        "RQ-17x-RK/V"});
}

bool hasSpecialSensorList(std::string_view name) { return name == "RKN-40F3"; }

bool isTwoWireOnly(std::string_view name) { return name == "RKAW-49"; }

bool isTemperatureModel(std::string_view name) {
  return !isIndicator(name) && !isHumidityModel(name);
}

}  // namespace tadjust
