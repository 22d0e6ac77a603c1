// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Bericht.h"

#include "fitting/Anpassungen.h"
#include "python/src/Fehler.h"
#include "python/src/Festwerte.h"
#include "python/src/Unterbrechbar.h"

namespace vk::py {

void Bericht::Verbinden(Rueckrufe& r) {
  r.ergebnis = [this](const TAnpassung& a) {
    if (a.BesteMethode) {
      hatBeste = true;
      beste = Methode{a, {}, false};
    } else {
      methoden.push_back(Methode{a, {}, false});
    }
    return status::kOk;
  };
  r.parameter = [this](const TVerteilungsparameter& p) {
    Methode& ziel = hatBeste ? beste : methoden.back();
    ziel.parameter = p;
    ziel.mitParametern = true;
    return status::kOk;
  };
  r.klasse = [this](const TWerte& w) {
    if (!hatBeste) return status::kOk;
    if (w.Ergebnis)
      summe = w;
    else
      klassen.push_back(w);
    return status::kOk;
  };
}

std::vector<Klasse> Bericht::Klassen() const {
  std::vector<Klasse> z;
  z.reserve(klassen.size());
  for (const TWerte& w : klassen) {
    const bool gepoolt = w.GepooltIn != kNichtGepoolt && w.GepooltIn < klassen.size();
    z.push_back({w.X, w.E, w.NP, gepoolt ? std::int64_t{klassen[w.GepooltIn].X} : -1});
  }
  return z;
}

Status BerichtAnpassen(Anpassungen& engine, const TVerteilung& verteilung, bool alleMethoden,
                       Festwerte& festwerte, Unterbrechbar& poll, Bericht& b) {
  Rueckrufe r;
  b.Verbinden(r);
  r.festparameter = festwerte.Rueckruf(engine.Daten());
  r.abbruch = [&poll] { return poll(); };
  r.weiter = [&poll] { return !poll.Unterbrochen(); };
  return engine.GewaehlteAnpassung(verteilung, !alleMethoden, r);
}

void BerichtPruefen(Status st, const Bericht& b, const Festwerte& festwerte,
                    const TKatalogeintrag& e) {
  festwerte.FehlendMelden(st, e);
  if (!b.hatBeste && st != status::kOk)
    throw Fehler(st, StatusMeldung(st, "fit of " + e.bezeichnung));
}

}  // namespace vk::py
