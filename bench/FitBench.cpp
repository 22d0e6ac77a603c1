// SPDX-License-Identifier: GPL-3.0-or-later
// One evaluation (expected frequencies, pooling, X²) of the first members at growing class
// counts, and one selected and one automatic fitting on a realistic data set.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "bench/BenchDaten.h"
#include "bench/GepackterKatalog.h"
#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"

namespace {

// The shipped catalog, so that the automatic fitting runs over every member that exists.
const vk::Verteilungsverzeichnis& Katalog() {
  return vk::bench::GepackterKatalog();
}

// A negative-binomial-like shape over L + 1 classes, scaled so every class has some mass.
std::unique_ptr<vk::Anpassungen> Engine(std::uint32_t L) {
  auto a = std::make_unique<vk::Anpassungen>(Katalog());
  std::string text;
  const double mittel = L / 3.0 + 1;
  for (std::uint32_t x = 0; x <= L; ++x)
    text += std::to_string(x) + " " +
            std::to_string(1 + std::round(1000 * std::exp(-static_cast<double>(x) / mittel))) +
            "\n";
  std::istringstream in(text);
  vk::TextRecordSource q(in);
  vk::TDateneigenschaften e;
  a->DatenLesen(q, e);
  return a;
}

void BM_ChiQuadrat(benchmark::State& state) {
  const auto nummer = static_cast<std::uint32_t>(state.range(0));
  const auto L = static_cast<std::uint32_t>(state.range(1));
  auto a = Engine(L);
  vk::Rueckrufe r;
  // A fit attempt sets up the parameter properties; the evaluation then uses a fixed vector.
  a->GewaehlteAnpassung(vk::Referenz(*Katalog().VerteilungHolen(nummer)), true, r);
  vk::Parametervektor v{};
  if (nummer == 0) v = {static_cast<double>(L), 0.3};
  if (nummer == 6) v = {2, 1.5, 0.5};
  if (nummer == 16) v = {2, 1, 0.5};
  std::uint32_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(a->ChiQuadratBerechnen(nummer, v, k));
  state.SetComplexityN(L);
}
BENCHMARK(BM_ChiQuadrat)
    ->ArgsProduct({{0, 6}, {10, 30, 100, 1000, 20000}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChiQuadrat)->ArgsProduct({{16}, {10, 30, 100, 1000}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChiQuadrat)->Args({16, 20000})->Iterations(3)->Unit(benchmark::kMillisecond);

// The bare loop's case (bench/bare_eval.c): Poisson frequencies 1000 P(x; L/3) + 1 on 0..L, the
// Poisson evaluated at a = L/3 (1 + 1e-9 (r mod 8)), minimum class size 1.
void BM_ChiQuadratPoisson(benchmark::State& state) {
  const auto L = static_cast<std::uint32_t>(state.range(0));
  auto a = std::make_unique<vk::Anpassungen>(Katalog());
  const double mittel = L / 3.0;
  std::string text;
  char zeile[64];
  for (std::uint32_t x = 0; x <= L; ++x) {
    const double f = 1000.0 * std::exp(-mittel) * std::pow(mittel, x) / std::tgamma(x + 1.0) + 1;
    std::snprintf(zeile, sizeof zeile, "%u %.17g\n", x, f);
    text += zeile;
  }
  std::istringstream in(text);
  vk::TextRecordSource q(in);
  vk::TDateneigenschaften e;
  a->DatenLesen(q, e);
  // The default minimum class size is the bare loop's 1.
  vk::Rueckrufe r;
  a->GewaehlteAnpassung(vk::Referenz(*Katalog().VerteilungHolen(2)), true, r);
  std::uint32_t k = 0;
  std::uint32_t runde = 0;
  // As the simplex evaluates: inside the fault series of its cycle.
  a->InSerie([&] {
    for (auto _ : state) {
      const vk::Parametervektor v{mittel * (1 + 1e-9 * (runde++ & 7))};
      benchmark::DoNotOptimize(a->ChiQuadratBerechnen(2, v, k));
    }
    return true;
  });
}
BENCHMARK(BM_ChiQuadratPoisson)->Arg(10)->Arg(30)->Unit(benchmark::kNanosecond);

// Binomial(10, 0.3) frequencies for N = 1000, so that the fit has something to find.
std::unique_ptr<vk::Anpassungen> BinomialEngine() {
  std::string text;
  for (int x = 0; x <= 10; ++x) {
    const double lp = std::lgamma(11.0) - std::lgamma(x + 1.0) - std::lgamma(11.0 - x) +
                      x * std::log(0.3) + (10 - x) * std::log(0.7);
    text += std::to_string(x) + " " + std::to_string(std::round(1000 * std::exp(lp))) + "\n";
  }
  return vk::bench::EngineMit(Katalog(), text);
}

void BM_GewaehlteAnpassung(benchmark::State& state) {
  auto a = BinomialEngine();
  const vk::TVerteilung ref = vk::Referenz(*Katalog().VerteilungHolen(0));
  for (auto _ : state) benchmark::DoNotOptimize(a->GewaehlteAnpassung(ref, true, vk::Rueckrufe{}));
}
BENCHMARK(BM_GewaehlteAnpassung)->Unit(benchmark::kMillisecond);

void BM_AutomatischeAnpassung(benchmark::State& state) {
  auto a = BinomialEngine();
  for (auto _ : state) benchmark::DoNotOptimize(a->AutomatischeAnpassung(vk::Rueckrufe{}));
}
BENCHMARK(BM_AutomatischeAnpassung)->Unit(benchmark::kMillisecond);

// A selected fitting in process as a batch does it, reading included: the Federalist "may"
// counts (x = 0..6: 156 63 29 8 4 1 1) with the negative binomial (4) and the Poisson (2).
void BM_MayAnpassung(benchmark::State& state) {
  const auto nummer = static_cast<std::uint32_t>(state.range(0));
  const vk::TVerteilung ref = vk::Referenz(*Katalog().VerteilungHolen(nummer));
  vk::Anpassungen a(Katalog());
  for (auto _ : state) {
    std::istringstream in("0 156\n1 63\n2 29\n3 8\n4 4\n5 1\n6 1\n");
    vk::TextRecordSource q(in);
    vk::TDateneigenschaften e;
    a.DatenLesen(q, e);
    benchmark::DoNotOptimize(a.GewaehlteAnpassung(ref, true, vk::Rueckrufe{}));
  }
}
BENCHMARK(BM_MayAnpassung)->Arg(4)->Arg(2)->Unit(benchmark::kMicrosecond);

// The automatic fitting over every automatic member of the catalog on a smooth
// negative-binomial shape with L = 30.
void BM_AutomatischeAnpassungL30(benchmark::State& state) {
  auto a = vk::bench::EngineMit(Katalog(), vk::bench::NegBin30Text());
  for (auto _ : state) benchmark::DoNotOptimize(a->AutomatischeAnpassung(vk::Rueckrufe{}));
}
BENCHMARK(BM_AutomatischeAnpassungL30)->Unit(benchmark::kMillisecond);

// One member's fitting as the automatic fitting runs it (all methods, the best one kept), on the
// same shape: the members that cost most there.
void BM_MitgliedL30(benchmark::State& state) {
  auto a = vk::bench::EngineMit(Katalog(), vk::bench::NegBin30Text());
  const vk::TVerteilung ref =
      vk::Referenz(*Katalog().VerteilungHolen(static_cast<std::uint32_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(a->GewaehlteAnpassung(ref, true, vk::Rueckrufe{}));
}
BENCHMARK(BM_MitgliedL30)->Arg(184)->Arg(146)->Arg(121)->Unit(benchmark::kMillisecond);

// The special fitting of the alpha particles (data/alpha-particles.dat) with the command line's
// default 100 x 100 preflight grid (-14 .. 14 by 0.28 on both shifts), on every core and on one.
void BM_SpezielleAnpassung(benchmark::State& state) {
  auto a = vk::bench::EngineMit(Katalog(),
                                "0 57\n1 203\n2 383\n3 525\n4 532\n5 408\n6 273\n"
                                "7 139\n8 45\n9 27\n10 10\n11 4\n13 1\n14 1\n");
  a->ThreadsSetzen(static_cast<unsigned>(state.range(0)));
  const vk::TVerteilung ref = vk::Referenz(*Katalog().VerteilungHolen(205));
  vk::SpezialRueckrufe s;
  s.vorgaben = [](vk::Spezialvorgaben& v, std::uint32_t) {
    v[3] = {0, -14, 14, 0.28, false};
    v[4] = {0, -14, 14, 0.28, false};
    return vk::status::kOk;
  };
  for (auto _ : state) benchmark::DoNotOptimize(a->SpezielleAnpassung(ref, vk::Rueckrufe{}, s));
}
// 0: one thread per core.
BENCHMARK(BM_SpezielleAnpassung)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Cancel latency on 20001 classes: the abort poll answers yes once the fit has been asked a few
// times, and the time is what the fit then still takes to return. Members 16 and 39 cost seconds
// per evaluation; they ask inside it.
void BM_Abbruchlatenz(benchmark::State& state) {
  const auto nummer = static_cast<std::uint32_t>(state.range(0));
  auto a = Engine(20000);
  const vk::TVerteilung ref = vk::Referenz(*Katalog().VerteilungHolen(nummer));
  for (auto _ : state) {
    int fragen = 0;
    vk::Rueckrufe r;
    r.abbruch = [&] { return ++fragen > 3; };
    benchmark::DoNotOptimize(a->GewaehlteAnpassung(ref, true, r));
  }
}
BENCHMARK(BM_Abbruchlatenz)->Arg(16)->Arg(39)->Arg(4)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
