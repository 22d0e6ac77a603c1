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
// exp(NaN)): it fails the evaluation, once, after the domain corrections have had their say and
// before any formula sees it. The counts are the larger of the member's and the properties': the
// special model finds its parameters by name among those the properties list. The fixed
// parameters are checked when the evaluation is prepared, the free ones at each evaluation.
bool FestparameterEndlich(const Member& m, const TParameterEigenschaften& eig) {
  const std::uint32_t fest = std::min(std::max(m.festparZahl, eig.festparZahl), kMaxFestparameter);
  bool endlich = true;
  for (std::uint32_t j = 0; j < fest; ++j) endlich &= std::isfinite(eig.festparameter[j]);
  return endlich;
}

void NichtEndlicheParameterMelden(const Auswertung& a, const Parametervektor& p) {
  bool endlich = a.festEndlich;
  for (std::uint32_t j = 0; j < a.frei; ++j) endlich &= std::isfinite(p[j]);
  if (!endlich) RaiseInvalid();
}

}  // namespace

MemberHandle MitgliedAufloesen(std::uint32_t nummer) {
  const Member* m = MitgliedSuchen(nummer);
  return m == nullptr ? MemberHandle{} : MemberHandle{*m};
}

bool MemberHandle::SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) const {
  if (mitglied_ == nullptr) return false;
  if (KlassenImBereich(in.stat)) mitglied_->schaetzwerte(in, E);
  return true;
}

bool MemberHandle::AlternativeWaehlen(const Eingaben& in, std::uint32_t k,
                                      const Schaetzwerttabelle& E, Parametervektor& p) const {
  if (mitglied_ == nullptr) return false;
  if (mitglied_->alternative != nullptr) {
    mitglied_->alternative(in, k, E, p);
  } else {
    TabellenAlternative(mitglied_->alternativenTabelle, k, E, p);
  }
  return true;
}

bool MemberHandle::ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& p,
                                            Erwartungswerte& NP) const {
  if (mitglied_ == nullptr) return false;
  vk::ErwartungswerteBerechnen(AuswertungVorbereiten(in), in, p, p, NP);
  return true;
}

Auswertung MemberHandle::AuswertungVorbereiten(const Eingaben& in) const {
  if (mitglied_ == nullptr) return {};
  const Member& m = *mitglied_;
  return {*this, KorrekturenLesen(in.eig),
          std::min(std::max(m.parZahl, in.eig.parZahl), kMaxParameter),
          FestparameterEndlich(m, in.eig), in.stat.n <= kMaxKlassenIndex};
}

void ErwartungswerteBerechnen(const Auswertung& a, const Eingaben& in, const Parametervektor& ecke,
                              Parametervektor& p, Erwartungswerte& NP) {
  // Every member starts from a vector inside its domain; doing it here keeps the members short.
  ParameterKorrigieren(ecke, p, a.korrekturen, a.frei);
  NichtEndlicheParameterMelden(a, p);
  if (a.klassenImBereich) {
    a.mitglied.Eintrag().erwartungswerte(in, p, NP);
  } else {
    RaiseInvalid();
  }
}

}  // namespace vk
