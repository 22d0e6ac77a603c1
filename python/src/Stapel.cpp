// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Stapel.h"

#include <algorithm>
#include <span>

#include "fitting/Anpassungen.h"
#include "python/src/Ergebnisbau.h"
#include "python/src/Festwerte.h"
#include "python/src/Sitzung.h"
#include "python/src/Unterbrechbar.h"

namespace vk::py {

namespace pyb = pybind11;

Stapel::Stapel(std::uint32_t index, const Festvorgaben& fest, bool alleMethoden,
               const pyb::handle& settings, unsigned jobs)
    : eintrag_(Eintrag(index)),
      verteilung_(Referenz(eintrag_)),
      fest_(fest),
      alleMethoden_(alleMethoden),
      einstellungen_(EinstellungenLesen(settings)),
      jobs_(std::max(1u, jobs)) {
  Festwerte(fest_).Pruefen(std::span(&eintrag_, 1));
}

Stapel::~Stapel() {
  Anhalten();
}

void Stapel::Anhalten() {
  stopp_ = true;
  {
    std::lock_guard<std::mutex> lock(sperre_);
    ende_ = true;
  }
  arbeitSignal_.notify_all();
  // The helpers never take the interpreter's lock, so they end whoever holds it.
  for (std::thread& t : helfer_)
    if (t.joinable()) t.join();
}

void Stapel::Schliessen() {
  pyb::gil_scoped_release frei;
  Anhalten();
}

pyb::list Stapel::Weiter(const pyb::list& posten) {
  std::vector<Posten> neu;
  neu.reserve(posten.size());
  for (const pyb::handle p : posten) {
    if (pyb::isinstance<Datenbestand>(p))
      neu.push_back({p.cast<const Datenbestand&>(), {}});
    else
      neu.push_back({std::nullopt, p.cast<std::string>()});
  }
  // The running chunk's results are needed now: the calling thread fits with the helpers until
  // no data set is left to take (it sees Ctrl-C itself meanwhile), so while it converts below
  // `jobs - 1` helpers fit and `jobs` threads are busy in all.
  if (!laufend_.empty() && naechster_.load() < laufend_.size()) {
    Unterbrechbar poll(&stopp_);
    {
      pyb::gil_scoped_release frei;
      if (!engine_) engine_ = std::make_unique<Anpassungen>(Katalog());
      Abarbeiten(*engine_, poll);
      Beendet();
    }
    if (poll.Unterbrochen()) stopp_ = true;
    poll.Weiterwerfen();
  }
  Warten();
  std::vector<Ergebnis> fertig = std::move(ergebnisse_);
  ergebnisse_.clear();
  // After a stop only the data sets before the first one left undone count.
  const auto offen = std::find_if(fertig.begin(), fertig.end(),
                                  [](const Ergebnis& e) { return !e.erledigt; });
  fertig.erase(offen, fertig.end());
  if (!neu.empty()) Starten(std::move(neu));

  pyb::list aus(fertig.size());
  for (std::size_t i = 0; i < fertig.size(); ++i) {
    const Ergebnis& e = fertig[i];
    pyb::object r;
    if (e.fehler) {
      pyb::object datei = e.datei.empty() ? pyb::object(pyb::none()) : pyb::str(e.datei);
      r = pyb::make_tuple(datei, FehlerObjekt(*e.fehler));
    } else {
      r = FitResultBauen(e.daten, eintrag_, e.status, e.bericht, e.klassen);
    }
    PyList_SET_ITEM(aus.ptr(), static_cast<pyb::ssize_t>(i), r.release().ptr());
  }
  fertig.clear();

  return aus;
}

std::size_t Stapel::Teilgroesse() const {
  const std::size_t kleinste = 4 * std::size_t{jobs_}, groesste = 512 * std::size_t{jobs_};
  if (gemessen_ == 0 || dauer_.count() <= 0) return kleinste;
  const double stuecke =
      static_cast<double>(gemessen_) * (std::chrono::duration<double>(kTeildauer) / dauer_);
  return std::clamp(static_cast<std::size_t>(stuecke), kleinste, groesste);
}

void Stapel::Starten(std::vector<Posten> posten) {
  laufend_ = std::move(posten);
  ergebnisse_.clear();
  ergebnisse_.resize(laufend_.size());
  naechster_ = 0;
  beginn_ = std::chrono::steady_clock::now();
  if (jobs_ == 1) return;
  {
    std::lock_guard<std::mutex> lock(sperre_);
    ++runde_;
    beschaeftigt_ = jobs_ - 1;
  }
  arbeitSignal_.notify_all();
  // Started once, at the first chunk, and kept: two thread starts per chunk cost a chunk's tail.
  while (helfer_.size() < jobs_ - 1) helfer_.emplace_back([this] { Helfer(); });
}

// A helper thread: waits for a chunk, fits from it until none is left, and waits again. It
// polls the stop flag alone.
void Stapel::Helfer() {
  std::unique_ptr<Anpassungen> engine;
  Unterbrechbar poll(&stopp_, false);
  std::uint64_t gesehen = 0;
  std::unique_lock<std::mutex> lock(sperre_);
  while (true) {
    arbeitSignal_.wait(lock, [&] { return ende_ || runde_ != gesehen; });
    if (ende_) return;
    gesehen = runde_;
    lock.unlock();
    try {
      if (!engine) engine = std::make_unique<Anpassungen>(Katalog());
      Abarbeiten(*engine, poll);
    } catch (...) {
      stopp_ = true;
      std::lock_guard<std::mutex> fehlerLock(sperre_);
      if (!ausnahme_) ausnahme_ = std::current_exception();
    }
    Beendet();
    lock.lock();
    if (--beschaeftigt_ == 0) fertigSignal_.notify_all();
  }
}

// The chunk's time runs to its last fit: the consumer's pace must not shrink the chunks.
void Stapel::Beendet() {
  const auto jetzt = std::chrono::steady_clock::now();
  std::lock_guard<std::mutex> lock(sperre_);
  schluss_ = std::max(schluss_, jetzt);
}

void Stapel::Abarbeiten(Anpassungen& engine, Unterbrechbar& poll) {
  const std::size_t n = laufend_.size();
  while (!stopp_.load(std::memory_order_relaxed) && !poll.Unterbrochen()) {
    const std::size_t i = naechster_.fetch_add(1);
    if (i >= n) break;
    ergebnisse_[i] = Einzeln(engine, poll, laufend_[i]);
    ergebnisse_[i].erledigt = true;
  }
}

Stapel::Ergebnis Stapel::Einzeln(Anpassungen& engine, Unterbrechbar& poll, const Posten& p) const {
  Ergebnis e;
  e.datei = p.daten ? p.daten->datei : p.datei;
  try {
    e.daten = p.daten ? *p.daten : DateiEinlesen(p.datei, engine.DatenZumLesen());
    Vorbereiten(engine, e.daten, einstellungen_);
    Festwerte festwerte(fest_);
    e.status = BerichtAnpassen(engine, verteilung_, alleMethoden_, festwerte, poll, e.bericht);
    BerichtPruefen(e.status, e.bericht, festwerte, eintrag_);
    e.klassen = Klassenzeilen(e.bericht);
  } catch (const Fehler& f) {
    e.fehler = f;
  }
  return e;
}

void Stapel::Warten() {
  if (laufend_.empty()) return;
  std::optional<pyb::error_already_set> signal;
  {
    pyb::gil_scoped_release frei;
    std::unique_lock<std::mutex> lock(sperre_);
    // Only the calling thread can see Ctrl-C: it looks as often as a fit's poll does.
    while (!fertigSignal_.wait_for(lock, Unterbrechbar::kAbstand,
                                   [this] { return beschaeftigt_ == 0; })) {
      if (signal) continue;
      lock.unlock();
      {
        pyb::gil_scoped_acquire mitLock;
        if (PyErr_CheckSignals() != 0) signal.emplace();
      }
      if (signal) stopp_ = true;
      lock.lock();
    }
  }
  if (schluss_ > beginn_) dauer_ = schluss_ - beginn_;
  gemessen_ = laufend_.size();
  laufend_.clear();
  if (signal) throw std::move(*signal);
  if (ausnahme_) std::rethrow_exception(std::exchange(ausnahme_, nullptr));
}

}  // namespace vk::py
