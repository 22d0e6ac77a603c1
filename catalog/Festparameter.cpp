// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Festparameter.h"

#include <charconv>
#include <cmath>

#include "core/DatenLesen.h"
#include "core/FpFault.h"

namespace vk {

namespace {

struct Klasse {
  double f = 0;
  std::uint32_t x = 0;
};

Klasse Holen(const TDatensatz& daten, std::uint32_t i) {
  Klasse k;
  KlasseHolen(daten, i, k.f, k.x);
  return k;
}

// Class 0 is skipped by both scans: a data set may well start with an empty class.
double ScanL(const TDatensatz& daten) {
  const std::uint32_t n = daten.Statistik.n;
  for (std::uint32_t i = 1; i <= n; ++i) {
    const Klasse k = Holen(daten, i);
    if (k.f == 0) return k.x - 1.0;
  }
  return Holen(daten, n).x;
}

double ScanR(const TDatensatz& daten) {
  const std::uint32_t n = daten.Statistik.n;
  std::uint32_t i = 1;
  while (i <= n && Holen(daten, i).f != 0) ++i;
  while (i <= n && Holen(daten, i).f == 0) ++i;
  return Holen(daten, i <= n ? i : n).x;
}

}  // namespace

bool AutomatischerWert(const std::string& bedingung, const TDatensatz& daten, double& wert) {
  if (!daten.DatenGueltig) return false;
  const std::string& c = bedingung;
  if (c.size() == 5 && c[0] == 'g' && c[2] == '=' && c[3] == 'x') {
    switch (c[4]) {
      case '0':
        wert = Holen(daten, 0).x;
        return true;
      case 'L':
        wert = ScanL(daten);
        return true;
      case 'N':
        wert = Holen(daten, daten.Statistik.n).x;
        return true;
      case 'R':
        wert = ScanR(daten);
        return true;
      default:
        return false;
    }
  }
  if (c.size() >= 4 && c[0] == 'r' && c[2] == '=') {
    const bool eins = c.size() == 13 && c[3] == '1';
    const bool anteil = c.size() == 9 && c[3] == 'e';
    if (!eins && !anteil) return false;
    const double tot = static_cast<double>(TruncToInt64(daten.Statistik.summe));
    if (tot == 0) return false;
    const double q = Holen(daten, 0).f / tot;
    wert = eins ? 1 - q : q;
    return true;
  }
  return false;
}

namespace {

// A decimal number making up all of `text`.
bool Zahl(const std::string& text, double& wert) {
  if (text.empty()) return false;
  const char* erstes = text.data();
  const char* ende = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(erstes, ende, wert);
  return ec == std::errc() && ptr == ende;
}

std::string ZahlText(double x) {
  std::string s = std::to_string(x);
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

// The bound a code states: "NAME>=c", "NAME>c" or "a<NAME<b", as a phrase ("at least c",
// "greater than c", "between a and b"); empty when it states none. `ok` says whether `wert` keeps
// it.
std::string Schranke(const std::string& c, double wert, bool& ok) {
  double a = 0, b = 0;
  ok = true;
  if (const auto ge = c.find(">="); ge != std::string::npos && Zahl(c.substr(ge + 2), a)) {
    ok = wert >= a;
    return "at least " + ZahlText(a);
  }
  if (const auto gt = c.find('>'); gt != std::string::npos && Zahl(c.substr(gt + 1), a)) {
    ok = wert > a;
    return "greater than " + ZahlText(a);
  }
  const auto lt1 = c.find('<');
  const auto lt2 = c.rfind('<');
  if (lt1 != std::string::npos && lt2 != lt1 && Zahl(c.substr(0, lt1), a) &&
      Zahl(c.substr(lt2 + 1), b)) {
    ok = wert > a && wert < b;
    return "between " + ZahlText(a) + " and " + ZahlText(b);
  }
  return {};
}

}  // namespace

std::string FestwertPruefen(const std::string& bedingung, double wert) {
  if (!std::isfinite(wert)) return "is not a finite number";
  bool ok = true;
  const std::string schranke = Schranke(bedingung, wert, ok);
  if (!GanzzahligerFestparameter(bedingung))
    return ok ? "" : (schranke.rfind("between", 0) == 0 ? "must lie " : "must be ") + schranke;
  // A count is a whole number: 2.5 would be used as 2 and reported as 2.5. One text for every
  // way of breaking the rule, so that -1, 0 and 2.5 are told the same.
  const bool ganz = wert >= 0 && wert <= kGroessterGanzzahligerFestwert && wert == std::floor(wert);
  if (ok && ganz) return {};
  const std::string max = ZahlText(kGroessterGanzzahligerFestwert);
  if (schranke.empty()) return "must be a whole number from 0 to " + max;
  return "must be a whole number " + schranke + " and at most " + max;
}

bool GanzzahligerFestparameter(const std::string& bedingung) {
  return !bedingung.empty() && (bedingung[0] == 'G' || bedingung[0] == 'g');
}

bool AutomatischeWerteEintragen(Festparameterfeld& festparameter, std::uint32_t anzahl,
                                const TDatensatz& daten,
                                std::array<bool, kMaxFestparameter>& automatisch) {
  automatisch.fill(false);
  bool alle = true;
  for (std::uint32_t k = 0; k < anzahl && k < kMaxFestparameter; ++k) {
    double wert = 0;
    automatisch[k] = AutomatischerWert(festparameter[k].Bedingung, daten, wert);
    if (automatisch[k]) festparameter[k].Wert = wert;
    alle = alle && automatisch[k];
  }
  return alle;
}

FestparameterErfragen NurAutomatischeWerte(const TDatensatz& daten) {
  return [&daten](Festparameterfeld& festparameter, std::uint32_t anzahl) {
    std::array<bool, kMaxFestparameter> automatisch{};
    return AutomatischeWerteEintragen(festparameter, anzahl, daten, automatisch)
               ? status::kOk
               : status::kSkipAbortByUser;
  };
}

}  // namespace vk
