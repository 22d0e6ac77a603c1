// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/Dispatch.h"

#include "core/FpFault.h"
#include "distributions/Registry.h"
#include "distributions/helpers/Parameter.h"

namespace vk {

namespace {

// Every member indexes its arrays up to stat.n; a larger n would leave them.
bool KlassenImBereich(const TStatistik& stat) {
  if (stat.n <= kMaxKlassenIndex) return true;
  RaiseInvalid();
  return false;
}

}  // namespace

bool SchaetzwerteBerechnen(std::uint32_t nummer, const TStatistik& stat,
                           const TParameterEigenschaften& eig, Schaetzwerttabelle& E,
                           const KlassenHaeufigkeiten& f, const KlassenWerte& x) {
  const Member* m = MitgliedSuchen(nummer);
  if (m == nullptr) return false;
  if (KlassenImBereich(stat)) m->schaetzwerte(stat, eig, E, f, x);
  return true;
}

bool AlternativeWaehlen(std::uint32_t nummer, std::uint32_t k, const Schaetzwerttabelle& E,
                        const KlassenHaeufigkeiten& f, Parametervektor& p,
                        const TParameterEigenschaften& eig) {
  const Member* m = MitgliedSuchen(nummer);
  if (m == nullptr) return false;
  m->alternative(k, E, f, p, eig);
  return true;
}

bool ErwartungswerteBerechnen(std::uint32_t nummer, Parametervektor& p, const TStatistik& stat,
                              const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                              Erwartungswerte& NP, const TParameterEigenschaften& eig) {
  const Member* m = MitgliedSuchen(nummer);
  if (m == nullptr) return false;
  // Every member starts from a vector inside its domain; doing it here keeps the members short.
  ParameterKorrigieren(p, eig);
  if (KlassenImBereich(stat)) m->erwartungswerte(p, stat, x, f, NP, eig);
  return true;
}

}  // namespace vk
