#pragma once

// Settings files (.tadj) as the program saves them from a simulated device of a model, for tests
// that open them: the device's settings, changed where the test says.

#include <QDir>
#include <QFile>
#include <algorithm>
#include <functional>

#include "files/settings_file.h"
#include "sim/model_images.h"

namespace tadjust::testing {

inline SettingsFileContents settingsFileOf(const char* name, std::uint16_t serialNumber,
                                           const std::function<void(DeviceSettings&)>& change = {},
                                           unsigned series = 7) {
  const SimulatedModel simulated = findSimulatedModel(name, series).value();
  SettingsImages images;
  const ImageBytes image = makeModelImage(simulated, serialNumber);
  std::copy(image.begin(), image.end(), images.SettingsImage.begin());
  settleProductCode(images);
  refreshLayoutCopies(images);
  const LaidOutModel model{simulated.model, tadjust::series(simulated.productCode),
                           layoutOf(simulated.model.family)};
  SettingsFileContents contents;
  contents.model = QString::fromLatin1(name);
  contents.productCode = images.ProductCode();
  contents.serialNumber = serialNumber;
  contents.settings = decodeSettings(images, model);
  if (change) change(contents.settings);
  contents.image = images.SettingsImage;
  contents.savedAt = QDateTime::currentDateTimeUtc();
  return contents;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace tadjust::testing
