// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <functional>
#include <utility>

namespace vk::ui {

// A fit runs on a thread of its own so that the window stays responsive and a cancel is seen at
// once. The job talks to the window only through the two calls below: what it reports is posted
// and applied on the window's thread in the order it was made; what it must ask (a fixed
// parameter, whether to go on after an unreadable file) waits for the answer there.
class Arbeiter : public QThread {
 public:
  explicit Arbeiter(std::function<void()> auftrag) : auftrag_(std::move(auftrag)) {}

 protected:
  void run() override { auftrag_(); }

 private:
  std::function<void()> auftrag_;
};

// Runs `aufruf` later on the thread of `ziel`; dropped if `ziel` is gone by then.
template <class F>
void Posten(QObject* ziel, F aufruf) {
  QMetaObject::invokeMethod(ziel, std::move(aufruf), Qt::QueuedConnection);
}

// Runs `aufruf` on the thread of `ziel` and returns its result to the calling worker, which
// waits meanwhile. Never called from the thread of `ziel` itself.
template <class F>
auto Erfragen(QObject* ziel, F aufruf) -> decltype(aufruf()) {
  decltype(aufruf()) ergebnis{};
  QMetaObject::invokeMethod(ziel, std::move(aufruf), Qt::BlockingQueuedConnection, &ergebnis);
  return ergebnis;
}

}  // namespace vk::ui
