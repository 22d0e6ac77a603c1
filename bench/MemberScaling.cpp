// SPDX-License-Identifier: GPL-3.0-or-later
// vk_member_scaling FILE [L1 L2]: how one evaluation of each automatic member grows with the
// classes. FILE (e.g. the spectrum of tools/word-spectrum.py) is read, and its first L1 + 1 and
// L2 + 1 classes (default 2000 and 20000) are each taken as a data set; on each, every automatic
// member without fixed parameters evaluates its first method's start vector, repeated for at
// least 20 ms of CPU time, or once where that takes longer; an evaluation still running after
// 10 s is stopped through the abort poll. Prints a Markdown table, the members whose cost grows
// fastest first, with the exponent e of t(L2)/t(L1) = (L2/L1)^e: about 1 for a cost linear in L,
// 2 for a quadratic one. The last column is the highest class below L2 whose expected frequency
// at L2 is at least 1e-300 N: where it is far below L2, the classes beyond it could be cut from an O(L^2)
// member's sums; where it is near L2 the start vector's tail is too heavy for any such cut.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchDaten.h"
#include "bench/CpuTime.h"
#include "bench/GepackterKatalog.h"
#include "bench/Usage.h"
#include "core/DatenLesen.h"
#include "core/FpFault.h"
#include "core/TextRecordSource.h"
#include "tests/support/NachNummer.h"

namespace {

struct Frist {
  double ende;
};

bool FristAbgelaufen(void* daten) {
  return vk::bench::CpuSeconds() > static_cast<const Frist*>(daten)->ende;
}

// The records of `text` with x at most x0 + L.
std::unique_ptr<vk::TDatensatz> Lesen(const std::string& text, std::uint32_t L) {
  std::istringstream in(text);
  std::string zeile, gekuerzt;
  long x0 = -1;
  while (std::getline(in, zeile)) {
    const long x = std::stol(zeile);
    if (x0 < 0) x0 = x;
    if (x - x0 > static_cast<long>(L)) break;
    gekuerzt += zeile + "\n";
  }
  auto d = std::make_unique<vk::TDatensatz>();
  std::istringstream q(gekuerzt);
  vk::TextRecordSource quelle(q);
  vk::TDateneigenschaften e;
  if (vk::DatenLesen(*d, quelle, e) != vk::status::kOk) return nullptr;
  return d;
}

// Seconds per evaluation of member `nummer` on `d`, or -1 where it cannot be set up; `gestoppt`
// when the deadline stopped it; `spuerbar` the highest class at or above 1e-300 N.
double Messen(const vk::Verteilungsverzeichnis& katalog, const vk::TKatalogeintrag& eintrag,
              const vk::TDatensatz& d, bool& gestoppt, std::uint32_t& spuerbar) {
  vk::TParameterEigenschaften eig;
  const vk::TVerteilung ref = vk::Referenz(eintrag);
  if (katalog.ParameterEigenschaftenSetzen(ref, eig, d.Statistik.n) != vk::status::kOk) return -1;
  if (eig.festparZahl > 0) return -1;
  Frist frist{vk::bench::CpuSeconds() + 10};
  const vk::Unterbrechung u{&FristAbgelaufen, &frist};
  const vk::Eingaben in{d.Statistik, d.Haeufigkeiten, d.XWerte, eig, &u};
  auto E = std::make_unique<vk::Schaetzwerttabelle>();
  vk::Parametervektor start{};
  auto NP = std::make_unique<vk::Erwartungswerte>();
  vk::FpFaultScope scope;
  vk::SchaetzwerteBerechnen(eintrag.index, in, *E);
  vk::AlternativeWaehlen(eintrag.index, in, 1, *E, start);
  int n = 0;
  const double t0 = vk::bench::CpuSeconds();
  double t = 0;
  do {
    vk::Parametervektor p = start;
    vk::ErwartungswerteBerechnen(eintrag.index, in, p, *NP);
    ++n;
    t = vk::bench::CpuSeconds() - t0;
  } while (t < 0.02 && vk::bench::CpuSeconds() < frist.ende);
  gestoppt = vk::bench::CpuSeconds() > frist.ende;
  spuerbar = 0;
  // The last class, which takes what the others leave under the tail rule, holds at least the
  // sum's rounding: it is not counted.
  for (std::uint32_t x = 0; x < d.Statistik.n; ++x)
    if ((*NP)[x] >= 1e-300 * d.Statistik.summe) spuerbar = x;
  return t / n;
}

struct Zeile {
  std::uint32_t nummer;
  std::string name;
  double t1, t2;
  bool gestoppt;
  std::uint32_t spuerbar;
};

}  // namespace

int main(int argc, char** argv) {
  if (!vk::bench::HasFirstArgument(argc, "vk_member_scaling FILE [L1 L2]")) return 2;
  const std::uint32_t L1 = argc > 3 ? static_cast<std::uint32_t>(std::stoul(argv[2])) : 2000;
  const std::uint32_t L2 = argc > 3 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 20000;
  const vk::Verteilungsverzeichnis& katalog = vk::bench::GepackterKatalog();
  const std::string text = vk::bench::DateiLesen(argv[1], "vk_member_scaling");
  const auto d1 = Lesen(text, L1);
  const auto d2 = Lesen(text, L2);
  if (!d1 || !d2) {
    std::fprintf(stderr, "vk_member_scaling: %s cannot be read\n", argv[1]);
    return 1;
  }
  std::vector<Zeile> liste;
  for (std::uint32_t i = 0; i < vk::kVerteilungsSlots; ++i) {
    const auto eintrag = katalog.VerteilungHolen(i);
    if (!eintrag || !eintrag->automatik) continue;
    bool g1 = false, g2 = false;
    std::uint32_t s1 = 0, s2 = 0;
    const double t1 = Messen(katalog, *eintrag, *d1, g1, s1);
    if (t1 < 0) continue;
    const double t2 = Messen(katalog, *eintrag, *d2, g2, s2);
    liste.push_back({i, eintrag->bezeichnung, t1, t2, g1 || g2, s2});
  }
  const double logL = std::log(static_cast<double>(L2) / L1);
  const auto exponent = [&](const Zeile& z) { return std::log(z.t2 / z.t1) / logL; };
  std::sort(liste.begin(), liste.end(),
            [&](const Zeile& a, const Zeile& b) { return exponent(a) > exponent(b); });
  std::printf(
      "| Member | Name | L = %u | L = %u | exponent | last class >= 1e-300 N |\n"
      "|---:|---|---:|---:|---:|---:|\n",
      L1, L2);
  for (const Zeile& z : liste)
    std::printf("| %u | %s | %.3g ms | %s%.3g ms | %.2f | %u |\n", z.nummer, z.name.c_str(),
                z.t1 * 1000, z.gestoppt ? "> " : "", z.t2 * 1000, exponent(z), z.spuerbar);
  return 0;
}
