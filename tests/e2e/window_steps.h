#pragma once

// What a user does at the window in the end-to-end tests, and the times the real timer takes.

#include <QPushButton>
#include <QTest>
#include <chrono>

#include "simulated_device_session.h"
#include "support/widget_shown.h"

namespace tadjust::testing {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// From the press to the linked device: the reply is taken once its 256 bytes are whole, 1.07 s
// on the wire after the link and read requests; a loaded machine adds its delays.
inline constexpr Seconds kLinkAtLeast{1.07};
inline constexpr Seconds kLinkBelow{4.0};
// A missing or short reply is judged on the eleventh tick of the one-second timer.
inline constexpr Seconds kEleventhTickAtLeast{10.0};
inline constexpr int kLinkWaitMs = 16000;

// The status after a write whose read-back matched what was sent.
inline bool verified(const Form1& form) {
  return form.Label41->text() == "Settings written and verified.";
}

inline Seconds since(Clock::time_point start) { return Clock::now() - start; }

inline void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Start answered No to the language question (English) and OK to the plug-in prompt.
inline void startAndFindTheBox(SimulatedDeviceSession& session) {
  session.boxes.queue(Answer::No);
  session.app->start();
  ASSERT_TRUE(session.form().UseEnglish);
  session.boxes.queue(Answer::Ok);
  press(session.form().BitBtn1);
  // The search runs on the exchange worker: it has ended once "Searching" is hidden again.
  ASSERT_TRUE(QTest::qWaitFor([&] { return session.form().Label40->isHidden(); }, kLinkWaitMs));
}

// Until the count of questions asked reaches count: one asked by a step on the exchange worker
// comes after the press has returned.
inline bool waitForQuestions(SimulatedDeviceSession& session, std::size_t count, int timeoutMs) {
  return QTest::qWaitFor([&] { return session.boxes.questions.size() >= count; }, timeoutMs);
}

// Connect answered OK to the link prompt; true once the device is linked.
inline bool connectAndWaitForTheLink(SimulatedDeviceSession& session) {
  session.boxes.queue(Answer::Ok);
  press(session.form().BitBtn1);
  return QTest::qWaitFor([&] { return caption(session.form().BitBtn1) == "Disconnect"; },
                         kLinkWaitMs);
}

}  // namespace tadjust::testing
