// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/KatalogPruefung.h"

#include "catalog/VerzeichnisLaden.h"
#include "distributions/Dispatch.h"

namespace vk {

namespace {

std::string Abweichung(const char* was, std::uint32_t katalog, std::uint32_t bibliothek) {
  return std::string(was) + " " + std::to_string(katalog) + ", where its code has " +
         std::to_string(bibliothek);
}

// Empty when the entry matches its member, else what is wrong.
std::string EintragPruefen(const TKatalogeintrag& e) {
  const MemberHandle griff = MitgliedAufloesen(e.index);
  if (!griff) return "the library has no distribution with this index";
  const Member* m = &griff.Eintrag();
  if (e.parameterZahl != m->parZahl) return Abweichung("parameters", e.parameterZahl, m->parZahl);
  if (e.festparameterZahl != m->festparZahl)
    return Abweichung("fixed parameters", e.festparameterZahl, m->festparZahl);
  if (e.alternativen != m->Alternativen())
    return Abweichung("\"Alternativen\"", e.alternativen, m->Alternativen());
  if (e.spezial != (e.index == kSpezialIndex)) {
    return e.spezial ? "\"Spezial\" is true, but only index " + std::to_string(kSpezialIndex) +
                           " is the special model"
                     : "\"Spezial\" must be true for the special model";
  }
  return {};
}

}  // namespace

Status KatalogPruefen(const Verteilungsverzeichnis& katalog, std::string& meldung) {
  for (std::uint32_t i = 0; i < kVerteilungsSlots; ++i) {
    const auto e = katalog.VerteilungHolen(i);
    if (!e) continue;
    if (const std::string grund = EintragPruefen(*e); !grund.empty()) {
      meldung = "Catalog entry Index " + std::to_string(e->index) + " \"" + e->bezeichnung +
                "\": " + grund;
      return status::kDirectoryError;
    }
  }
  return status::kOk;
}

Status KatalogLaden(const std::filesystem::path& programmVerzeichnis, Verteilungsverzeichnis& ziel,
                    std::string& meldung, std::string& hinweis) {
  Verteilungsverzeichnis neu;
  Status st = VerzeichnisLaden(programmVerzeichnis, neu, meldung, &hinweis);
  if (st == status::kOk) st = KatalogPruefen(neu, meldung);
  if (st == status::kOk) ziel = std::move(neu);
  return st;
}

}  // namespace vk
