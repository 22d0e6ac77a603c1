// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Stapel.h"

#include <algorithm>
#include <span>

#include "fitting/Anpassungen.h"
#include "fitting/GeordneteArbeit.h"
#include "python/src/Ergebnisbau.h"
#include "python/src/Festwerte.h"
#include "python/src/Sitzung.h"
#include "python/src/Unterbrechbar.h"

namespace vk::py {

namespace pyb = pybind11;

// A worker's engine for one chunk, taken from the batch's engines and given back after it:
// setting up an engine costs more than fitting a small data set. A worker off the calling
// thread polls the stop flag alone.
struct Stapel::Leihe {
  Leihe(Stapel& s, Unterbrechbar* hauptPoll) : stapel(s), eigene(&s.stopp_, false) {
    poll = hauptPoll != nullptr ? hauptPoll : &eigene;
    std::lock_guard<std::mutex> lock(stapel.sperre_);
    if (!stapel.engines_.empty()) {
      engine = std::move(stapel.engines_.back());
      stapel.engines_.pop_back();
    }
  }
  ~Leihe() {
    std::lock_guard<std::mutex> lock(stapel.sperre_);
    stapel.engines_.push_back(std::move(engine));
  }
  Stapel& stapel;
  std::unique_ptr<Anpassungen> engine;
  Unterbrechbar eigene;
  Unterbrechbar* poll;
};

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
  // The workers never take the interpreter's lock, so they end whoever holds it.
  if (laeufer_.joinable()) laeufer_.join();
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
  Warten();
  std::vector<Ergebnis> fertig = std::move(ergebnisse_);
  ergebnisse_.clear();
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
  ergebnisse_.reserve(laufend_.size());
  beginn_ = std::chrono::steady_clock::now();
  if (jobs_ == 1) {
    Unterbrechbar poll(&stopp_);
    {
      pyb::gil_scoped_release frei;
      Abarbeiten(&poll);
    }
    poll.Weiterwerfen();
    return;
  }
  fertig_ = false;
  laeufer_ = std::thread([this] {
    try {
      Abarbeiten(nullptr);
    } catch (...) {
      ausnahme_ = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(sperre_);
    fertig_ = true;
    fertigSignal_.notify_all();
  });
}

void Stapel::Abarbeiten(Unterbrechbar* hauptPoll) {
  std::size_t naechster = 0;
  GeordnetAbarbeiten<const Posten*, Ergebnis, Leihe>(
      jobs_, std::max<std::size_t>(1, laufend_.size()),
      [&]() -> std::optional<const Posten*> {
        if (naechster == laufend_.size() || stopp_.load()) return std::nullopt;
        return &laufend_[naechster++];
      },
      [&] { return std::make_unique<Leihe>(*this, hauptPoll); },
      [&](Leihe& l, const Posten*& p) {
        if (!l.engine) l.engine = std::make_unique<Anpassungen>(Katalog());
        return Einzeln(*l.engine, *l.poll, *p);
      },
      [&](Ergebnis& e) { ergebnisse_.push_back(std::move(e)); });
  dauer_ = std::chrono::steady_clock::now() - beginn_;
  gemessen_ = ergebnisse_.size();
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
  if (!laeufer_.joinable()) return;
  std::optional<pyb::error_already_set> signal;
  {
    pyb::gil_scoped_release frei;
    std::unique_lock<std::mutex> lock(sperre_);
    // Only the thread that waits here can see Ctrl-C: it looks as often as a fit's poll does.
    while (!fertigSignal_.wait_for(lock, Unterbrechbar::kAbstand, [this] { return fertig_; })) {
      if (signal) continue;
      lock.unlock();
      {
        pyb::gil_scoped_acquire mitLock;
        if (PyErr_CheckSignals() != 0) signal.emplace();
      }
      if (signal) stopp_ = true;
      lock.lock();
    }
    lock.unlock();
    laeufer_.join();
  }
  if (signal) throw std::move(*signal);
  if (ausnahme_) std::rethrow_exception(std::exchange(ausnahme_, nullptr));
}

}  // namespace vk::py
