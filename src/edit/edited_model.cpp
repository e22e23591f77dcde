#include "edit/edited_model.h"

namespace tadjust {

EditedModel editedModel(const LaidOutModel& laidOut) {
  const DeviceModel& model = laidOut.model;
  EditedModel edited;
  if (laidOut.layout == Layout::Indicator) edited.family = EditedFamily::Indicator;
  if (laidOut.layout == Layout::Humidity) edited.family = EditedFamily::Humidity;
  edited.probe = model.probe;
  edited.seriesSensor = model.specialSensorList;
  edited.twoWireOnly = model.twoWireOnly;
  edited.humidity = model.humidityModel;
  edited.unitChoice = model.unitChoice != UnitChoice::None;
  return edited;
}

}  // namespace tadjust
