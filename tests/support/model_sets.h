#pragma once

// The model sets by the name the model label shows, as the tests' oracle: each a column of the
// catalogue read through its name. The program itself looks a name up once per layout.

#include <string_view>

#include "catalogue/device_catalogue.h"

namespace tadjust::testing {

// The particulars of the model of that name; a temperature transmitter's for a name that is
// not in the catalogue.
inline ModelTraits traitsOf(std::string_view modelName) {
  if (const std::optional<DeviceModel> model = findDeviceModelByName(modelName)) return *model;
  return ModelTraits{};
}

inline bool isIndicator(std::string_view name) {
  return traitsOf(name).family == ModelFamily::Indicator;
}
inline bool isHumidityModel(std::string_view name) {
  return traitsOf(name).family == ModelFamily::Humidity;
}
inline bool hasUnitChoice(std::string_view name) {
  return traitsOf(name).unitChoice != UnitChoice::None;
}
inline bool showsHumidityOutputs(std::string_view name) {
  return traitsOf(name).humidityOutputRows;
}
inline bool isFixedSensorProbe(std::string_view name) { return traitsOf(name).probe.has_value(); }
inline bool hasSpecialSensorList(std::string_view name) { return traitsOf(name).specialSensorList; }
inline bool isTwoWireOnly(std::string_view name) { return traitsOf(name).twoWireOnly; }
// Everything that is neither the indicator nor a humidity model, names not in the catalogue too.
inline bool isTemperatureModel(std::string_view name) {
  return !isIndicator(name) && !isHumidityModel(name);
}

}  // namespace tadjust::testing
