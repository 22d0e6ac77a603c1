// SPDX-License-Identifier: GPL-3.0-or-later
// The parametric bootstrap with B = 1000 of the negative binomial on the Federalist "may" counts,
// on two threads, and the curvature errors of the same fit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "catalog/Festparameter.h"
#include "catalog/Katalogeintrag.h"
#include "catalog/VerzeichnisLaden.h"
#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"
#include "fitting/Bootstrap.h"
#include "fitting/Kruemmung.h"

namespace {

struct Federalist {
  vk::Verteilungsverzeichnis katalog;
  std::unique_ptr<vk::Anpassungen> engine;
  vk::TVerteilung verteilung;

  Federalist() {
    std::string meldung;
    if (vk::VerzeichnisAusDateiLaden(VK_CATALOG_FILE, katalog, meldung) != vk::status::kOk) {
      std::fprintf(stderr, "%s\n", meldung.c_str());
      std::abort();
    }
    engine = std::make_unique<vk::Anpassungen>(katalog);
    std::istringstream in("0 156\n1 63\n2 29\n3 8\n4 4\n5 1\n6 1\n");
    vk::TextRecordSource q(in);
    vk::TDateneigenschaften e;
    engine->DatenLesen(q, e);
    verteilung = vk::Referenz(*katalog.VerteilungHolen(4));
    vk::Rueckrufe r;
    r.festparameter = vk::NurAutomatischeWerte(engine->Daten());
    if (engine->GewaehlteAnpassung(verteilung, true, r) != vk::status::kOk) std::abort();
  }
};

Federalist& May() {
  static Federalist f;
  return f;
}

void BM_BootstrapMay1000(benchmark::State& state) {
  Federalist& f = May();
  vk::BootstrapVorgabe vorgabe;
  vorgabe.wiederholungen = 1000;
  vorgabe.seed = 1;
  vorgabe.threads = static_cast<unsigned>(state.range(0));
  vk::BootstrapErgebnis e;
  for (auto _ : state) {
    vk::BootstrapRechnen(*f.engine, f.verteilung, vorgabe, e);
    benchmark::DoNotOptimize(e.pMonteCarlo);
  }
  state.counters["failed"] = e.fehlgeschlagen;
}
BENCHMARK(BM_BootstrapMay1000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KruemmungMay(benchmark::State& state) {
  Federalist& f = May();
  for (auto _ : state) {
    const vk::KruemmungsErgebnis k = vk::KruemmungRechnen(*f.engine);
    benchmark::DoNotOptimize(k.se[0]);
  }
}
BENCHMARK(BM_KruemmungMay)->Unit(benchmark::kMicrosecond);

}  // namespace
