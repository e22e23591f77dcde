#pragma once

// What the editing of the "Editable settings" group needs to know of the model the view is laid
// out for: its family as the editing sees it (names not in the catalogue are temperature
// models), and the particulars that choose a default, a list or a limit.

#include <optional>

#include "edit/validation_limits.h"
#include "image/layout.h"

namespace tadjust {

enum class EditedFamily { Temperature, Indicator, Humidity };

struct EditedModel {
  EditedFamily family = EditedFamily::Temperature;
  // A fixed-sensor probe: its own range in series 9 and 10.
  std::optional<FixedProbe> probe;
  // The series-sensor model (RKN-40F3): its resistance range is shown at five times the device's
  // value.
  bool seriesSensor = false;
  // The connection list holds the 2-wire entry alone (RKAW-49).
  bool twoWireOnly = false;
  // The humidity model; its sensor-type list is a humidity-unit choice when unitChoice is set.
  std::optional<HumidityModel> humidity;
  bool unitChoice = false;
};

EditedModel editedModel(const LaidOutModel& model);

}  // namespace tadjust
