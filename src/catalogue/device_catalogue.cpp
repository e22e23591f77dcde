#include "catalogue/device_catalogue.h"

#include <array>

namespace tadjust {

namespace {

using enum ModelFamily;
using enum OutputKind;

constexpr DeviceModel model(std::string_view name, std::uint16_t code, ModelTraits traits = {}) {
  DeviceModel model{traits};
  model.name = name;
  model.code = code;
  return model;
}

constexpr ModelTraits kCurrentTransmitter{};
constexpr ModelTraits kVoltageTransmitter{.family = VoltageOutput, .output = Voltage};

constexpr ModelTraits probe(ModelTraits transmitter, FixedProbe probe, std::string_view low,
                            std::string_view high) {
  transmitter.probe = probe;
  transmitter.defaultLow = low;
  transmitter.defaultHigh = high;
  return transmitter;
}

constexpr std::array<DeviceModel, 21> kModels = {{
    model("RKA-49", 1, kCurrentTransmitter),
    model("RKA-59", 2, kVoltageTransmitter),
    model("RKA-40", 3, kCurrentTransmitter),
    model("RKA-50", 4, kVoltageTransmitter),
    model("RKN-49", 5, kCurrentTransmitter),
    model("RKN-59", 6, kVoltageTransmitter),
    model("RKN-40", 7, kCurrentTransmitter),
    model("RKN-50", 8, kVoltageTransmitter),
    model("RKAW-49", 10, {.twoWireOnly = true}),
    model("RQ-117/A", 11, probe(kCurrentTransmitter, FixedProbe::Rq117, "-50", "200")),
    model("RQ-117/V", 12, probe(kVoltageTransmitter, FixedProbe::Rq117, "-50", "200")),
    model("GWA-43", 13, {.family = Indicator, .output = None}),
    model("RKN-40F3", 16, {.specialSensorList = true}),
    model("RQ-18x-RK/A", 17, probe(kCurrentTransmitter, FixedProbe::Rq18x, "-100", "400")),
    model("RQ-17x-RK/A", 18, probe(kCurrentTransmitter, FixedProbe::Rq17x, "-30", "70")),
    model("RQ-18x-RK/V", 19, probe(kVoltageTransmitter, FixedProbe::Rq18x, "-100", "400")),
    model("RQ-17x-RK/V", 20, probe(kVoltageTransmitter, FixedProbe::Rq17x, "-30", "70")),
    model("935-JYRA", 15001,
          {.family = Humidity,
           .output = Voltage,
           .humidityModel = HumidityModel::Jyra935,
           .defaultLow = "-40",
           .defaultHigh = "120",
           .defaultOutputLow = "200",
           .defaultOutputHigh = "4500"}),
    model("ARR/A", 15002,
          {.family = Humidity,
           .output = Current,
           .humidityModel = HumidityModel::ArrA,
           .unitChoice = UnitChoice::HumidityUnit,
           .humidityOutputRows = true,
           .defaultLow = "-40",
           .defaultHigh = "120",
           .defaultOutputLow = "4000",
           .defaultOutputHigh = "20000"}),
    model("ARR/V", 15003,
          {.family = Humidity,
           .output = Voltage,
           .humidityModel = HumidityModel::ArrV,
           .unitChoice = UnitChoice::PhysicalUnits,
           .humidityOutputRows = true,
           .defaultLow = "-40",
           .defaultHigh = "120",
           .defaultOutputLow = "0",
           .defaultOutputHigh = "10000"}),
    // The output defaults fill rows that this model never shows.
    model("ARR-43", 15004,
          {.family = Humidity,
           .output = None,
           .humidityModel = HumidityModel::Arr43,
           .unitChoice = UnitChoice::HumidityUnit,
           .defaultLow = "-40",
           .defaultHigh = "80",
           .defaultOutputLow = "4000",
           .defaultOutputHigh = "20000"}),
}};

constexpr unsigned kHumiditySeries = 15;

bool isTemperatureSeries(unsigned s) { return s == 7 || s == 9 || s == 10; }

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

std::optional<DeviceModel> findDeviceModelByName(std::string_view modelName) {
  for (const DeviceModel& model : kModels)
    if (model.name == modelName) return model;
  return std::nullopt;
}

std::span<const DeviceModel> allDeviceModels() { return kModels; }

std::uint16_t exampleProductCode(const DeviceModel& model, unsigned s) {
  if (model.family == Humidity) return model.code;
  return static_cast<std::uint16_t>(s * 1000 + model.code);
}

}  // namespace tadjust
