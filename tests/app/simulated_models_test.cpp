// Every model the simulator offers, read through the program as a technician would: the model
// label names it, the device group shows its product code, and no field of its image is one the
// program cannot show.

#include <gtest/gtest.h>

#include <QLineEdit>

#include "catalogue/device_catalogue.h"
#include "support/simulated_program.h"

namespace tadjust {
namespace {

using testing::SimulatedProgram;

TEST(SimulatedModels, EachIsReadAndShownAsItsModel) {
  for (const DeviceModel& model : allDeviceModels()) {
    for (bool english : {true, false}) {
      SimulatedProgram program(model.name, english);
      program.findBox();
      program.connect();
      const std::string name(model.name);
      ASSERT_TRUE(program.state().DeviceLinked) << name;
      Form1& form = program.form();
      EXPECT_EQ(form.Label39->text().toStdString(), name);
      EXPECT_EQ(form.Edit6->text().toUInt(), program.app.images().ProductCode()) << name;
      EXPECT_FALSE(form.Edit7->text().isEmpty()) << name;
      for (QLineEdit* edit : form.GroupBox2->findChildren<QLineEdit*>()) {
        if (edit->isHidden()) continue;
        EXPECT_FALSE(edit->text().startsWith("?"))
            << name << " " << edit->objectName().toStdString() << " " << edit->text().toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace tadjust
