// SPDX-License-Identifier: GPL-3.0-or-later
// One evaluation of the expected frequencies of a member at parameters where its written route
// was dear: member 155 with a mean of 10^6 (the series of each class peaked near 10^6 terms).
// Target: below 50 ms at L = 5000.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "distributions/Registry.h"
#include "tests/support/NachNummer.h"

namespace {

void BM_Member155GrosserMittelwert(benchmark::State& state) {
  const auto L = static_cast<std::uint32_t>(state.range(0));
  vk::TParameterEigenschaften eig;
  const vk::Member* m = vk::MitgliedSuchen(155);
  eig.parZahl = m->parZahl;
  eig.festparZahl = m->festparZahl;
  eig.festparameter = {5};
  vk::TStatistik s;
  s.summe = 1000;
  s.n = L;
  auto x = std::make_unique<vk::KlassenWerte>();
  for (std::uint32_t i = 0; i <= L; ++i) (*x)[i] = i;
  const auto f = std::make_unique<vk::KlassenHaeufigkeiten>();
  auto NP = std::make_unique<vk::Erwartungswerte>();
  for (auto _ : state) {
    vk::Parametervektor par{1e6, 0.002};
    benchmark::DoNotOptimize(vk::ErwartungswerteBerechnen(155, par, s, *x, *f, *NP, eig));
  }
}
BENCHMARK(BM_Member155GrosserMittelwert)->Arg(1100)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
