#pragma once

// The device record laid out on A4 pages: the heading, the device, its settings as the device
// group shows them, the write (as found, as left, the verification, where the settings came from,
// the history entry), for resistance thermometers and thermocouples the stored characteristic as a
// table and a plot with its error under it, and lines to sign on. One to three pages; every text
// is drawn as text, so a PDF of it can be searched and copied.

#include <QPagedPaintDevice>
#include <vector>

#include "record/device_record.h"

namespace tadjust {

// Paints the record on the device's pages (A4 portrait as the PDF and the printer are set up),
// page after page, within margins of its own. False when the device cannot be painted on (a file
// or printer that does not open).
bool paintDeviceRecord(QPagedPaintDevice& device, const DeviceRecord& record);
// Several records one after the other, each from a new page with its own page numbers.
bool paintDeviceRecords(QPagedPaintDevice& device, const std::vector<DeviceRecord>& records);

}  // namespace tadjust
