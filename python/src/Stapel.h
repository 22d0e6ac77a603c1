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

// A batch of fits of one distribution, chunk by chunk. While one chunk is fitted on `jobs`
// threads (one engine each, without the interpreter's lock), the consumer turns the chunk
// before it into Python objects; the results keep the order of the data sets. With one job a
// chunk is fitted on the calling thread, which is then the only one.
class Stapel {
 public:
  // Raises a usage error for a fixed parameter or setting the distribution refuses.
  Stapel(std::uint32_t index, const Festvorgaben& fest, bool alleMethoden,
         const pybind11::handle& settings, unsigned jobs);
  Stapel(const Stapel&) = delete;
  Stapel& operator=(const Stapel&) = delete;
  ~Stapel();

  // Waits for the chunk being fitted, starts fitting `posten` (Data engines' data sets and file
  // names, which the workers read), and answers the finished chunk's results in order: a
  // FitResult, or (file, KalibraError) for a data set whose read or fit failed. Ctrl-C stops the
  // workers and raises KeyboardInterrupt.
  pybind11::list Weiter(const pybind11::list& posten);
  // Stops the workers and waits for them: for a consumer that leaves before the end.
  void Schliessen();
  // How many data sets the next chunk should take: as many as the last chunk fitted in about
  // kTeildauer, within 4 and 512 per job. Every chunk ends with a wait for its slowest fit and
  // costs the start of its threads; long chunks hold back the first and the last results.
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
  };
  struct Leihe;

  void Starten(std::vector<Posten> posten);
  void Abarbeiten(Unterbrechbar* hauptPoll);
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
  std::vector<Ergebnis> ergebnisse_;
  std::thread laeufer_;
  std::mutex sperre_;
  std::condition_variable fertigSignal_;
  bool fertig_ = true;
  std::chrono::steady_clock::time_point beginn_;
  std::chrono::steady_clock::duration dauer_{};  // of the last chunk fitted
  std::size_t gemessen_ = 0;                     // its data sets
  std::exception_ptr ausnahme_;  // what ended a chunk on its thread (no memory, no threads)
  std::vector<std::unique_ptr<Anpassungen>> engines_;  // kept from chunk to chunk; under sperre_
};

}  // namespace vk::py
