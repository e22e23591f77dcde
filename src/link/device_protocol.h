#pragma once

// The bytes the PC and the interface box exchange. The box answers its handshake itself; every
// request to the device behind it is a frame of three bytes, 0, "$" and a command letter.

#include <cstddef>
#include <cstdint>

namespace tadjust {

// The box's handshake: "?" is answered by "$", then "#" by "@".
inline constexpr std::uint8_t kHandshakeQuestion = '?';
inline constexpr std::uint8_t kHandshakeAnswer = '$';
inline constexpr std::uint8_t kHandshakeConfirm = '#';
inline constexpr std::uint8_t kHandshakeConfirmAnswer = '@';

inline constexpr std::uint8_t kFrameStart = 0;
inline constexpr std::uint8_t kFrameMark = '$';

inline constexpr std::uint8_t kLinkCommand = 'C';             // no reply
inline constexpr std::uint8_t kReadCommand = 'R';             // the 256-byte settings image
inline constexpr std::uint8_t kWriteCommand = 'W';            // + 192 or 64 bytes
inline constexpr std::uint8_t kHumidityWriteCommand = 'w';    // + 64 bytes
inline constexpr std::uint8_t kMeasureCommand = 'S';          // no reply
inline constexpr std::uint8_t kRecordCommand = 'A';           // the 12-byte monitoring record

inline constexpr std::size_t kMonitorRecordSize = 12;

}  // namespace tadjust
