#pragma once

// Settings images in files, so a simulated device can start from a chosen memory and a person
// can read what the program wrote into it.
//
// The text form: the 256 bytes as two-digit hexadecimal numbers separated by blanks, sixteen a
// line by convention (any layout of lines is read); "#" starts a comment that runs to the end
// of the line. Exactly 256 bytes must be given. The raw form: a file of exactly 256 bytes that
// is not a text image is taken byte for byte. A settings file the program saved (.tadj, JSON)
// gives the image it keeps, so a saved device can be served again.

#include <string>
#include <string_view>

#include "sim/simulated_device.h"

namespace tadjust {

struct ImageFileResult {
  bool ok = false;
  ImageBytes image{};
  std::string error;  // why the file was refused, when not ok
};

// Parses the text form.
ImageFileResult parseImageText(std::string_view text);
// The text form, with the comment lines given at its head (each gets a "# " in front) and the
// offset of every line as a trailing comment.
std::string formatImageText(const ImageBytes& image, const std::string& heading = {});

// Only a regular file (or a link to one) of at most 1 MiB is read: a directory, a FIFO or a
// device is refused with what it is, before anything is read from it.
inline constexpr std::size_t kLargestImageFile = 1024 * 1024;
ImageFileResult loadImageFile(const std::string& path);
// Writes the text form through a temporary file renamed over the target, so a reader never
// sees half an image. False when the file cannot be written.
bool saveImageFile(const std::string& path, const ImageBytes& image,
                   const std::string& heading = {});

}  // namespace tadjust
