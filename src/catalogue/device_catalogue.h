#pragma once

// The twenty-one device models and how a product code names them. A device announces itself
// only by its 16-bit product code: series = code / 1000, model number = code % 1000. Within
// series 7, 9 and 10 the model number alone selects the temperature model; series 15 holds the
// humidity models. The catalogue is compiled in.
//
// The current model of the program is the text of the model label (Label39); every
// model-dependent decision compares that text, exactly, with the names here. A name not in
// the catalogue (such as the label's start-up text "RKA-4") takes the temperature-transmitter
// branch.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tadjust {

enum class ModelFamily { CurrentOutput, VoltageOutput, Indicator, Humidity };
enum class OutputKind { Current, Voltage, None };

struct DeviceModel {
  std::string_view name;
  ModelFamily family;
  OutputKind output;
  // Temperature models: the model number, valid in series 7, 9 and 10. Humidity models: the
  // whole product code (15001..15004).
  std::uint16_t code;
  // Default texts of the editable lower and upper range, written when the view is laid out;
  // empty when the model has none.
  std::string_view defaultLow;
  std::string_view defaultHigh;
};

inline constexpr std::uint16_t kIndicatorProductCode = 10013;

unsigned series(std::uint16_t productCode);
unsigned modelNumber(std::uint16_t productCode);

// The model a product code names, or nothing.
std::optional<DeviceModel> findDeviceModel(std::uint16_t productCode);

// Every model of the catalogue, temperature models first (by model number), then humidity.
std::span<const DeviceModel> allDeviceModels();

// A product code that names the model: series 7 for the temperature models and the indicator
// (any of 7, 9, 10 would do), the humidity models' own codes.
std::uint16_t exampleProductCode(const DeviceModel& model, unsigned series = 7);

// The model sets, by the name in the model label.
bool isIndicator(std::string_view modelName);       // "GWA-43"
bool isHumidityModel(std::string_view modelName);   // "935-JYRA", "ARR/A", "ARR/V", "ARR-43"
bool hasUnitChoice(std::string_view modelName);     // "ARR/A", "ARR/V", "ARR-43"
bool showsHumidityOutputs(std::string_view modelName);  // "ARR/A", "ARR/V"
bool isFixedSensorProbe(std::string_view modelName);    // the six RQ probes
bool hasSpecialSensorList(std::string_view modelName);  // "RKN-40F3"
bool isTwoWireOnly(std::string_view modelName);         // "RKAW-49"
// Everything that is neither the indicator nor a humidity model, names not in the catalogue too.
bool isTemperatureModel(std::string_view modelName);

}  // namespace tadjust
