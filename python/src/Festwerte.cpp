// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Festwerte.h"

#include <cstdio>

#include "fitting/GegebeneWerte.h"
#include "python/src/Fehler.h"

namespace vk::py {

namespace {

std::string Zahl(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

}  // namespace

void Festwerte::Pruefen(std::span<const TKatalogeintrag> eintraege) const {
  const std::optional<Festwertverstoss> v = FestwertVerstoss(gegeben_, eintraege);
  if (!v) return;
  if (!v->grund.empty())
    throw FalscherAufruf("fixed " + v->name + "=" + Zahl(v->wert) + ": " + v->name + " " +
                         v->grund + " (condition " + v->bedingung + ")");
  throw FalscherAufruf("no fixed parameter '" + v->name + "'; " +
                       (v->namen.empty() ? std::string("the distribution has none")
                                         : "the fixed parameters are:" + v->namen));
}

void Festwerte::FehlendMelden(Status st, const TKatalogeintrag& e) const {
  // A fit that asked for a fixed parameter nobody gave ends with 16.
  if (st == status::kSkipAbortByUser && !fehlend_.empty())
    throw FalscherAufruf("the fixed parameter '" + fehlend_ + "' of " + e.bezeichnung +
                         " has no value from the data; give it with fixed={'" + fehlend_ +
                         "': VALUE}");
}

FestparameterErfragen Festwerte::Rueckruf(const TDatensatz& daten) {
  return FestwerteNachNamen(gegeben_, daten, fehlend_);
}

}  // namespace vk::py
