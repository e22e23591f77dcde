#pragma once

// The device record of a write kept in the write history, regenerated from the images stored
// with it: the device as the write named it, its settings as the device group shows the image
// read back after the write (or, when none came, the one before), "Written" with both images
// side by side, the stored characteristic with its error, and the history entry's sequence and
// hash. The history keeps no source of the settings, so such a record names none.

#include <optional>

#include "history/write_row.h"
#include "image/layout.h"
#include "record/device_record.h"

namespace tadjust {

DeviceRecord recordOfHistoryRow(const history::WriteRow& row, bool useEnglish);

// The characteristic a transmitter's image holds, for resistance thermometers and thermocouples.
std::optional<RecordCharacteristic> recordCharacteristic(ConstBytes image,
                                                         const LaidOutModel& model,
                                                         bool useEnglish);

}  // namespace tadjust
