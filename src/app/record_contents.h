#pragma once

// Gathers the device record from the window and the program's state at the moment the user asks
// for it: the device as the window names it, the device group's rows, this link's write of it
// (as found and as left, the rows the device group shows for each read) and, for a resistance
// thermometer or thermocouple, the characteristic stored in the image last read. Every value is
// worded for the record's language (settings_rows.h).

#include <QDateTime>
#include <QString>

#include "app/exchange_controller.h"
#include "app/history_recorder.h"
#include "app/settings_writer.h"
#include "edit/edit_origin.h"
#include "image/settings_image.h"
#include "record/device_record.h"
#include "ui/form1.h"
#include "view/settings_view.h"

namespace tadjust {

struct RecordSources {
  const Form1& form;
  const SettingsImages& images;
  const SettingsViewState& view;
  const ExchangeState& exchange;
  const WriteState& write;
  // Where the editable group's values came from, when known.
  std::optional<EditOrigin> origin = {};
  // The history entry that completed the last write recorded, when one was stored.
  std::optional<HistoryAnchor> anchor = {};
};

// The source of a write as the record names it.
SettingsSource settingsSourceOf(const EditOrigin& origin);

DeviceRecord gatherDeviceRecord(const RecordSources& sources, const QDateTime& made);

}  // namespace tadjust
