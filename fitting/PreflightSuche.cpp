// SPDX-License-Identifier: GPL-3.0-or-later
// The special fitting's preflight grid over b1 and b2, on all cores.
//
// The grid points are independent fits: each starts from the estimates of its own (b1, b2) and
// leaves nothing behind that the next one reads. They run on engines of their own, one per
// thread, in blocks of consecutive points of a row. The calling thread takes blocks as well and
// is the only one that talks to the host: it asks the abort poll, reports each b1 row in grid
// order once all of that row's blocks are done, and merges the rows' best points in grid order,
// so that the outcome, its ties included, is the one a single pass over the grid gives.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "core/FpFault.h"
#include "distributions/Spezialmodell.h"
#include "fitting/Anpassungen.h"
#include "fitting/Helferthreads.h"

namespace vk {

namespace {

// The best point of a stretch of the grid; `gefunden` false where none of its points succeeded.
struct Gitterbestes {
  bool gefunden = false;
  double p = 0;
  double chi = 0;
  double b1 = 0;
  double b2 = 0;

  // The grid's rule: a higher P, or an equal P with a lower X². An equal point that comes later
  // in the grid never displaces an earlier one.
  void Anbieten(const Gitterbestes& spaeter) {
    if (!spaeter.gefunden) return;
    if (!gefunden || spaeter.p > p || (spaeter.p == p && spaeter.chi < chi)) *this = spaeter;
  }
};

// The values b = start, start + delta, ... below stop, by the repeated addition a single loop
// over the grid makes, so that every thread sees the same doubles.
std::vector<double> Gitterwerte(double start, double stop, double delta) {
  std::vector<double> werte;
  for (double b = start; delta > 0 && b < stop; b += delta) werte.push_back(b);
  return werte;
}

// What the threads share. Blocks are numbered row by row; a block's result is written by the
// thread that computed it, read by the calling thread after the row's count says it is done.
struct Gitterlauf {
  std::vector<double> b1, b2;
  std::size_t bloeckeJeZeile = 1;
  std::size_t blockBreite = 1;
  std::size_t bloecke = 0;
  std::atomic<std::size_t> naechster{0};
  // A cancel has been seen, or the grid is to stop: no further point is started, and the
  // running ones end at their next abort poll.
  std::atomic<bool> stopp{false};

  std::mutex sperre;
  std::condition_variable fertigMeldung;
  std::vector<Gitterbestes> ergebnis;      // per block
  std::vector<std::size_t> fertigJeZeile;  // blocks done per row
  std::exception_ptr fehler;               // the first exception a helper thread met

