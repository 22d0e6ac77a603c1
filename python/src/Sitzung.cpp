// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Sitzung.h"

#include <cmath>
#include <memory>

#include "catalog/VerzeichnisLaden.h"
#include "fitting/Einstellungsbereiche.h"
#include "python/src/Fehler.h"

namespace vk::py {

namespace {

Verteilungsverzeichnis& Verzeichnis() {
  static Verteilungsverzeichnis katalog;
  return katalog;
}
bool gGeladen = false;

}  // namespace

void KatalogLaden(const std::string& datei) {
  std::string meldung;
  if (const Status st = VerzeichnisAusDateiLaden(datei, Verzeichnis(), meldung); st != status::kOk)
    throw Fehler(st, meldung);
  gGeladen = true;
}

const Verteilungsverzeichnis& Katalog() {
  if (!gGeladen) throw Fehler(status::kDirectoryError, "the catalog is not loaded");
  return Verzeichnis();
}

TKatalogeintrag Eintrag(std::uint32_t index) {
  if (auto e = Katalog().VerteilungHolen(index)) return *e;
  throw FalscherAufruf("no distribution " + std::to_string(index) + " in the catalog");
}

Anpassungen& Engine(const Datenbestand& daten, const TEinstellungen& einstellungen) {
  thread_local std::unique_ptr<Anpassungen> engine;
  if (!engine) engine = std::make_unique<Anpassungen>(Katalog());
  Vorbereiten(*engine, daten, einstellungen);
  return *engine;
}

void Vorbereiten(Anpassungen& engine, const Datenbestand& daten,
                 const TEinstellungen& einstellungen) {
  DatenUebertragen(daten, engine);
  engine.EinstellungenUebernehmen(einstellungen);
}

TEinstellungen EinstellungenLesen(const pybind11::handle& settings) {
  TEinstellungen s;
  if (settings.is_none()) return s;
  for (const Einstellungsbereich& b : kEinstellungsbereiche) {
    if (b.option == nullptr) continue;
    std::string name = b.option;
    for (char& c : name)
      if (c == '-') c = '_';
    const double wert = pybind11::cast<double>(settings.attr(name.c_str()));
    const std::string regel =
        std::isfinite(wert) ? BereichPruefen(b, wert) : BereichPruefen(b, -1e300);
    if (!regel.empty())
      throw FalscherAufruf("settings." + name + " takes " + regel + ", not " +
                           pybind11::str(settings.attr(name.c_str())).cast<std::string>());
    if (b.zahl != nullptr)
      s.*b.zahl = wert;
    else
      s.*b.anzahl = static_cast<std::uint32_t>(wert);
  }
  s.Verfeinerung = pybind11::cast<bool>(settings.attr("refine"));
  return s;
}

}  // namespace vk::py
