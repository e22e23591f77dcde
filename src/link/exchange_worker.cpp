#include "link/exchange_worker.h"

#include <QTimer>
#include <algorithm>

namespace tadjust {

ExchangeWorker::ExchangeWorker(SerialPort& port, Pause& pause, Pacing pacing)
    : port_(port), line_{port, pause}, pacing_(pacing) {
  if (pacing_ == Pacing::CallersThread) return;
  workerSide_ = new QObject;
  workerSide_->moveToThread(&thread_);
  port_.moveToThread(&thread_);
  // The pauses are what the device sees: the worker is woken before the window's repaints.
  thread_.start(QThread::TimeCriticalPriority);
}

ExchangeWorker::~ExchangeWorker() {
  port_.SetConnectionLostHandler({});
  if (pacing_ == Pacing::CallersThread) return;
  QThread* home = windowSide_.thread();
  // Queued behind every job handed over: a block under way is sent whole first.
  QMetaObject::invokeMethod(
      workerSide_,
      [this, home] {
        stopLooking();
        delete lookTimer_;
        lookTimer_ = nullptr;
        port_.ClosePort();
        port_.moveToThread(home);
        thread_.quit();
      },
      Qt::QueuedConnection);
  thread_.wait();
  delete workerSide_;
}

void ExchangeWorker::run(Work work, std::function<void()> done) {
  ++jobsUnderWay_;
  if (busyChanged_) busyChanged_();
  if (pacing_ == Pacing::CallersThread) {
    work(line_);
    jobEnded(done);
    return;
  }
  QMetaObject::invokeMethod(
      workerSide_,
      [this, work = std::move(work), done = std::move(done)] {
        work(line_);
        QMetaObject::invokeMethod(
            &windowSide_, [this, done] { jobEnded(done); }, Qt::QueuedConnection);
      },
      Qt::QueuedConnection);
}

void ExchangeWorker::runAside(Work work) {
  if (pacing_ == Pacing::CallersThread) {
    work(line_);
    return;
  }
  QMetaObject::invokeMethod(
      workerSide_, [this, work = std::move(work)] { work(line_); }, Qt::QueuedConnection);
}

void ExchangeWorker::jobEnded(const std::function<void()>& done) {
  --jobsUnderWay_;
  if (done) done();
  if (busyChanged_) busyChanged_();
}

void ExchangeWorker::tell(std::function<void()> toWindow) {
  if (pacing_ == Pacing::CallersThread) {
    toWindow();
    return;
  }
  QMetaObject::invokeMethod(&windowSide_, std::move(toWindow), Qt::QueuedConnection);
}

void ExchangeWorker::setConnectionLostHandler(std::function<void()> handler) {
  if (!handler) {
    port_.SetConnectionLostHandler({});
    return;
  }
  port_.SetConnectionLostHandler([this, handler = std::move(handler)] { tell(handler); });
}

void ExchangeWorker::watchReply(std::function<void(const SettingsReply&)> whole) {
  taken_.reset();
  const Nanoseconds now = pacing_ == Pacing::CallersThread ? Nanoseconds{0} : steadyNow();
  watch_ = Watch{std::move(whole), -1, now};
  startLooking();
}

SettingsReply ExchangeWorker::takeReply(PortLine&) {
  stopLooking();
  watch_.reset();
  if (taken_) {
    const SettingsReply reply = *taken_;
    taken_.reset();
    return reply;
  }
  return readReply();
}

void ExchangeWorker::pollReply(Nanoseconds now) {
  if (pacing_ == Pacing::CallersThread) lookAtReply(now);
}

// Whole: 256 bytes queued and no new byte for the guard. A count that has not moved since an
// earlier look has not moved since the byte that made it arrived either, so the quiet measured
// is never shorter than the guard.
void ExchangeWorker::lookAtReply(Nanoseconds now) {
  if (!watch_) return;
  const int queued = port_.QueuedCount();
  if (queued != watch_->queued) {
    watch_->queued = queued;
    watch_->changedAt = now;
    return;
  }
  if (queued < static_cast<int>(kReplySize) || now - watch_->changedAt < kReplyGuard) return;
  const SettingsReply reply = readReply();
  taken_ = reply;
  std::function<void(const SettingsReply&)> whole = std::move(watch_->whole);
  watch_.reset();
  stopLooking();
  tell([whole = std::move(whole), reply] { whole(reply); });
}

// As the eleventh tick collects a reply: the receive buffer cleared, then up to 256 of the queued
// bytes; bytes that did not arrive stay zero, bytes beyond 256 are left for the purge of the next
// request.
SettingsReply ExchangeWorker::readReply() {
  std::fill_n(port_.ReceiveBuffer.begin(), kReplySize, std::uint8_t{0});
  SettingsReply reply;
  reply.arrived = port_.ReadAvailable(static_cast<int>(kReplySize)) == 1;
  reply.count = reply.arrived ? std::clamp(port_.BytesRead(), 0, static_cast<int>(kReplySize)) : 0;
  std::copy_n(port_.ReceiveBuffer.begin(), kReplySize, reply.bytes.begin());
  return reply;
}

void ExchangeWorker::startLooking() {
  if (pacing_ == Pacing::CallersThread) return;
  if (lookTimer_ == nullptr) {
    lookTimer_ = new QTimer(workerSide_);
    lookTimer_->setTimerType(Qt::PreciseTimer);
    lookTimer_->setInterval(kReplyLookInterval);
    QObject::connect(lookTimer_, &QTimer::timeout, workerSide_,
                     [this] { lookAtReply(steadyNow()); });
  }
  lookTimer_->start();
}

void ExchangeWorker::stopLooking() {
  if (lookTimer_ != nullptr) lookTimer_->stop();
}

Nanoseconds ExchangeWorker::steadyNow() const {
  return std::chrono::duration_cast<Nanoseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace tadjust