  // The blocks of a row: enough for every thread to find work in a grid of a single row, few
  // enough that their results stay small for the longest rows the ranges allow.
  Gitterlauf(std::vector<double> zeilen, std::vector<double> spalten, std::size_t threads)
      : b1(std::move(zeilen)), b2(std::move(spalten)) {
    constexpr std::size_t kMaxBloecke = std::size_t{1} << 20;
    const std::size_t zeilenZahl = std::max<std::size_t>(b1.size(), 1);
    std::size_t jeZeile = std::min(b2.size(), 4 * threads);
    jeZeile = std::min(jeZeile, std::max<std::size_t>(kMaxBloecke / zeilenZahl, 1));
    bloeckeJeZeile = std::max<std::size_t>(jeZeile, 1);
    blockBreite = (b2.size() + bloeckeJeZeile - 1) / bloeckeJeZeile;
    if (blockBreite == 0) blockBreite = 1;
    bloeckeJeZeile = std::max<std::size_t>((b2.size() + blockBreite - 1) / blockBreite, 1);
    bloecke = b1.size() * bloeckeJeZeile;
    ergebnis.resize(bloecke);
    fertigJeZeile.assign(b1.size(), 0);
  }
};

bool GestopptPollen(void* daten) {
  return static_cast<const Gitterlauf*>(daten)->stopp.load(std::memory_order_relaxed);
}

// The calling thread's poll: the host's abort poll, whose yes stops every thread.
struct Aufruferpoll {
  Gitterlauf* lauf;
  const Rueckrufe* r;
};

bool AufruferPollen(void* daten) {
  auto* a = static_cast<Aufruferpoll*>(daten);
  if (a->lauf->stopp.load(std::memory_order_relaxed)) return true;
  if (a->r->abbruch && a->r->abbruch()) {
    a->lauf->stopp.store(true, std::memory_order_relaxed);
    return true;
  }
  return false;
}

}  // namespace

struct Anpassungen::Gitterblock {
  // Computes the next block on `engine`; false when none is left.
  static bool Rechnen(Anpassungen& engine, Gitterlauf& lauf, const Abbruchabfrage& abbruch) {
    const std::size_t u = lauf.naechster.fetch_add(1, std::memory_order_relaxed);
    if (u >= lauf.bloecke) return false;
    const std::size_t zeile = u / lauf.bloeckeJeZeile;
    const std::size_t von = (u % lauf.bloeckeJeZeile) * lauf.blockBreite;
    const std::size_t bis = std::min(von + lauf.blockBreite, lauf.b2.size());
    Gitterbestes bestes;
    for (std::size_t j = von; j < bis; ++j) {
      // Once cancelled, the rest of the grid is not worth computing; the next row's progress
      // report then stops it.
      if (abbruch.Abbrechen()) break;
      Gitterbestes punkt{true, 0, 0, lauf.b1[zeile], lauf.b2[j]};
      if (engine.PreflightPunkt(punkt.b1, punkt.b2, abbruch, punkt.p, punkt.chi))
        bestes.Anbieten(punkt);
    }
    {
      const std::lock_guard<std::mutex> halten(lauf.sperre);
      lauf.ergebnis[u] = bestes;
      ++lauf.fertigJeZeile[zeile];
    }
    lauf.fertigMeldung.notify_one();
    return true;
  }
};

bool Anpassungen::PreflightPunkt(double b1, double b2, const Abbruchabfrage& abbruch, double& p,
                                 double& chi) {
  schaetzwerte_[kSpezialSlotB1] = b1;
  schaetzwerte_[kSpezialSlotB2] = b2;
  FpFaultScope punkt;
  mitglied_.SchaetzwerteBerechnen(eingaben_, schaetzwerte_);
  simplex_ = Simplex{};
  mitglied_.AlternativeWaehlen(eingaben_, 0, schaetzwerte_, simplex_.ecke[0]);
  ParameterKorrigieren(simplex_.ecke[0], eig_);
  Status zyklus = status::kOk;
  unterbrechung_ = {abbruch.abfrage, abbruch.benutzerdaten};
  eingaben_.unterbrechung = &unterbrechung_;
  bool ok = Optimierungszyklus(simplex_, eig_.parZahl, *this, einstellungen_, abbruch, zyklus);
  eingaben_.unterbrechung = nullptr;
  if (ok) ok = AnpassungBewerten();
  if (!ok || punkt.Faulted()) return false;
  p = aktuell_.p;
  chi = aktuell_.chi;
  return true;
}

std::unique_ptr<Anpassungen> Anpassungen::PreflightHelfer() const {
  auto h = std::make_unique<Anpassungen>(katalog_);
  h->daten_ = daten_;
  h->einstellungen_ = einstellungen_;
  h->eig_ = eig_;
  h->nummer_ = nummer_;
  h->mitglied_ = mitglied_;
  h->schaetzwerte_ = schaetzwerte_;
  h->auswertung_ = mitglied_.AuswertungVorbereiten(h->eingaben_);
  return h;
}

Status Anpassungen::PreflightSuche(const Spezialvorgaben& v, const Rueckrufe& r,
                                   const SpezialRueckrufe& s) {
  // The hosts refuse such ranges with a message; one that still arrives would loop for ever.
  if (!PreflightBereichPruefen(v[3]).empty() || !PreflightBereichPruefen(v[4]).empty())
    return status::kException;
  const double s1 = v[3].Start, e1 = v[3].Stop, d1 = v[3].Delta;
  const double s2 = v[4].Start, e2 = v[4].Stop, d2 = v[4].Delta;

  std::uint32_t zeilen = 0;
  {
    FpFaultScope guard;
    const std::int64_t z = TruncToInt64(std::fabs(e1 - s1) / d1 + 0.5);
    if (!guard.Faulted() && z > 0)
      zeilen = static_cast<std::uint32_t>(std::min<std::int64_t>(z, UINT32_MAX));
  }
  if (s.fortschritt) s.fortschritt(PreflightEreignis::kStart, zeilen);

  // A step that is not positive would never reach the stop value: such a grid has no points.
  unsigned threads =
      threads_ != 0 ? threads_ : std::thread::hardware_concurrency();
  threads = std::max(threads, 1u);
  Gitterlauf lauf(Gitterwerte(s1, e1, d1), Gitterwerte(s2, e2, d2), threads);
  const std::size_t helferZahl =
      std::min<std::size_t>(threads - 1, lauf.bloecke > 0 ? lauf.bloecke - 1 : 0);

  std::vector<std::unique_ptr<Anpassungen>> helfer;
  for (std::size_t t = 0; t < helferZahl; ++t) helfer.push_back(PreflightHelfer());
  const Abbruchabfrage helferPoll{&GestopptPollen, &lauf};
  std::vector<std::jthread> arbeiter;
  const HelferAnhalten<Gitterlauf> anhalten{lauf};
  for (std::size_t t = 0; t < helferZahl; ++t) {
    // Each thread has its own floating-point flags: the point scopes of the engine guard its
    // computation there as they do on the calling thread.
    const auto arbeit = [&lauf, &helferPoll, engine = helfer[t].get()] {
      while (Gitterblock::Rechnen(*engine, lauf, helferPoll)) {
      }
    };
    HelferStarten(arbeiter, lauf, 1, arbeit, [&lauf] { lauf.fertigMeldung.notify_one(); });
  }

  Aufruferpoll eigenerPoll{&lauf, &r};
  const Abbruchabfrage aufruferPoll{&AufruferPollen, &eigenerPoll};
  Gitterbestes bestes{true, 0, daten_.Statistik.summe, -0.1, 0.1};
  std::size_t gemeldet = 0;
  // Reports the rows whose blocks are all done, in grid order; a non-zero answer stops the grid.
  const auto zeilenMelden = [&]() -> Status {
    while (gemeldet < lauf.b1.size()) {
      {
        const std::lock_guard<std::mutex> halten(lauf.sperre);
        if (lauf.fehler) std::rethrow_exception(lauf.fehler);
        if (lauf.fertigJeZeile[gemeldet] < lauf.bloeckeJeZeile) break;
      }
      for (std::size_t b = 0; b < lauf.bloeckeJeZeile; ++b)
        bestes.Anbieten(lauf.ergebnis[gemeldet * lauf.bloeckeJeZeile + b]);
      ++gemeldet;
      if (s.fortschritt) {
        const Status st = s.fortschritt(PreflightEreignis::kZeile, 0);
        if (st != status::kOk) return st;
      }
    }
    return status::kOk;
  };

  while (Gitterblock::Rechnen(*this, lauf, aufruferPoll)) {
    const Status st = zeilenMelden();
    if (st != status::kOk) return st;
  }
  // The helpers finish the last blocks; meanwhile the host's abort poll is still asked.
  while (gemeldet < lauf.b1.size()) {
    {
      std::unique_lock<std::mutex> warten(lauf.sperre);
      const std::size_t z = gemeldet;
      lauf.fertigMeldung.wait_for(warten, std::chrono::milliseconds(10), [&] {
        return lauf.fehler || lauf.fertigJeZeile[z] == lauf.bloeckeJeZeile;
      });
    }
    AufruferPollen(&eigenerPoll);
    const Status st = zeilenMelden();
    if (st != status::kOk) return st;
  }
  if (s.fortschritt) s.fortschritt(PreflightEreignis::kEnde, 0);
  schaetzwerte_[kSpezialSlotB1] = bestes.b1;
  schaetzwerte_[kSpezialSlotB2] = bestes.b2;
  return status::kOk;
}

}  // namespace vk
