// SPDX-License-Identifier: GPL-3.0-or-later
// Member 44: Poisson distribution with a share b of the class m + 1 moved down to the class m.
//   P(i) = e^-a a^i / i!  except  P(m) = e^-a a^m / m! (1 + a b/(m + 1))  and
//   P(m + 1) = e^-a a^(m+1) / (m + 1)! (1 - b);  m a natural number or 0 (fixed), a > 0,
//   0 < b < 1. The last class takes the remainder.
#include <cmath>

#include "distributions/Helpers.h"
#include "distributions/helpers/Klassen.h"
#include "distributions/members/Members.h"
#include "distributions/members/VonInnen.h"

namespace vk::members {

namespace {

// The class m as an index, for reading f[m] and f[m + 1].
std::uint32_t KlasseM(const TParameterEigenschaften& eig) {
  return BegrenzteAnzahl(eig.festparameter[0], kMaxKlassenIndex - 1);
}

void SchaetzwerteBerechnen(const Eingaben& in, Schaetzwerttabelle& E) {
  const TParameterEigenschaften& eig = in.eig;
  const KlassenHaeufigkeiten& f = in.f;
  const std::uint32_t im = KlasseM(eig);
  const double m = static_cast<double>(im);
  const double N = in.stat.summe;
  const double m1 = in.stat.m1;
  const double fm2 = in.stat.fm2;
  E[50] = f[im] / N + m1 - m - 1;
  E[2] = (std::sqrt(4 * (m + 1) * (m1 - f[im + 1] / N) + E[50] * E[50]) + E[50]) / 2;
  E[1] = (2 * m * m1 < m * m + fm2) ? std::sqrt(m * m + fm2 - 2 * m * m1) + m : E[2];
  E[0] = (f[0] > 0) ? f[1] / f[0] : E[1];
}

void AlternativeWaehlen(const Eingaben& in, std::uint32_t k, const Schaetzwerttabelle& E,
                        Parametervektor& p) {
  const TParameterEigenschaften& eig = in.eig;
  const KlassenHaeufigkeiten& f = in.f;
  double a;
  switch (k) {
    case 1:
      a = E[0];
      break;
    case 2:
      a = E[1];
      break;
    case 3:
      a = E[2];
      break;
    case 4:
      a = (E[0] + E[1] + E[2]) / 3;
      break;
    default:
      return;  // the alternatives share no element
  }
  const std::uint32_t im = KlasseM(eig);
  const double m = static_cast<double>(im);
  p[0] = a;
  // The share that makes f[m + 1]/f[m] the model's ratio at this a.
  p[1] = (a * f[im] - (m + 1) * f[im + 1]) / (a * (f[im] + f[im + 1]));
}

void ErwartungswerteBerechnen(const Eingaben& in, Parametervektor& par, Erwartungswerte& NP) {
  const double a = par[0];
  const double b = par[1];
  const double m = std::trunc(in.eig.festparameter[0]);
  const double N = in.stat.summe;
  const double ea = std::exp(-a);
  const std::uint32_t L = in.stat.n;
  // Where e^-a underflows, or the closed forms of the classes m to m + 2 would overflow (m + 2
  // beyond the factorial table's range, a^(m+2) beyond the double range), the Poisson terms come
  // from the mode and the two classes that exchange the share are scaled afterwards.
  const bool geschlossen = m + 2 >= L || (m + 2 <= 170 && (m + 2) * std::log(a) < 700);
  if (ea < voninnen::kKleinsterStart || !geschlossen) {
    voninnen::Leeren(NP, L);
    voninnen::PoissonAddieren(NP, L, a, 0, N);
    if (m < L) {
      const std::uint32_t im = BegrenzteAnzahl(m, L);
      NP[im] *= 1 + a * b / (m + 1);
      if (im + 1 < L) NP[im + 1] *= 1 - b;
    }
    RestklasseSetzen(NP, L, N, voninnen::Unterhalb(NP, L));
    return;
  }
  // e^-a a^i / i! in closed form, for the classes m, m + 1 and m + 2 where the ratio restarts.
  const auto poisson = [&](double i) {
    return ea * GanzePotenz(BegrenzteAnzahl(i, kGrenzeFaktoren), a) /
           Fakultaet(BegrenzteAnzahl(i, kGrenzeFaktoren));
  };
  KlassenMitRest(NP, in.stat.n, N, [&](double i, double vorher) {
    if (i == m) return N * poisson(m) * (1 + a * b / (m + 1));
    if (i == m + 1) return N * poisson(m + 1) * (1 - b);
    if (i == m + 2) return N * poisson(m + 2);
    if (i == 0) return N * ea;
    return vorher * a / i;
  });
}

}  // namespace

// clang-format off
const Member kM044PoissonDisplacedClass{.nummer = 44, .name = "Poisson with a displaced class",
    .parZahl = 2, .festparZahl = 1, .schaetzwerte = SchaetzwerteBerechnen,
    .alternative = AlternativeWaehlen, .alternativenZahl = 4,
    .erwartungswerte = ErwartungswerteBerechnen};
// clang-format on

}  // namespace vk::members
