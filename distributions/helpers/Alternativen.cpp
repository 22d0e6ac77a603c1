// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Alternativen.h"

#include <algorithm>
#include <cmath>

namespace vk {

namespace {

// Summed as the rows write the means, (E[a] + E[b] + ...)/n, in double: the start vectors are
// those of the written formulas to the last bit.
double Mittel(const Startwert& w, const Schaetzwerttabelle& E) {
  double s = E[w.nummern[0]];
  for (std::uint8_t i = 1; i < w.anzahl; ++i) s += E[w.nummern[i]];
  if (w.anzahl > 1) s /= static_cast<double>(w.anzahl);
  return w.betrag ? std::fabs(s) : s;
}

bool Gleich(const Startwert& a, const Startwert& b) {
  return a.anzahl == b.anzahl && a.betrag == b.betrag &&
         std::equal(a.nummern.begin(), a.nummern.begin() + a.anzahl, b.nummern.begin());
}

}  // namespace

void TabellenAlternative(std::span<const Alternative> tabelle, std::uint32_t k,
                         const Schaetzwerttabelle& E, Parametervektor& p) {
  if (tabelle.empty()) return;
  if (tabelle.size() == 1) k = 1;
  if (k >= 1 && k <= tabelle.size()) {
    const Alternative& a = tabelle[k - 1];
    for (std::uint8_t j = 0; j < a.parZahl; ++j) p[j] = Mittel(a.werte[j], E);
    return;
  }
  const Alternative& erste = tabelle[0];
  for (std::uint8_t j = 0; j < erste.parZahl; ++j) {
    const bool gemeinsam = std::all_of(tabelle.begin(), tabelle.end(), [&](const Alternative& a) {
      return j < a.parZahl && Gleich(a.werte[j], erste.werte[j]);
    });
    if (gemeinsam) p[j] = Mittel(erste.werte[j], E);
  }
}

}  // namespace vk
