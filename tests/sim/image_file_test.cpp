// Settings images in files: the text form round-trips, comments and any line layout are read,
// raw 256-byte files load, and a wrong file is refused with a reason.

#include "sim/image_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "files/settings_file.h"
#include "sim/model_images.h"

namespace tadjust {
namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "t-adjust-sim-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TemporaryFolder() { fs::remove_all(path_); }
  fs::path file(const char* name) const { return path_ / name; }

 private:
  fs::path path_;
};

void writeFile(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

TEST(ImageFile, TextFormRoundTripsWithHeadingAndOffsets) {
  const ImageBytes image = makeRandomImage(42);
  const std::string text = formatImageText(image, "ARR/A, product code 15002\nserial 21020");
  EXPECT_EQ(text.rfind("# ARR/A, product code 15002\n# serial 21020\n", 0), 0u);
  EXPECT_NE(text.find("  # 240\n"), std::string::npos);
  const ImageFileResult parsed = parseImageText(text);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.image, image);
}

TEST(ImageFile, AnyLineLayoutAndCommentsAreRead) {
  std::string text = "# a hand-made image\n\n";
  for (int i = 0; i < 256; ++i) {
    text += (i % 7 == 0 ? "\t" : " ");
    text += i % 2 ? "aB" : "0f";
    if (i % 40 == 39) text += "  # comment 12 34\r\n";
  }
  const ImageFileResult parsed = parseImageText(text);
  ASSERT_TRUE(parsed.ok) << parsed.error;
  EXPECT_EQ(parsed.image[0], 0x0f);
  EXPECT_EQ(parsed.image[255], 0xab);
}

TEST(ImageFile, WrongTextIsRefusedWithTheReason) {
  const std::string full = formatImageText(ImageBytes{});
  struct Case {
    std::string text;
    const char* reason;
  } cases[] = {
      {"00 01\n", "holds 2 bytes, not 256"},
      {full + "ff\n", "more than 256 bytes"},
      {"# x\n00 1g\n", "line 2: \"1g\""},
      {"000\n", "\"000\""},
      {"0x1f\n", "\"0x1f\""},
  };
  for (const Case& c : cases) {
    const ImageFileResult parsed = parseImageText(c.text);
    EXPECT_FALSE(parsed.ok) << c.text;
    EXPECT_NE(parsed.error.find(c.reason), std::string::npos) << parsed.error;
  }
}

TEST(ImageFile, SavedFileLoadsBack) {
  TemporaryFolder folder;
  const fs::path path = folder.file("device.hex");
  const ImageBytes image = makeRandomImage(7);
  ASSERT_TRUE(saveImageFile(path.string(), image, "heading"));
  EXPECT_FALSE(fs::exists(path.string() + ".part"));
  const ImageFileResult loaded = loadImageFile(path.string());
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.image, image);
  EXPECT_FALSE(saveImageFile((folder.file("missing") / "device.hex").string(), image));
}

TEST(ImageFile, RawFileOf256BytesLoadsByteForByte) {
  TemporaryFolder folder;
  const ImageBytes image = makeRandomImage(9);
  writeFile(folder.file("device.bin"), std::string(image.begin(), image.end()));
  const ImageFileResult loaded = loadImageFile(folder.file("device.bin").string());
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.image, image);

  writeFile(folder.file("short.bin"), std::string(255, '\x01'));
  const ImageFileResult refused = loadImageFile(folder.file("short.bin").string());
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.error.find("short.bin"), std::string::npos);
  EXPECT_FALSE(loadImageFile(folder.file("absent").string()).ok);
}

// A device saved by the program is served again from its settings file: the image it keeps.
TEST(ImageFile, SettingsFileGivesItsImage) {
  TemporaryFolder folder;
  const ImageBytes image = makeRandomImage(11);
  SettingsFileContents contents;
  contents.model = "RKA-49";
  contents.productCode = 7001;
  contents.settings = TransmitterSettings{};
  std::copy(image.begin(), image.end(), contents.image.begin());
  const QByteArray file = writeSettingsFile(contents);
  writeFile(folder.file("device.tadj"), file.toStdString());
  const ImageFileResult loaded = loadImageFile(folder.file("device.tadj").string());
  ASSERT_TRUE(loaded.ok) << loaded.error;
  EXPECT_EQ(loaded.image, image);

  writeFile(folder.file("other.tadj"), "{\"format\": \"t-adjust-settings\", \"image\": \"00\"}");
  const ImageFileResult refused = loadImageFile(folder.file("other.tadj").string());
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.error.find("other.tadj"), std::string::npos);
}

// Files that are no image, each refused with a short reason and without hanging or reading
// without end: nothing is read from a FIFO or a device, and no more than 1 MiB from a file.
TEST(ImageFile, WhatIsNoRegularFileOfAtMostOneMebibyteIsRefusedShortly) {
  TemporaryFolder folder;
  fs::create_directory(folder.file("folder"));
  ASSERT_EQ(mkfifo(folder.file("fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", folder.file("zero"));
  writeFile(folder.file("huge.hex"), std::string(kLargestImageFile + 1, '0'));
  writeFile(folder.file("brackets.hex"), std::string(100'000, '['));
  writeFile(folder.file("nested.tadj"),
            "{\"format\": \"t-adjust-settings\", \"image\": " + std::string(100'000, '[') +
                std::string(100'000, ']') + "}");
  const struct {
    const char* file;
    const char* reason;
  } cases[] = {
      {"folder", "is a directory, not an image file"},
      {"fifo", "is a FIFO, not an image file"},
      {"zero", "is a device, not an image file"},
      {"huge.hex", "is larger than 1 MiB"},
      {"brackets.hex", "\"[[[[[[[[[[[[[[[[...\" (100000 characters) is not a two-digit"},
      {"nested.tadj", "not a settings file of T-adjust"},
      {"absent", "No such file or directory"},
  };
  for (const auto& c : cases) {
    const ImageFileResult loaded = loadImageFile(folder.file(c.file).string());
    EXPECT_FALSE(loaded.ok) << c.file;
    EXPECT_NE(loaded.error.find(c.reason), std::string::npos) << loaded.error;
    EXPECT_NE(loaded.error.find(c.file), std::string::npos) << loaded.error;
    EXPECT_LT(loaded.error.size(), 200u) << c.file;
  }
}

}  // namespace
}  // namespace tadjust
