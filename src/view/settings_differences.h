#pragma once

// What a device holds other than was sent to it, as the device group shows both: one line per
// row whose shown value differs ("Upper range value: sent 1200 [°C], read 1190 [°C]"), and one
// line for the differing bytes that no row shows ("Other bytes: offsets 17, 40"). The details of
// "Repeat writing?".

#include <QStringList>
#include <string_view>

#include "image/settings_image.h"

namespace tadjust {

// readBack: the images of the read-back, its product code settled. sent: the block written, from
// image offset 0 (every layout's block starts there). modelLabel: the model the window shows the
// device as (it lays out a code that names no model).
QStringList settingsDifferences(const SettingsImages& readBack, ConstBytes sent,
                                std::string_view modelLabel, bool useEnglish);

}  // namespace tadjust
