// SPDX-License-Identifier: GPL-3.0-or-later
// vk_member_costs [MEMBER...]: what each automatic member (or each one named) costs in the
// automatic fitting. On the smooth negative-binomial shape of BM_AutomatischeAnpassungL30
// (L = 30), each automatic member's fitting (all methods, as the automatic fitting runs it) is
// repeated for at least 50 ms of CPU time; prints every member's milliseconds per fit as a
// Markdown table, dearest first, and the sum.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "bench/BenchDaten.h"
#include "bench/CpuTime.h"
#include "bench/GepackterKatalog.h"
#include "fitting/Anpassungen.h"

namespace {

struct Kosten {
  std::uint32_t nummer;
  std::string name;
  double ms;
};

}  // namespace

int main(int argc, char** argv) {
  // Member numbers as arguments: only these (for a profile of one member).
  std::vector<std::uint32_t> nur;
  for (int k = 1; k < argc; ++k) nur.push_back(static_cast<std::uint32_t>(std::atoi(argv[k])));
  const vk::Verteilungsverzeichnis& katalog = vk::bench::GepackterKatalog();
  const auto engine = vk::bench::EngineMit(katalog, vk::bench::NegBin30Text());
  vk::Anpassungen& a = *engine;

  std::vector<Kosten> liste;
  double summe = 0;
  for (std::uint32_t i = 0; i < vk::kVerteilungsSlots; ++i) {
    const auto eintrag = katalog.VerteilungHolen(i);
    if (!eintrag || !eintrag->automatik) continue;
    if (!nur.empty() && std::find(nur.begin(), nur.end(), i) == nur.end()) continue;
    const vk::TVerteilung ref = vk::Referenz(*eintrag);
    // The clock is read after rounds of doubling length: read after every fit, it cost a
    // member of a few microseconds per fit a third of its figure.
    int n = 0;
    const double t0 = vk::bench::CpuSeconds();
    double t = 0;
    for (int runde = 1; t < 0.05; runde *= 2) {
      for (int k = 0; k < runde; ++k) a.GewaehlteAnpassung(ref, true, vk::Rueckrufe{});
      n += runde;
      t = vk::bench::CpuSeconds() - t0;
    }
    liste.push_back({i, eintrag->bezeichnung, t / n * 1000});
    summe += t / n * 1000;
  }
  std::sort(liste.begin(), liste.end(),
            [](const Kosten& x, const Kosten& y) { return x.ms > y.ms; });
  std::printf("| Member | Name | ms per fit |\n|---:|---|---:|\n");
  for (const Kosten& k : liste) std::printf("| %u | %s | %.3f |\n", k.nummer, k.name.c_str(), k.ms);
  std::printf("\n%zu automatic members, %.1f ms in all\n", liste.size(), summe);
  return 0;
}
