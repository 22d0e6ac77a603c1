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
  for (const auto& [name, wert] : gegeben_) {
    std::string namen;
    bool bekannt = false;
    for (const TKatalogeintrag& e : eintraege) {
      for (std::uint32_t k = 0; k < e.festparameterZahl; ++k) {
        const TKatalogFestparameter& p = e.festparameter[k];
        if (namen.find(" " + p.bezeichnung + ",") == std::string::npos)
          namen += " " + p.bezeichnung + ",";
        if (p.bezeichnung != name) continue;
        bekannt = true;
        if (const std::string grund = FestwertPruefen(p.bedingung, wert); !grund.empty())
          throw FalscherAufruf("fixed " + name + "=" + Zahl(wert) + ": " + name + " " + grund +
                               " (condition " + p.bedingung + ")");
      }
    }
    if (!bekannt) {
      if (!namen.empty()) namen.pop_back();
      throw FalscherAufruf("no fixed parameter '" + name + "'; " +
                           (namen.empty() ? std::string("the distribution has none")
                                          : "the fixed parameters are:" + namen));
    }
  }
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
