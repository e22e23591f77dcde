// t-adjust-device-pictures FOLDER
//
// Pictures of the "Device settings" group of one model per family (RKA-49, RKA-59, GWA-43,
// ARR/A) in English and Polish, for the documentation: FOLDER/device-<model>-<en|pl>.png, and
// the whole window beside each as FOLDER/device-<model>-<en|pl>-window.png. Each is the program
// linked with the simulator's own image of the model, its groups as the first read leaves them.

#include "pictures/picture_session.h"

namespace tadjust::pictures {
namespace {

bool takePictures(const char* model, bool english, const QString& stem) {
  PictureSession session(model, english);
  if (!session.link()) return reportPicture(false, stem + ".png");
  return reportPicture(session.save(session.form().GroupBox2, stem + ".png"), stem + ".png") &&
         reportPicture(session.save(&session.form(), stem + "-window.png"), stem + "-window.png");
}

bool takeAll(const QString& folder) {
  struct Picture {
    const char* model;
    const char* file;
  };
  const Picture pictures[] = {
      {"RKA-49", "rka-49"}, {"RKA-59", "rka-59"}, {"GWA-43", "gwa-43"}, {"ARR/A", "arr-a"}};
  bool all = true;
  for (const Picture& picture : pictures) {
    for (const bool english : {true, false}) {
      const QString stem = folder + "/device-" + picture.file + (english ? "-en" : "-pl");
      all = takePictures(picture.model, english, stem) && all;
    }
  }
  return all;
}

}  // namespace
}  // namespace tadjust::pictures

int main(int argc, char* argv[]) {
  return tadjust::pictures::runPictureTool(argc, argv, "t-adjust-device-pictures FOLDER",
                                           tadjust::pictures::takeAll);
}
