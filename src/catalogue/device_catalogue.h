#pragma once

// The twenty-one device models and how a product code names them. A device announces itself
// only by its 16-bit product code: series = code / 1000, model number = code % 1000. Within
// series 7, 9 and 10 the model number alone selects the temperature model; series 15 holds the
// humidity models. The catalogue is compiled in.
//
// The current model of the program is the text of the model label (Form1::currentModel), looked
// up here once per layout of the settings view; every model-dependent decision reads the model's
// particulars from the columns of the table. Only the catalogue compares model names, exactly and
// case-sensitively. A name not in the catalogue (such as the label's start-up text "RKA-4") has
// the traits of a temperature transmitter with current output.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tadjust {

enum class ModelFamily { CurrentOutput, VoltageOutput, Indicator, Humidity };
enum class OutputKind { Current, Voltage, None };
// What the sensor-type list of a humidity model chooses instead of a sensor.
enum class UnitChoice { None, HumidityUnit, PhysicalUnits };
// The fixed-sensor probes, by the range of their one sensor.
enum class FixedProbe { Rq117, Rq18x, Rq17x };
// The humidity models, each with limits of its own.
enum class HumidityModel { Jyra935, ArrA, ArrV, Arr43 };

// The particulars of a model, one column each; the defaults are a temperature transmitter with
// current output, any sensor and any connection.
struct ModelTraits {
  ModelFamily family = ModelFamily::CurrentOutput;
  OutputKind output = OutputKind::Current;
  // One built-in sensor (the RQ probes): no sensor choice, no connection, no lead resistance.
  std::optional<FixedProbe> probe = std::nullopt;
  // Which humidity model, for the humidity family.
  std::optional<HumidityModel> humidityModel = std::nullopt;
  // Pt500 and five Ni100 in series in place of Pt100 and Ni100 (RKN-40F3); the resistance
  // input shows the series resistance.
  bool specialSensorList = false;
  // The sensor connection list offers "2-wire" only.
  bool twoWireOnly = false;
  UnitChoice unitChoice = UnitChoice::None;
  // A humidity model whose editable group keeps its four output rows shown after a read.
  bool humidityOutputRows = false;
  // Default texts of the editable lower and upper range, written when the view is laid out;
  // empty when the model has none.
  std::string_view defaultLow{};
  std::string_view defaultHigh{};
  // Humidity models: default texts of the lower and upper ends of both outputs.
  std::string_view defaultOutputLow{};
  std::string_view defaultOutputHigh{};
};

struct DeviceModel : ModelTraits {
  std::string_view name{};
  // Temperature models: the model number, valid in series 7, 9 and 10. Humidity models: the
  // whole product code (15001..15004).
  std::uint16_t code = 0;
};

inline constexpr std::uint16_t kIndicatorProductCode = 10013;

unsigned series(std::uint16_t productCode);
unsigned modelNumber(std::uint16_t productCode);

// The model a product code names, or nothing.
std::optional<DeviceModel> findDeviceModel(std::uint16_t productCode);
// The model of a name as the model label shows it (exactly, case-sensitively), or nothing.
std::optional<DeviceModel> findDeviceModelByName(std::string_view modelName);

// Every model of the catalogue, temperature models first (by model number), then humidity.
std::span<const DeviceModel> allDeviceModels();

// A product code that names the model: series 7 for the temperature models and the indicator
// (any of 7, 9, 10 would do), the humidity models' own codes.
std::uint16_t exampleProductCode(const DeviceModel& model, unsigned series = 7);

}  // namespace tadjust
