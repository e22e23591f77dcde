#include "sim/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tadjust {

namespace {

constexpr std::size_t kBytesPerLine = 16;
constexpr char kCommentMark = '#';

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

ImageFileResult imageRefused(std::string error) { return {false, {}, std::move(error)}; }

bool looksLikeJson(const std::string& content) {
  const auto first = content.find_first_not_of(" \t\r\n");
  return first != std::string::npos && content[first] == '{';
}

// A settings file (.tadj) of the program: the device's image as it was read, in its "image".
ImageFileResult parseSettingsFile(const std::string& content) {
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(content.data(), static_cast<qsizetype>(content.size())));
  if (!document.isObject() ||
      document.object().value(QStringLiteral("format")).toString() != "t-adjust-settings")
    return imageRefused("not a settings file of T-adjust");
  const QByteArray hex = document.object().value(QStringLiteral("image")).toString().toLatin1();
  if (hex.size() != 2 * static_cast<qsizetype>(kSettingsImageSize))
    return imageRefused("the settings file's image is not 512 hexadecimal digits");
  for (const char c : hex)
    if (hexDigit(c) < 0) return imageRefused("the settings file's image is not hexadecimal");
  const QByteArray bytes = QByteArray::fromHex(hex);
  ImageFileResult result;
  result.ok = true;
  std::copy(bytes.begin(), bytes.end(), result.image.begin());
  return result;
}

// What a refusal quotes of a wrong token: enough to find it, never the whole of a huge one.
std::string quoted(std::string_view token) {
  constexpr std::size_t kLongestQuote = 16;
  if (token.size() <= kLongestQuote) return "\"" + std::string(token) + "\"";
  return "\"" + std::string(token.substr(0, kLongestQuote)) + "...\" (" +
         std::to_string(token.size()) + " characters)";
}

std::string systemError(const std::string& path) {
  return "cannot read " + path + ": " + std::strerror(errno);
}

// What a file that is not a regular one is, for the refusal.
const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

// The content of a regular file of at most kLargestImageFile bytes; otherwise why not. Opened
// without waiting (a FIFO would block until a writer came) and judged by what was opened, so a
// link to a device or a FIFO is refused as what it points at; a file that grows while it is read
// is read no further than the limit.
std::string readRegularFile(const std::string& path, std::string& content) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return systemError(path);
  struct stat info {};
  std::string error;
  if (::fstat(fd, &info) != 0) {
    error = systemError(path);
  } else if (!S_ISREG(info.st_mode)) {
    error = path + " is " + kindOf(info.st_mode) + ", not an image file";
  } else if (static_cast<std::uintmax_t>(info.st_size) > kLargestImageFile) {
    error = path + " is larger than 1 MiB: not an image file";
  } else {
    char buffer[65536];
    while (content.size() <= kLargestImageFile) {
      const ssize_t count = ::read(fd, buffer, sizeof buffer);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) {
        error = systemError(path);
        break;
      }
      if (count == 0) break;
      content.append(buffer, static_cast<std::size_t>(count));
    }
    if (error.empty() && content.size() > kLargestImageFile)
      error = path + " is larger than 1 MiB: not an image file";
  }
  ::close(fd);
  return error;
}

}  // namespace

ImageFileResult parseImageText(std::string_view text) {
  ImageFileResult result;
  std::size_t count = 0;
  std::size_t lineNumber = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n') ++lineNumber;
    if (c == kCommentMark) {
      while (i < text.size() && text[i] != '\n') ++i;
      continue;
    }
    if (isBlank(c)) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !isBlank(text[end]) && text[end] != kCommentMark) ++end;
    const std::string_view token = text.substr(i, end - i);
    const int high = hexDigit(token[0]);
    const int low = token.size() == 2 ? hexDigit(token[1]) : -1;
    if (token.size() != 2 || high < 0 || low < 0) {
      return imageRefused("line " + std::to_string(lineNumber) + ": " + quoted(token) +
                          " is not a two-digit hexadecimal byte");
    }
    if (count == kSettingsImageSize) {
      return imageRefused("line " + std::to_string(lineNumber) + ": more than 256 bytes");
    }
    result.image[count++] = static_cast<std::uint8_t>(high * 16 + low);
    i = end;
  }
  if (count != kSettingsImageSize) {
    return imageRefused("the image holds " + std::to_string(count) + " bytes, not 256");
  }
  result.ok = true;
  return result;
}

std::string formatImageText(const ImageBytes& image, const std::string& heading) {
  std::ostringstream out;
  std::istringstream headingLines(heading);
  for (std::string line; std::getline(headingLines, line);) out << "# " << line << '\n';
  char cell[24];
  for (std::size_t offset = 0; offset < image.size(); offset += kBytesPerLine) {
    for (std::size_t i = 0; i < kBytesPerLine; ++i) {
      std::snprintf(cell, sizeof cell, i == 0 ? "%02x" : " %02x", image[offset + i]);
      out << cell;
    }
    std::snprintf(cell, sizeof cell, "%3zu", offset);
    out << "  # " << cell << '\n';
  }
  return out.str();
}

ImageFileResult loadImageFile(const std::string& path) {
  std::string content;
  if (std::string error = readRegularFile(path, content); !error.empty())
    return imageRefused(error);
  if (looksLikeJson(content)) {
    ImageFileResult settings = parseSettingsFile(content);
    if (!settings.ok) settings.error = path + ": " + settings.error;
    return settings;
  }
  ImageFileResult text = parseImageText(content);
  if (text.ok || content.size() != kSettingsImageSize) {
    if (!text.ok) text.error = path + ": " + text.error;
    return text;
  }
  ImageFileResult raw;
  raw.ok = true;
  std::copy(content.begin(), content.end(), raw.image.begin());
  return raw;
}

bool saveImageFile(const std::string& path, const ImageBytes& image, const std::string& heading) {
  const std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << formatImageText(image, heading);
    file.flush();
    if (!file) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace tadjust
