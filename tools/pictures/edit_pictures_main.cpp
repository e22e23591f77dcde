// t-adjust-edit-pictures FOLDER
//
// Pictures of the "Editable settings" group after "Copy for edition", one model per family
// (RKA-49, RKA-59, GWA-43, ARR/A) in English and Polish, for the documentation:
// FOLDER/edit-<model>-<en|pl>.png. Each device holds settings that show what the copy takes
// over: a reversed output and a wire resistance, a thermocouple with an external cold junction,
// the indicator's display range and alarms, a humidity model set to the dew point.

#include <functional>

#include "pictures/picture_session.h"

namespace tadjust::pictures {
namespace {

struct Picture {
  const char* model;  // a catalogue name or a product code
  const char* file;
  std::function<void(Bytes)> settings;
};

// The simulator's image of the model with the picture's settings.
ImageBytes imageOf(const Picture& picture) {
  const std::optional<SimulatedModel> simulated = findSimulatedModel(picture.model);
  ImageBytes image = makeModelImage(*simulated, defaultSerialNumber(*simulated));
  picture.settings(image);
  return image;
}

const Picture kPictures[] = {
    {"RKA-49", "rka-49",
     [](Bytes b) {
       using namespace transmitter;
       InputConfig.set(b, 0x2000 | kOutputReversedBit);  // Pt100, 2-wire
       RangeLowRaw.set(b, 4500);                         // -50 °C
       RangeHighRaw.set(b, 30000);                       // 800 °C
       WireResistanceRaw.set(b, 130);
       TempOffsetRaw.set(b, 0xFFF1);
       FilterTimeIndex.set(b, 3);
       Tag.set(b, "TT-101");
     }},
    {"9002", "rka-59",
     [](Bytes b) {
       using namespace transmitter;
       InputConfig.set(b, 0x3410);  // K, external cold junction
       RangeLowRaw.set(b, 3000);
       RangeHighRaw.set(b, 42000);
       ColdJunctionTempRaw.set(b, 6750);
       TempOffsetRaw.set(b, 45);
       FilterTimeIndex.set(b, 1);
       Tag.set(b, "TC-K-0042");
     }},
    {"GWA-43", "gwa-43",
     [](Bytes b) {
       using namespace indicator;
       AlarmFlags.set(b, 1);
       DisplayLow.set(b, -1999);
       DisplayHigh.set(b, 9999);
       Precision.set(b, 1);
       AlarmLow.set(b, 100);
       AlarmHigh.set(b, 9000);
       Tag.set(b, "PANEL-7");
     }},
    {"ARR/A", "arr-a",
     [](Bytes b) {
       using namespace humidity;
       HumidityUnit.set(b, 1);
       TempRangeLow.set(b, -4050);
       TempRangeHigh.set(b, 12000);
       HumRangeLow.set(b, -2000);
       HumRangeHigh.set(b, 6000);
       TempOutLow.set(b, 4000);
       TempOutHigh.set(b, 20000);
       HumOutLow.set(b, 4000);
       HumOutHigh.set(b, 20000);
       Tag.set(b, "CLEAN-ROOM-3");
     }},
};

bool takeAll(const QString& folder) {
  bool all = true;
  for (const Picture& picture : kPictures) {
    for (const bool english : {true, false}) {
      const QString file = folder + "/edit-" + picture.file + (english ? "-en" : "-pl") + ".png";
      PictureSession session(picture.model, english, imageOf(picture));
      bool saved = session.link();
      if (saved) {
        session.copy();
        saved = session.calm() && session.save(session.form().GroupBox1, file);
      }
      all = reportPicture(saved, file) && all;
    }
  }
  return all;
}

}  // namespace
}  // namespace tadjust::pictures

int main(int argc, char* argv[]) {
  return tadjust::pictures::runPictureTool(argc, argv, "t-adjust-edit-pictures FOLDER",
                                           tadjust::pictures::takeAll);
}
