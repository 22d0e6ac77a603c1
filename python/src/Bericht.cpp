// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Bericht.h"

#include "fitting/Anpassungen.h"
#include "python/src/Fehler.h"
#include "python/src/Festwerte.h"
#include "python/src/Unterbrechbar.h"

namespace vk::py {

std::vector<Klasse> Klassenzeilen(const Anpassbericht& b) {
  std::vector<Klasse> z;
  z.reserve(b.klassen.size());
  for (const TWerte& w : b.klassen) {
    const std::optional<std::uint32_t> ziel = GepooltInX(w, b.klassen);
    z.push_back({w.X, w.E, w.NP, ziel ? std::int64_t{*ziel} : -1});
  }
  return z;
}

Status BerichtAnpassen(Anpassungen& engine, const TVerteilung& verteilung, bool alleMethoden,
                       Festwerte& festwerte, Unterbrechbar& poll, Anpassbericht& b) {
  Rueckrufe r;
  b.Verbinden(r);
  r.festparameter = festwerte.Rueckruf(engine.Daten());
  r.abbruch = [&poll] { return poll(); };
  r.weiter = [&poll] { return !poll.Unterbrochen(); };
  return engine.GewaehlteAnpassung(verteilung, !alleMethoden, r);
}

void BerichtPruefen(Status st, const Anpassbericht& b, const Festwerte& festwerte,
                    const TKatalogeintrag& e) {
  festwerte.FehlendMelden(st, e);
  if (!b.hatBeste && st != status::kOk)
    throw Fehler(st, StatusMeldung(st, "fit of " + e.bezeichnung));
}

}  // namespace vk::py
