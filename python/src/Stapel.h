// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "catalog/Katalogeintrag.h"
#include "fitting/Einstellungen.h"
#include "python/src/Auftraege.h"
#include "python/src/Bericht.h"
#include "python/src/Datenbestand.h"
#include "python/src/Fehler.h"

namespace vk {
class Anpassungen;
}

namespace vk::py {

class Unterbrechbar;

// A batch of fits of one distribution, chunk by chunk, on `jobs` threads in all: `jobs - 1`
// helpers kept alive for the whole batch, and the calling thread. While the helpers fit a chunk
// (one engine each, without the interpreter's lock), the calling thread turns the chunk before
// it into Python objects and then fits alongside them, so `jobs` threads are busy on `jobs`
// cores. Each result has its own slot in the chunk, so the order of the data sets is kept
// without any ordering between the threads. With one job there are no helpers.
class Stapel {
 public:
  // Raises a usage error for a fixed parameter or setting the distribution refuses.
  Stapel(std::uint32_t index, const Festvorgaben& fest, bool alleMethoden,
         const pybind11::handle& settings, unsigned jobs);
  Stapel(const Stapel&) = delete;
  Stapel& operator=(const Stapel&) = delete;
  ~Stapel();

  // Waits for the chunk being fitted, starts fitting `posten` (Data engines' data sets and file
  // names, which the workers read), fits with the helpers once the finished chunk is converted, and
  // answers the finished chunk's results in order: a
  // FitResult, or (file, KalibraError) for a data set whose read or fit failed. Ctrl-C stops the
  // workers and raises KeyboardInterrupt.
  pybind11::list Weiter(const pybind11::list& posten);
  // Stops the workers and waits for them: for a consumer that leaves before the end.
  void Schliessen();
  // How many data sets the next chunk should take: as many as the last chunk fitted in about
  // kTeildauer, within 4 and 512 per job. Every chunk ends with a wait for the helpers' last
  // fits; long chunks hold back the first and the last results.
  std::size_t Teilgroesse() const;

  static constexpr std::chrono::milliseconds kTeildauer{5};

 private:
  struct Posten {
    std::optional<Datenbestand> daten;
    std::string datei;  // the file to read when there are no data yet
  };
  struct Ergebnis {
    Datenbestand daten;
    std::string datei;
    Status status = status::kOk;
    std::optional<Fehler> fehler;
    Anpassbericht bericht;
    std::vector<Klasse> klassen;  // the best method's class rows, made by the worker
    bool erledigt = false;        // false for a data set left when the batch was stopped
  };

  void Starten(std::vector<Posten> posten);
  void Helfer();
  void Abarbeiten(Anpassungen& engine, Unterbrechbar& poll);
  void Beendet();
  Ergebnis Einzeln(Anpassungen& engine, Unterbrechbar& poll, const Posten& p) const;
  void Warten();
  void Anhalten();

  TKatalogeintrag eintrag_;
  TVerteilung verteilung_;
  Festvorgaben fest_;
  bool alleMethoden_;
  TEinstellungen einstellungen_;
  unsigned jobs_;

  std::atomic<bool> stopp_{false};
  std::vector<Posten> laufend_;
  std::vector<Ergebnis> ergebnisse_;  // one slot per data set of the chunk
  std::atomic<std::size_t> naechster_{0};  // the chunk's next data set to take
  std::vector<std::thread> helfer_;
  std::mutex sperre_;
  std::condition_variable arbeitSignal_, fertigSignal_;
  std::uint64_t runde_ = 0;  // chunks started; under sperre_
  unsigned beschaeftigt_ = 0;  // helpers still in the current chunk; under sperre_
  bool ende_ = false;          // under sperre_
  std::chrono::steady_clock::time_point beginn_;
  std::chrono::steady_clock::time_point schluss_;  // the chunk's last fit so far; under sperre_
  std::chrono::steady_clock::duration dauer_{};  // of the last chunk fitted
  std::size_t gemessen_ = 0;                     // its data sets
  std::exception_ptr ausnahme_;  // what ended a helper's chunk (no memory); under sperre_
  std::unique_ptr<Anpassungen> engine_;  // the calling thread's, kept from chunk to chunk
};

}  // namespace vk::py
