#pragma once

// What the editing of the "Editable settings" group keeps between a copy, a choice and a
// validation: the sensor type the group is laid out for and the validated range in device units.

#include "image/sensor_type.h"

namespace tadjust {

struct EditState {
  // The selected entry of the sensor-type list ComboBox1 the group is laid out for.
  SensorType EditSensorType = SensorType::Pt100;
  // Lower and upper range in device units, as the last copy or range validation left them. For
  // RKN-40F3 with the resistance input they hold one fifth of the shown values.
  double EditRangeLow = 0;
  double EditRangeHigh = 0;
};

}  // namespace tadjust
