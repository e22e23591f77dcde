// The tag texts of the settings image: single-byte characters of the Windows-1250 code page
// (the ANSI code page of the systems the devices are configured from), converted with iconv.

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "image/settings_image.h"

namespace tadjust {

namespace {

constexpr const char* kDeviceCodePage = "WINDOWS-1250";

// One iconv conversion of a whole piece of text; false when some input could not be converted.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  bool convert(const std::string& in, std::string& out) {
    if (!valid()) return false;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string buffer(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      return false;
    }
    out.assign(buffer.data(), buffer.size() - outLeft);
    return true;
  }

 private:
  iconv_t handle_;
};

// Splits UTF-8 text into its characters (a malformed byte counts as one character).
std::string nextUtf8Character(const std::string& text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 1;
  if (lead >= 0xF0) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = 3;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  length = std::min(length, text.size() - pos);
  std::string character = text.substr(pos, length);
  pos += length;
  return character;
}

}  // namespace

std::string TextField::get(ConstBytes bytes) const {
  const auto field = bytes.subspan(offset, width);
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  const std::string raw(field.begin(), end);
  Converter toUtf8("UTF-8", kDeviceCodePage);
  std::string text;
  if (toUtf8.convert(raw, text)) return text;
  // Bytes the code page leaves undefined are shown as "?", one by one.
  text.clear();
  for (const char byte : raw) {
    std::string character;
    text += toUtf8.convert(std::string(1, byte), character) ? character : "?";
  }
  return text;
}

void TextField::set(Bytes bytes, const std::string& utf8) const {
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), width, std::uint8_t{0});
  Converter toDevice(kDeviceCodePage, "UTF-8");
  std::string encoded;
  for (std::size_t pos = 0; pos < utf8.size() && encoded.size() < width;) {
    std::string character;
    encoded += toDevice.convert(nextUtf8Character(utf8, pos), character) && character.size() == 1
                   ? character
                   : "?";
  }
  std::copy(encoded.begin(), encoded.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::string TextField::stored(const std::string& utf8) const {
  std::vector<std::uint8_t> field(offset + width);
  set(field, utf8);
  return get(field);
}

}  // namespace tadjust
