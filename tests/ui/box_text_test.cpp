#include "ui/box_text.h"

#include <gtest/gtest.h>

#include "support/line_edit_rendering.h"

namespace tadjust {
namespace {

using testing::paintsFromItsStart;

constexpr int kBoxWidth = 89;  // the edit boxes of the settings groups
const QString kLongNumber = QStringLiteral("0,0333333333333333");
const QString kItsStart = QStringLiteral("0,033");

struct Box {
  Box() {
    edit.setFixedWidth(kBoxWidth);
    edit.show();
  }
  QLineEdit edit;
};

TEST(BoxText, ALongNumberIsShownFromItsFirstCharacter) {
  for (const bool readOnly : {false, true}) {
    Box box;
    box.edit.setReadOnly(readOnly);
    setBoxText(&box.edit, kLongNumber);
    EXPECT_EQ(box.edit.text(), kLongNumber);
    EXPECT_EQ(box.edit.cursorPosition(), 0);
    EXPECT_TRUE(paintsFromItsStart(&box.edit, kItsStart)) << "read-only " << readOnly;
  }
}

// What the box shows when the text is merely set: its end. The rendering check tells the two
// apart.
TEST(BoxText, APlainlySetLongTextShowsItsEnd) {
  Box box;
  box.edit.setText(kLongNumber);
  EXPECT_FALSE(paintsFromItsStart(&box.edit, kItsStart));
}

// A box written while it was scrolled to the end of an earlier text shows the new one from its
// start too.
TEST(BoxText, AScrolledBoxShowsTheNextTextFromItsStart) {
  Box box;
  box.edit.setText(QStringLiteral("1913,37533333333"));
  box.edit.grab();  // painted scrolled to the end
  setBoxText(&box.edit, kLongNumber);
  EXPECT_TRUE(paintsFromItsStart(&box.edit, kItsStart));
}

TEST(BoxText, ATextLongerThanTheTypingLimitIsShownWhole) {
  Box box;
  box.edit.setMaxLength(9);
  setBoxTextWhole(&box.edit, QStringLiteral("ABCDEFGHIJKLMNOP"), 9);
  EXPECT_EQ(box.edit.text(), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(box.edit.maxLength(), 16);
  EXPECT_TRUE(paintsFromItsStart(&box.edit, QStringLiteral("ABC")));

  // A text that fits brings the limit back.
  setBoxTextWhole(&box.edit, QStringLiteral("TT-1"), 9);
  EXPECT_EQ(box.edit.text(), "TT-1");
  EXPECT_EQ(box.edit.maxLength(), 9);
}

}  // namespace
}  // namespace tadjust
