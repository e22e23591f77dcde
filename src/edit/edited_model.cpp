#include "edit/edited_model.h"

#include "catalogue/device_catalogue.h"

namespace tadjust {

namespace {

// The probes by their model number (current and voltage output alike).
std::optional<FixedProbe> fixedProbe(const DeviceModel& model) {
  switch (model.code) {
    case 11:
    case 12:
      return FixedProbe::Rq117;
    case 17:
    case 19:
      return FixedProbe::Rq18x;
    case 18:
    case 20:
      return FixedProbe::Rq17x;
    default:
      return std::nullopt;
  }
}

// The humidity models by their product code.
std::optional<HumidityModel> humidityModel(const DeviceModel& model) {
  switch (model.code) {
    case 15001:
      return HumidityModel::Jyra935;
    case 15002:
      return HumidityModel::ArrA;
    case 15003:
      return HumidityModel::ArrV;
    case 15004:
      return HumidityModel::Arr43;
    default:
      return std::nullopt;
  }
}

}  // namespace

EditedModel editedModel(std::string_view modelLabel) {
  const ModelTraits traits = traitsOf(modelLabel);
  EditedModel edited;
  if (traits.family == ModelFamily::Indicator) edited.family = EditedFamily::Indicator;
  if (traits.family == ModelFamily::Humidity) edited.family = EditedFamily::Humidity;
  edited.seriesSensor = traits.specialSensorList;
  edited.twoWireOnly = traits.twoWireOnly;
  edited.unitChoice = traits.unitChoice != UnitChoice::None;

  // Which row of the probes' and the humidity models' tables: by the model's code.
  if (const std::optional<DeviceModel> model = findDeviceModelByName(modelLabel)) {
    if (traits.fixedSensorProbe) edited.probe = fixedProbe(*model);
    if (edited.family == EditedFamily::Humidity) edited.humidity = humidityModel(*model);
  }
  return edited;
}

}  // namespace tadjust
