// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>
#include <atomic>

#include "fitting/Anpassungen.h"

namespace vk::ui {

class TFrmMain;

// What the worker posts to the window: the end of the fit (with its status), and the start
// (with the number of steps), each step and the end of the preflight's progress.
enum class SpezialEreignis { kEnde, kFortschrittStart, kFortschrittSchritt, kFortschrittEnde };

// Runs one special fitting on the window's engine. Everything the fit needs from the window is
// read before the start; everything it reports travels back as queued calls, applied on the GUI
// thread in the order they were made. The last of them is the end message with the status.
class SpezialArbeiter : public QThread {
 public:
  SpezialArbeiter(TFrmMain* fenster, Anpassungen& engine, TVerteilung verteilung,
                  const Spezialvorgaben& vorgaben, const std::atomic<bool>& abbruch);

 protected:
  void run() override;

 private:
  TFrmMain* fenster_;
  Anpassungen& engine_;
  TVerteilung verteilung_;
  Spezialvorgaben vorgaben_;
  const std::atomic<bool>& abbruch_;
};

}  // namespace vk::ui
