// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/Anpassbericht.h"

namespace vk {

void Anpassbericht::Verbinden(Rueckrufe& r) {
  r.ergebnis = [this](const TAnpassung& a) {
    if (a.BesteMethode) {
      hatBeste = true;
      beste = Methodenbericht{a, {}, false};
    } else {
      methoden.push_back(Methodenbericht{a, {}, false});
    }
    return status::kOk;
  };
  r.parameter = [this](const TVerteilungsparameter& p) {
    Methodenbericht& ziel = hatBeste ? beste : methoden.back();
    ziel.parameter = p;
    ziel.mitParametern = true;
    return status::kOk;
  };
  r.klasse = [this](const TWerte& w) {
    if (!hatBeste) return status::kOk;
    if (w.Ergebnis) {
      summe = w;
    } else {
      klassen.push_back(w);
    }
    return status::kOk;
  };
}

std::optional<std::uint32_t> GepooltInX(const TWerte& w, const std::vector<TWerte>& klassen) {
  if (w.GepooltIn == kNichtGepoolt || w.GepooltIn >= klassen.size()) return std::nullopt;
  return klassen[w.GepooltIn].X;
}

}  // namespace vk
