// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/GegebeneWerte.h"

#include <array>

#include "catalog/Festparameter.h"

namespace vk {

std::optional<Festwertverstoss> FestwertVerstoss(const std::map<std::string, double>& gegeben,
                                                 std::span<const TKatalogeintrag> eintraege) {
  for (const auto& [name, wert] : gegeben) {
    std::string namen;
    bool bekannt = false;
    for (const TKatalogeintrag& e : eintraege) {
      for (std::uint32_t k = 0; k < e.festparameterZahl; ++k) {
        const TKatalogFestparameter& p = e.festparameter[k];
        if (namen.find(" " + p.bezeichnung + ",") == std::string::npos)
          namen += " " + p.bezeichnung + ",";
        if (p.bezeichnung != name) continue;
        bekannt = true;
        if (std::string grund = FestwertPruefen(p.bedingung, wert); !grund.empty())
          return Festwertverstoss{name, wert, std::move(grund), p.bedingung, {}};
      }
    }
    if (!bekannt) {
      if (!namen.empty()) namen.pop_back();
      return Festwertverstoss{name, wert, {}, {}, std::move(namen)};
    }
  }
  return std::nullopt;
}

FestparameterErfragen FestwerteNachNamen(const std::map<std::string, double>& gegeben,
                                         const TDatensatz& daten, std::string& fehlend) {
  return [&gegeben, &daten, &fehlend](Festparameterfeld& fest, std::uint32_t anzahl) -> Status {
    std::array<bool, kMaxFestparameter> automatisch{};
    AutomatischeWerteEintragen(fest, anzahl, daten, automatisch);
    fehlend.clear();
    for (std::uint32_t k = 0; k < anzahl; ++k) {
      const auto it = gegeben.find(fest[k].Bezeichnung);
      if (it != gegeben.end()) {
        fest[k].Wert = it->second;
      } else if (!automatisch[k]) {
        fehlend = fest[k].Bezeichnung;
        return status::kSkipAbortByUser;
      }
    }
    return status::kOk;
  };
}

TVerteilungsparameter SpezielleFesteMarkieren(const TVerteilungsparameter& vp,
                                              const Spezialvorgaben& v) {
  TVerteilungsparameter aus = vp;
  aus.ParZahl = 0;
  aus.FestParZahl = 0;
  for (std::uint32_t k = 0; k < vp.ParZahl; ++k) {
    if (k < v.size() && v[k].Fest && aus.FestParZahl < kMaxFestparameter) {
      TFestparameter& f = aus.Festparameter[aus.FestParZahl++];
      f = TFestparameter{};
      f.Bezeichnung = vp.Parameter[k].Bezeichnung;
      f.Wert = vp.Parameter[k].Wert;
    } else {
      aus.Parameter[aus.ParZahl++] = vp.Parameter[k];
    }
  }
  return aus;
}

}  // namespace vk
