// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/helpers/Parameter.h"

#include <algorithm>
#include <cmath>

#include "core/FpFault.h"

namespace vk {

void InEinheitsintervallKorrigieren(double& x) {
  if (x < 0.0001) {
    x = 0.01;
  } else if (x >= 1) {
    x = 0.98;
  }
}

void NichtNegativMachen(double& x) {
  if (x < 0) x = std::fabs(x);
}

void UeberEinsSpiegeln(double& x) {
  if (x < 1) x = 2 - x;
}

double KaufmaennischRunden(double x) {
  return std::trunc(x + 0.5);
}

void ParameterKorrigieren(Parametervektor& p, const TParameterEigenschaften& eig) {
  const std::uint32_t anzahl = std::min(eig.parZahl, kMaxParameter);
  for (std::uint32_t j = 0; j < anzahl; ++j) {
    double& w = p[j];
    if (eig.zwischenNullundEins[j]) InEinheitsintervallKorrigieren(w);
    if (eig.positiveZahl[j]) NichtNegativMachen(w);
    if (eig.ueberEins[j]) UeberEinsSpiegeln(w);
    // -0.9, not a value below -1: kept because fitted results depend on exactly this repair.
    if (eig.unterMinusEins[j] && w > -1) w = -0.9;
    if (eig.natuerlicheZahl[j]) w = (w < 1) ? 1 : KaufmaennischRunden(w);
    if (eig.zwischenMinusEinsundEins[j]) {
      if (w < -1) {
        w = -0.9;
      } else if (w > 1) {
        w = 0.98;
      }
    }
    if (eig.natuerlicheZahlMit0[j]) w = (w < 0) ? 0 : KaufmaennischRunden(w);
    if (eig.groesserNull[j] && w <= 0) w = 0.1;
    if (eig.kleinerEins[j] && w >= 1) w = 0.98;
    if (eig.groesserGleichMinusEins[j] && w < -1) w = -0.98;
  }
}

std::uint32_t BegrenzteAnzahl(double x, std::uint32_t grenze) {
  if (!(x >= 0 && x <= static_cast<double>(grenze))) {
    RaiseInvalid();
    return 0;
  }
  return static_cast<std::uint32_t>(x);
}

}  // namespace vk
