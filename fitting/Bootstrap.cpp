// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Bootstrap.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <numbers>
#include <system_error>
#include <thread>
#include <vector>

#include "core/FpFault.h"
#include "core/Statistik.h"
#include "fitting/Anpassungen.h"
#include "fitting/Helferthreads.h"

namespace vk {

std::mt19937_64 ReplikatGenerator(std::uint64_t seed, std::uint64_t index) {
  std::seed_seq folge{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                      static_cast<std::uint32_t>(index), static_cast<std::uint32_t>(index >> 32)};
  return std::mt19937_64(folge);
}

double Gleichverteilt(std::mt19937_64& g) {
  return static_cast<double>(g() >> 11) * 0x1.0p-53;
}

void MultinomialZiehen(std::span<const double> kumuliert, std::uint64_t n, std::mt19937_64& g,
                       std::span<double> zaehler) {
  if (kumuliert.empty()) return;
  const double gesamt = kumuliert.back();
  for (std::uint64_t j = 0; j < n; ++j) {
    const double u = Gleichverteilt(g) * gesamt;
    // u < gesamt always, so a cell is found; a cell of weight 0 is never one whose running sum
    // exceeds u for the first time.
    const auto it = std::upper_bound(kumuliert.begin(), kumuliert.end(), u);
    const std::size_t zelle = it == kumuliert.end()
                                  ? kumuliert.size() - 1
                                  : static_cast<std::size_t>(it - kumuliert.begin());
    zaehler[zelle] += 1;
  }
}

double NormalVerteilung(double z) {
  return 0.5 * std::erfc(-z * std::numbers::sqrt2 / 2);
}

double NormalQuantil(double p) {
  if (!(p > 0)) return -std::numeric_limits<double>::infinity();
  if (!(p < 1)) return std::numeric_limits<double>::infinity();
  // Bisection on the lower tail, where erfc keeps full relative precision (1 - p is exact for
  // p above one half), to a bracket of one ulp; the interval's two quantiles are the only
  // callers, so speed does not matter.
  const double schwanz = p < 0.5 ? p : 1 - p;
  double unten = -40;
  double oben = 0;
  for (int i = 0; i < 200; ++i) {
    const double mitte = 0.5 * (unten + oben);
    if (mitte <= unten || mitte >= oben) break;
    (NormalVerteilung(mitte) < schwanz ? unten : oben) = mitte;
  }
  const double z = 0.5 * (unten + oben);
  return p < 0.5 ? z : -z;
}

ParameterStreuung StreuungBerechnen(std::span<double> werte, double schaetzung, Intervallart art) {
  ParameterStreuung s;
  const std::size_t m = werte.size();
  if (m < 2) return s;
  std::sort(werte.begin(), werte.end());
  double mittel = 0;
  for (const double w : werte) mittel += w;
  mittel /= static_cast<double>(m);
  double quadrate = 0;
  for (const double w : werte) quadrate += (w - mittel) * (w - mittel);
  s.se = std::sqrt(quadrate / static_cast<double>(m - 1));
  const auto quantil = [&](double q) {
    const double h = static_cast<double>(m - 1) * q;
    const auto unten = static_cast<std::size_t>(std::floor(h));
    if (unten + 1 >= m) return werte[m - 1];
    return werte[unten] + (h - static_cast<double>(unten)) * (werte[unten + 1] - werte[unten]);
  };
  constexpr double kZ = 1.959963984540054;  // Φ⁻¹(0.975)
  switch (art) {
    case Intervallart::kPerzentil:
      s.unten = quantil(0.025);
      s.oben = quantil(0.975);
      break;
    case Intervallart::kBasis:
      s.unten = 2 * schaetzung - quantil(0.975);
      s.oben = 2 * schaetzung - quantil(0.025);
      break;
    case Intervallart::kBiaskorrigiert: {
      const auto darunter = std::lower_bound(werte.begin(), werte.end(), schaetzung);
      const auto bisEinschliesslich = std::upper_bound(darunter, werte.end(), schaetzung);
      double anteil = (static_cast<double>(darunter - werte.begin()) +
                       0.5 * static_cast<double>(bisEinschliesslich - darunter)) /
                      static_cast<double>(m);
      // With every θ* on one side of θ̂, z₀ would be infinite and the interval a single end
      // point; half a replicate's share keeps it finite, the most the sample can tell.
      const double rand = 0.5 / static_cast<double>(m);
      anteil = std::clamp(anteil, rand, 1 - rand);
      const double z0 = NormalQuantil(anteil);
      s.unten = quantil(NormalVerteilung(2 * z0 - kZ));
      s.oben = quantil(NormalVerteilung(2 * z0 + kZ));
      break;
    }
  }
  return s;
}

double MonteCarloP(std::span<const double> chi, double beobachtet) {
  const auto mindestens =
      std::count_if(chi.begin(), chi.end(), [&](double c) { return c >= beobachtet; });
  return (1.0 + static_cast<double>(mindestens)) / (1.0 + static_cast<double>(chi.size()));
}

namespace {

enum class Ausgang : std::uint8_t { kOffen, kErfolg, kFehlschlag };

// What the threads share: the replicates are taken by number; each result (its outcome, X² and
// the parZahl free parameters) is written by the thread that computed it and read after all
// threads are joined.
struct Lauf {
  std::uint32_t anzahl = 0;
  std::uint32_t parZahl = 0;
  std::vector<Ausgang> ausgang;
  std::vector<double> chi;
  std::vector<double> werte;  // replicate i's parameters at [i * parZahl, (i + 1) * parZahl)
  std::atomic<std::uint32_t> naechster{0};
  std::atomic<std::uint32_t> fertig{0};
  std::atomic<bool> stopp{false};
  std::mutex sperre;
  std::condition_variable meldung;
  std::exception_ptr fehler;
};

// The fit's frozen inputs of every refit.
struct Vorlage {
  const Anpassungen& engine;
  const TVerteilung& verteilung;
  std::vector<double> kumuliert;  // running sums of the fit's expected frequencies, 0..L
  std::uint64_t stichprobe = 0;   // N, rounded to a whole number of items
  std::uint64_t seed = 0;
};

void Arbeiten(const Vorlage& vorlage, Lauf& lauf) {
  const Anpassungen& quelle = vorlage.engine;
  auto engine = std::make_unique<Anpassungen>(quelle.Katalog());
  engine->EinstellungenUebernehmen(quelle.Einstellungen());
  TDatensatz& d = engine->DatenZumLesen();
  // The classes of the fit as they are: the same x values 0..L, the last one standing for L or
  // more, so that a count drawn into the tail is refitted as a count of x[L].
  d.XWerte = quelle.Daten().XWerte;
  const std::uint32_t L = quelle.Daten().Statistik.n;
  const TParameterEigenschaften& eig = quelle.Eigenschaften();
  const std::uint32_t parZahl = eig.parZahl;

  Rueckrufe r;
  // Fixed parameters keep the values of the fit: they are given, not estimated.
  r.festparameter = [&eig](Festparameterfeld& f, std::uint32_t anzahl) {
    for (std::uint32_t k = 0; k < anzahl && k < eig.festparZahl; ++k)
      f[k].Wert = eig.festparameter[k];
    return status::kOk;
  };
  r.abbruch = [&lauf] { return lauf.stopp.load(std::memory_order_relaxed); };

  TDateneigenschaften eigenschaften;
  for (;;) {
    if (lauf.stopp.load(std::memory_order_relaxed)) break;
    const std::uint32_t i = lauf.naechster.fetch_add(1, std::memory_order_relaxed);
    if (i >= lauf.anzahl) break;
    std::mt19937_64 g = ReplikatGenerator(vorlage.seed, i);
    std::fill_n(d.Haeufigkeiten.begin(), L + 1, 0.0);
    MultinomialZiehen(vorlage.kumuliert, vorlage.stichprobe, g,
                      std::span(d.Haeufigkeiten.data(), L + 1));
    d.Statistik = TStatistik{};
    d.Statistik.summe = static_cast<double>(vorlage.stichprobe);
    d.Statistik.n = L;
    Status st = status::kOk;
    {
      // A sample all in one class has no variance: its statistics fail, and so does the refit.
      FpFaultScope guard;
      st = StatistikBerechnen(d, eigenschaften);
      if (guard.Schliessen() != 0) st = status::kException;
    }
    d.DatenGueltig = st == status::kOk;
    if (st == status::kOk) st = engine->GewaehlteAnpassung(vorlage.verteilung, true, r);
    // A refit cut short by a cancel is no failure: it did not run to its end.
    if (st != status::kOk && lauf.stopp.load(std::memory_order_relaxed)) break;
    if (st == status::kOk) {
      lauf.ausgang[i] = Ausgang::kErfolg;
      lauf.chi[i] = engine->Beste().chi;
      std::copy_n(engine->BesterVektor().begin(), parZahl,
                  lauf.werte.begin() + static_cast<std::ptrdiff_t>(i) * parZahl);
    } else {
      lauf.ausgang[i] = Ausgang::kFehlschlag;
    }
    lauf.fertig.fetch_add(1, std::memory_order_relaxed);
    lauf.meldung.notify_one();
  }
}

}  // namespace

Status BootstrapRechnen(const Anpassungen& engine, const TVerteilung& verteilung,
                        const BootstrapVorgabe& vorgabe, BootstrapErgebnis& out) {
  out = BootstrapErgebnis{};
  out.verlangt = vorgabe.wiederholungen;
  out.seed = vorgabe.seed;
  out.intervall = vorgabe.intervall;
  const TDatensatz& daten = engine.Daten();
  if (!engine.Gefunden() || !daten.DatenGueltig) return status::kNoFit;
  out.parZahl = engine.Eigenschaften().parZahl;

  Vorlage vorlage{engine, verteilung, {}, 0, vorgabe.seed};
  const std::uint32_t L = daten.Statistik.n;
  vorlage.kumuliert.resize(L + 1);
  double summe = 0;
  for (std::uint32_t i = 0; i <= L; ++i) {
    // A class the member rounds a little below 0 has no mass to draw.
    summe += std::max(engine.BesteNP()[i], 0.0);
    vorlage.kumuliert[i] = summe;
  }
  if (!(summe > 0) || !std::isfinite(summe)) return status::kNoFit;
  vorlage.stichprobe = static_cast<std::uint64_t>(std::llround(daten.Statistik.summe));

  Lauf lauf;
  lauf.anzahl = vorgabe.wiederholungen;
  lauf.parZahl = out.parZahl;
  lauf.ausgang.assign(lauf.anzahl, Ausgang::kOffen);
  lauf.chi.assign(lauf.anzahl, 0.0);
  lauf.werte.assign(static_cast<std::size_t>(lauf.anzahl) * out.parZahl, 0.0);
  unsigned threads = vorgabe.threads != 0 ? vorgabe.threads : std::thread::hardware_concurrency();
  threads = std::clamp<unsigned>(threads, 1, std::max<std::uint32_t>(vorgabe.wiederholungen, 1));
  std::vector<std::jthread> arbeiter;
  {
    const HelferAnhalten<Lauf> anhalten{lauf};
    const auto wecken = [&lauf] { lauf.meldung.notify_one(); };
    HelferStarten(
        arbeiter, lauf, threads,
        [&vorlage, &lauf, wecken] {
          Arbeiten(vorlage, lauf);
          wecken();
        },
        wecken);
    if (arbeiter.empty()) return status::kException;
    std::uint32_t gemeldet = 0;
    for (;;) {
      {
        std::unique_lock<std::mutex> warten(lauf.sperre);
        lauf.meldung.wait_for(warten, std::chrono::milliseconds(10));
      }
      const std::uint32_t fertig = lauf.fertig.load(std::memory_order_relaxed);
      if (fertig != gemeldet && vorgabe.fortschritt) vorgabe.fortschritt(fertig);
      gemeldet = fertig;
      if (fertig >= vorgabe.wiederholungen || lauf.stopp.load()) break;
      if (vorgabe.abbruch && vorgabe.abbruch()) {
        out.abgebrochen = true;
        break;
      }
    }
  }
  for (std::jthread& t : arbeiter) t.join();
  if (lauf.fehler) return status::kException;

  // In replicate order: the figures do not depend on which thread computed what.
  std::vector<double> chi;
  std::array<std::vector<double>, kMaxParameter> werte;
  for (std::uint32_t i = 0; i < lauf.anzahl; ++i) {
    if (lauf.ausgang[i] == Ausgang::kOffen) continue;
    ++out.gerechnet;
    if (lauf.ausgang[i] == Ausgang::kFehlschlag) {
      ++out.fehlgeschlagen;
      continue;
    }
    ++out.erfolgreich;
    chi.push_back(lauf.chi[i]);
    for (std::uint32_t k = 0; k < out.parZahl; ++k)
      werte[k].push_back(lauf.werte[static_cast<std::size_t>(i) * out.parZahl + k]);
  }
  if (out.gerechnet < out.verlangt) out.abgebrochen = true;
  if (out.erfolgreich > 0) out.pMonteCarlo = MonteCarloP(chi, engine.Beste().chi);
  const std::span<const double> geschaetzt = engine.BesterVektor();
  for (std::uint32_t k = 0; k < out.parZahl; ++k)
    out.parameter[k] = StreuungBerechnen(werte[k], geschaetzt[k], vorgabe.intervall);
  return status::kOk;
}

}  // namespace vk
