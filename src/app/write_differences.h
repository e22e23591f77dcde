#pragma once

// How a read-back differs from the block sent, in the words of the device group: one line per
// named field that differs, by the caption of its row in the chosen language, with both values as
// the row shows them and the language's decimal separator ("Failure indication: sent 23 [mA],
// read 3.5 [mA]"), and one line for the differing bytes no field holds ("Other bytes: offsets
// 120, 121"). The details of "Repeat writing?".

#include <QStringList>
#include <vector>

#include "image/layout.h"
#include "image/settings_image.h"
#include "ui/form1.h"

namespace tadjust {

// One named field whose value the block sent gives otherwise than the images read, both values
// as the device group shows them (with their units).
struct FieldDifference {
  QString caption;
  QString sent;
  QString read;
};

// The named fields that differ, in row order.
std::vector<FieldDifference> fieldDifferences(const Form1& form, const SettingsImages& readBack,
                                              ConstBytes sent, const LaidOutModel& model);

// readBack: the images of the read-back, its product code settled. sent: the block written,
// from image offset 0 (every layout's block starts there). form: the window, whose language the
// lines speak.
QStringList writeDifferences(const Form1& form, const SettingsImages& readBack, ConstBytes sent,
                             const LaidOutModel& model);

}  // namespace tadjust
