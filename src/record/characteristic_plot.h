#pragma once

// The plot of a stored characteristic: temperature against input signal, the sensor's reference
// curve under the segments the device holds, its breakpoints marked, both axes labelled with
// their units.

#include <QPainter>
#include <QRectF>

#include "record/characteristic_error.h"
#include "record/device_record.h"

namespace tadjust {

// Draws into area (device units) of a table that is not empty.
void drawCharacteristicPlot(QPainter& painter, const QRectF& area,
                            const RecordCharacteristic& characteristic, bool useEnglish);

// The characteristic's error (stored minus reference, °C) on the same signal axis, drawn into
// area under the characteristic; nothing for an empty error.
void drawErrorPlot(QPainter& painter, const QRectF& area, const StoredLinearisation& table,
                   const CharacteristicError& error, bool useEnglish);

// The signal's unit: "Ohm" for resistance thermometers, "mV" for thermocouples.
QString signalUnit(const StoredLinearisation& table);

}  // namespace tadjust
