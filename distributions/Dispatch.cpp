// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/Dispatch.h"

#include <algorithm>
#include <cmath>

#include "core/FpFault.h"
#include "distributions/Registry.h"
#include "distributions/helpers/Alternativen.h"
#include "distributions/helpers/Parameter.h"

namespace vk {

namespace {

// Every member indexes its arrays up to stat.n; a larger n would leave them.
bool KlassenImBereich(const TStatistik& stat) {
  if (stat.n <= kMaxKlassenIndex) return true;
  RaiseInvalid();
  return false;
}

// A parameter without a value (NaN) or beyond every value (an infinity) has no expected
// frequencies, yet quiet arithmetic would carry it into them without raising anything (N * inf,
// exp(NaN)): it fails the evaluation here, once, after the domain corrections have had their say
// and before any formula sees it. The counts are the larger of the member's and the properties':
// the special model finds its parameters by name among those the properties list.
void NichtEndlicheParameterMelden(const Member& m, const Parametervektor& p,
                                  const TParameterEigenschaften& eig) {
  const std::uint32_t frei = std::min(std::max(m.parZahl, eig.parZahl), kMaxParameter);
  const std::uint32_t fest = std::min(std::max(m.festparZahl, eig.festparZahl), kMaxFestparameter);
  bool endlich = true;
  for (std::uint32_t j = 0; j < frei; ++j) endlich &= std::isfinite(p[j]);
  for (std::uint32_t j = 0; j < fest; ++j) endlich &= std::isfinite(eig.festparameter[j]);
  if (!endlich) RaiseInvalid();
}

// What the alternative routine's contract leaves out: no alternative reads it.
const TStatistik kKeineStatistik{};
const KlassenWerte kKeineWerte{};

}  // namespace

bool SchaetzwerteBerechnen(std::uint32_t nummer, const Eingaben& in, Schaetzwerttabelle& E) {
  const Member* m = MitgliedSuchen(nummer);
  if (m == nullptr) return false;
  if (KlassenImBereich(in.stat)) m->schaetzwerte(in, E);
  return true;
}

bool SchaetzwerteBerechnen(std::uint32_t nummer, const TStatistik& stat,
                           const TParameterEigenschaften& eig, Schaetzwerttabelle& E,
                           const KlassenHaeufigkeiten& f, const KlassenWerte& x) {
  return SchaetzwerteBerechnen(nummer, Eingaben{stat, f, x, eig}, E);
}

bool AlternativeWaehlen(std::uint32_t nummer, const Eingaben& in, std::uint32_t k,
                        const Schaetzwerttabelle& E, Parametervektor& p) {
  const Member* m = MitgliedSuchen(nummer);
  if (m == nullptr) return false;
  if (m->alternative != nullptr) {
    m->alternative(in, k, E, p);
  } else {
    TabellenAlternative(m->alternativenTabelle, k, E, p);
  }
  return true;
}

bool AlternativeWaehlen(std::uint32_t nummer, std::uint32_t k, const Schaetzwerttabelle& E,
                        const KlassenHaeufigkeiten& f, Parametervektor& p,
                        const TParameterEigenschaften& eig) {
  return AlternativeWaehlen(nummer, Eingaben{kKeineStatistik, f, kKeineWerte, eig}, k, E, p);
}

bool ErwartungswerteBerechnen(std::uint32_t nummer, const Eingaben& in, Parametervektor& p,
                              Erwartungswerte& NP) {
  const Member* m = MitgliedSuchen(nummer);
  if (m == nullptr) return false;
  // Every member starts from a vector inside its domain; doing it here keeps the members short.
  ParameterKorrigieren(p, in.eig);
  NichtEndlicheParameterMelden(*m, p, in.eig);
  if (KlassenImBereich(in.stat)) m->erwartungswerte(in, p, NP);
  return true;
}

bool ErwartungswerteBerechnen(std::uint32_t nummer, Parametervektor& p, const TStatistik& stat,
                              const KlassenWerte& x, const KlassenHaeufigkeiten& f,
                              Erwartungswerte& NP, const TParameterEigenschaften& eig) {
  return ErwartungswerteBerechnen(nummer, Eingaben{stat, f, x, eig}, p, NP);
}

}  // namespace vk
