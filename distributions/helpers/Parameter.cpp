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

namespace {

enum Korrektur : std::uint16_t {
  kZwischenNullundEins = 1u << 0,
  kPositiveZahl = 1u << 1,
  kUeberEins = 1u << 2,
  kUnterMinusEins = 1u << 3,
  kNatuerlicheZahl = 1u << 4,
  kZwischenMinusEinsundEins = 1u << 5,
  kNatuerlicheZahlMit0 = 1u << 6,
  kGroesserNull = 1u << 7,
  kKleinerEins = 1u << 8,
  kGroesserGleichMinusEins = 1u << 9,
};

}  // namespace

Korrekturen KorrekturenLesen(const TParameterEigenschaften& eig) {
  Korrekturen k{};
  const std::uint32_t anzahl = std::min(eig.parZahl, kMaxParameter);
  for (std::uint32_t j = 0; j < anzahl; ++j) {
    std::uint16_t m = 0;
    if (eig.zwischenNullundEins[j]) m |= kZwischenNullundEins;
    if (eig.positiveZahl[j]) m |= kPositiveZahl;
    if (eig.ueberEins[j]) m |= kUeberEins;
    if (eig.unterMinusEins[j]) m |= kUnterMinusEins;
    if (eig.natuerlicheZahl[j]) m |= kNatuerlicheZahl;
    if (eig.zwischenMinusEinsundEins[j]) m |= kZwischenMinusEinsundEins;
    if (eig.natuerlicheZahlMit0[j]) m |= kNatuerlicheZahlMit0;
    if (eig.groesserNull[j]) m |= kGroesserNull;
    if (eig.kleinerEins[j]) m |= kKleinerEins;
    if (eig.groesserGleichMinusEins[j]) m |= kGroesserGleichMinusEins;
    k[j] = m;
  }
  return k;
}

void ParameterKorrigieren(Parametervektor& p, const TParameterEigenschaften& eig) {
  ParameterKorrigieren(p, p, KorrekturenLesen(eig), std::min(eig.parZahl, kMaxParameter));
}

void ParameterKorrigieren(const Parametervektor& ein, Parametervektor& aus, const Korrekturen& k,
                          std::uint32_t anzahl) {
  anzahl = std::min(anzahl, kMaxParameter);
  for (std::uint32_t j = 0; j < anzahl; ++j) {
    double w = ein[j];
    const std::uint16_t m = k[j];
    if (m != 0) {
      if (m & kZwischenNullundEins) InEinheitsintervallKorrigieren(w);
      if (m & kPositiveZahl) NichtNegativMachen(w);
      if (m & kUeberEins) UeberEinsSpiegeln(w);
      // -0.9, not a value below -1: kept because fitted results depend on exactly this repair.
      if ((m & kUnterMinusEins) && w > -1) w = -0.9;
      if (m & kNatuerlicheZahl) w = (w < 1) ? 1 : KaufmaennischRunden(w);
      if (m & kZwischenMinusEinsundEins) {
        if (w < -1) {
          w = -0.9;
        } else if (w > 1) {
          w = 0.98;
        }
      }
      if (m & kNatuerlicheZahlMit0) w = (w < 0) ? 0 : KaufmaennischRunden(w);
      if ((m & kGroesserNull) && w <= 0) w = 0.1;
      if ((m & kKleinerEins) && w >= 1) w = 0.98;
      if ((m & kGroesserGleichMinusEins) && w < -1) w = -0.98;
    }
    aus[j] = w;
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
