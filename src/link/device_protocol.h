#pragma once

// The bytes the PC and the interface box exchange, and the pauses that pace them. The box
// answers its handshake itself; every request to the device behind it is a frame of three
// bytes, 0, "$" and a command letter (sent by sendFrame, link/frame_sender.h).

#include <chrono>
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

inline constexpr std::uint8_t kLinkCommand = 'C';           // no reply
inline constexpr std::uint8_t kReadCommand = 'R';           // the 256-byte settings image
inline constexpr std::uint8_t kWriteCommand = 'W';          // + 192 or 64 bytes
inline constexpr std::uint8_t kHumidityWriteCommand = 'w';  // + 64 bytes
inline constexpr std::uint8_t kMeasureCommand = 'S';        // no reply
inline constexpr std::uint8_t kRecordCommand = 'A';         // the 12-byte monitoring record

inline constexpr std::size_t kMonitorRecordSize = 12;

// The pauses, kept exactly: the devices and the box are paced by them, not by replies.
// After each command byte of a request and after the head bytes of a write.
inline constexpr std::chrono::milliseconds CommandPause{20};
// After "W" or "w", and then a further wait, before the first byte of the block.
inline constexpr std::chrono::milliseconds kWritePause{1000};
inline constexpr std::chrono::milliseconds kWriteDataWait{1000};
// After "S": the device measures. After "A": the device sends its monitoring record.
inline constexpr std::chrono::milliseconds kMeasurePause{1000};
inline constexpr std::chrono::milliseconds kRecordPause{500};
// After a port is opened and configured: the line settles.
inline constexpr std::chrono::milliseconds kPortSettlingPause{500};
// After the user plugs the box in, before the search: the system registers its port.
inline constexpr std::chrono::milliseconds kPlugInSettlingPause{2000};
// After each handshake byte, before its answer is taken.
inline constexpr std::chrono::milliseconds kHandshakeReplyPause{50};

}  // namespace tadjust
