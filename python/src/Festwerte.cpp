// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Festwerte.h"

#include <cstdio>

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

FestparameterErfragen Festwerte::Rueckruf(const TDatensatz& daten) {
  return [this, &daten](Festparameterfeld& fest, std::uint32_t anzahl) -> Status {
    std::array<bool, kMaxFestparameter> automatisch{};
    AutomatischeWerteEintragen(fest, anzahl, daten, automatisch);
    fehlend_.clear();
    for (std::uint32_t k = 0; k < anzahl; ++k) {
      const auto it = gegeben_.find(fest[k].Bezeichnung);
      if (it != gegeben_.end()) {
        fest[k].Wert = it->second;
      } else if (!automatisch[k]) {
        fehlend_ = fest[k].Bezeichnung;
        return status::kSkipAbortByUser;
      }
    }
    return status::kOk;
  };
}

}  // namespace vk::py
