// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"

namespace vk {
namespace {

// The special model's catalog entry alone, parameters without domain flags.
Verteilungsverzeichnis SpezialKatalog() {
  Verteilungstabelle t;
  auto e = std::make_unique<TKatalogeintrag>();
  e->index = 205;
  e->bezeichnung = "Special model";
  e->gruppen = 3;
  e->alternativen = 1;
  e->parameterZahl = 5;
  const char* namen[] = {"a0", "a1", "a2", "b1", "b2"};
  for (std::size_t k = 0; k < 5; ++k) e->parameter[k] = {namen[k], 0};
  e->spezial = true;
  t[205] = std::move(e);
  return Verteilungsverzeichnis(std::move(t));
}

// Alpha particles counted in 2608 intervals of 7.5 s (the data set shipped as
// data/alpha-particles.dat), and a small smooth set.
constexpr const char* kAlpha =
    "0 57\n1 203\n2 383\n3 525\n4 532\n5 408\n6 273\n7 139\n8 45\n9 27\n10 10\n11 4\n12 0\n"
    "13 1\n14 1\n";
constexpr const char* kGlatt = "0 20\n1 35\n2 30\n3 18\n4 9\n5 4\n6 2\n7 1\n";

// What a special fitting shows: every figure, parameter and expected frequency, bit for bit,
// with the progress reports and the final status.
struct Lauf {
  Status status = 0;
  std::vector<std::pair<PreflightEreignis, std::uint32_t>> fortschritt;
  std::vector<std::uint64_t> zahlen;
};

void Bits(std::vector<std::uint64_t>& z, double x) {
  z.push_back(std::bit_cast<std::uint64_t>(x));
}

struct Gitter {
  TSpezialVorgabe b1, b2;
};

Lauf Anpassen(const char* daten, const Gitter& g, unsigned threads,
              const std::function<bool()>& abbruch = {}) {
  static const Verteilungsverzeichnis katalog = SpezialKatalog();
  auto a = std::make_unique<Anpassungen>(katalog);
  a->ThreadsSetzen(threads);
  std::istringstream in(daten);
  TextRecordSource quelle(in);
  TDateneigenschaften eig;
  EXPECT_EQ(a->DatenLesen(quelle, eig), status::kOk);
  Lauf lauf;
  SpezialRueckrufe s;
  s.vorgaben = [&](Spezialvorgaben& v, std::uint32_t) {
    v[3] = g.b1;
    v[4] = g.b2;
    return status::kOk;
  };
  s.fortschritt = [&](PreflightEreignis e, std::uint32_t n) {
    lauf.fortschritt.emplace_back(e, n);
    return abbruch && abbruch() ? status::kSkipAbortByUser : status::kOk;
  };
  Rueckrufe r;
  r.abbruch = abbruch;
  r.ergebnis = [&](const TAnpassung& x) {
    Bits(lauf.zahlen, x.Chi);
    Bits(lauf.zahlen, x.PChi);
    Bits(lauf.zahlen, x.R2);
    lauf.zahlen.push_back(x.FG);
    return status::kOk;
  };
  r.parameter = [&](const TVerteilungsparameter& p) {
    for (std::uint32_t k = 0; k < p.ParZahl; ++k) Bits(lauf.zahlen, p.Parameter[k].Wert);
    return status::kOk;
  };
  r.klasse = [&](const TWerte& w) {
    Bits(lauf.zahlen, w.NP);
    return status::kOk;
  };
  lauf.status = a->SpezielleAnpassung(Referenz(*katalog.VerteilungHolen(205)), r, s);
  return lauf;
}

// However many threads share the grid, the special fitting shows what one thread shows: the same
// best grid point (ties go to the earlier point), hence the same fit, and the same progress
// reports in the same order. Grids with one row, with one column, with more threads than points
// and the command line's default for the alpha particles (-14 .. 14 by 0.28 on both shifts).
TEST(PreflightSuche, ThreadCountChangesNothing) {
  struct Fall {
    const char* name;
    const char* daten;
    Gitter g;
  };
  const Fall faelle[] = {
      {"default grid", kAlpha, {{0, -14, 14, 0.28, false}, {0, -14, 14, 0.28, false}}},
      {"coarse", kGlatt, {{0, -3, 3, 0.5, false}, {0, -2, 4, 0.75, false}}},
      {"one row", kGlatt, {{0, 0.5, 1, 1, false}, {0, -4, 4, 0.25, false}}},
      {"one column", kAlpha, {{0, -4, 4, 0.25, false}, {0, 0.5, 1, 1, false}}},
      {"two points", kGlatt, {{0, -1, 1, 1, false}, {0, 0.5, 1, 1, false}}},
      {"empty", kGlatt, {{0, 1, 1, 1, false}, {0, -1, 1, 0.5, false}}},
  };
  for (const Fall& f : faelle) {
    const Lauf einer = Anpassen(f.daten, f.g, 1);
    ASSERT_FALSE(einer.fortschritt.empty()) << f.name;
    for (const unsigned threads : {2u, 3u, 8u}) {
      const Lauf mehrere = Anpassen(f.daten, f.g, threads);
      EXPECT_EQ(mehrere.status, einer.status) << f.name << ", " << threads << " threads";
      EXPECT_EQ(mehrere.fortschritt, einer.fortschritt) << f.name << ", " << threads << " threads";
      EXPECT_EQ(mehrere.zahlen, einer.zahlen) << f.name << ", " << threads << " threads";
    }
  }
}

// A cancel during the grid: the abort poll's yes reaches the threads, the next row report
// returns the user's abort, and the grid reports no end.
TEST(PreflightSuche, CancelStopsEveryThread) {
  for (const unsigned threads : {1u, 2u, 4u}) {
    std::atomic<int> fragen{0};
    const auto abbruch = [&] { return ++fragen > 200; };
    const Gitter g{{0, -14, 14, 0.28, false}, {0, -14, 14, 0.28, false}};
    const Lauf lauf = Anpassen(kAlpha, g, threads, abbruch);
    EXPECT_EQ(lauf.status, status::kSkipAbortByUser) << threads << " threads";
    ASSERT_GE(lauf.fortschritt.size(), 2u);
    EXPECT_EQ(lauf.fortschritt.front(), std::make_pair(PreflightEreignis::kStart, 100u));
    EXPECT_LT(lauf.fortschritt.size(), 101u) << threads << " threads";
    for (std::size_t i = 1; i < lauf.fortschritt.size(); ++i)
      EXPECT_EQ(lauf.fortschritt[i].first, PreflightEreignis::kZeile) << threads << " threads";
    EXPECT_TRUE(lauf.zahlen.empty()) << threads << " threads";
  }
}

}  // namespace
}  // namespace vk
