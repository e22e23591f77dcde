// t-adjust-write-pictures FOLDER
//
// Pictures of the whole window after a verified write, in English and Polish, for the
// documentation: FOLDER/written-rka-49-<en|pl>.png. The program reads a simulated RKA-49, the
// technician presses "Copy for edition", chooses a K thermocouple with an external cold
// junction at 25 °C, types the range 0 to 1000 °C, a correction of 0,7 °C and a new tag, and
// presses "Send to device"; eleven ticks later the read-back agrees, the device group shows the
// new settings and the status line says they were written and verified.

#include "pictures/picture_session.h"

namespace tadjust::pictures {
namespace {

bool takeAll(const QString& folder) {
  bool all = true;
  for (const bool english : {true, false}) {
    const QString file = folder + "/written-rka-49" + (english ? "-en" : "-pl") + ".png";
    PictureSession session("RKA-49", english);
    bool saved = session.link();
    if (saved) {
      session.copy();
      session.editAsATechnician();
      saved = session.write() && session.save(&session.form(), file);
    }
    all = reportPicture(saved, file) && all;
  }
  return all;
}

}  // namespace
}  // namespace tadjust::pictures

int main(int argc, char* argv[]) {
  return tadjust::pictures::runPictureTool(argc, argv, "t-adjust-write-pictures FOLDER",
                                           tadjust::pictures::takeAll);
}
