// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/Verteilungsverzeichnis.h"

#include <exception>

namespace vk {

namespace {

constexpr int kLetzterSlot = static_cast<int>(kVerteilungsSlots) - 1;

// The ten flag arrays in the order of the domain bits.
std::array<ParameterFlags*, 10> FlagArrays(TParameterEigenschaften& pe) {
  return {&pe.zwischenNullundEins,      &pe.ueberEins,       &pe.unterMinusEins,
          &pe.zwischenMinusEinsundEins, &pe.natuerlicheZahl, &pe.positiveZahl,
          &pe.natuerlicheZahlMit0,      &pe.groesserNull,    &pe.kleinerEins,
          &pe.groesserGleichMinusEins};
}

}  // namespace

TVerteilung Referenz(const TKatalogeintrag& eintrag) {
  return TVerteilung{eintrag.bezeichnung, eintrag.index, eintrag.automatik, eintrag.spezial};
}

std::uint32_t Gruppenmaske(bool assistiert, const TDatensatz& daten) {
  if (!assistiert) return kMaskeAlle;
  if (!daten.DatenGueltig) return 0;
  switch (daten.XWerte[0]) {
    case 0:
      return 3;
    case 1:
      return 5;
    default:
      return 9;
  }
}

const TKatalogeintrag* Verteilungsverzeichnis::Eintrag(std::uint32_t index) const {
  return index < kVerteilungsSlots ? slots_[index].get() : nullptr;
}

std::optional<TKatalogeintrag> Verteilungsverzeichnis::Suchen(std::uint32_t maske, int ab,
                                                              int& cursor) const {
  for (int k = ab; k <= kLetzterSlot; ++k) {
    const TKatalogeintrag* e = slots_[static_cast<std::size_t>(k)].get();
    if (e && (e->gruppen & maske) != 0) {
      cursor = k;
      return *e;
    }
  }
  cursor = -1;
  return std::nullopt;
}

std::optional<TKatalogeintrag> Verteilungsverzeichnis::ErsteVerteilung(std::uint32_t maske,
                                                                       int& cursor) const {
  return Suchen(maske, 0, cursor);
}

// A walk that has ended stands at -1 and stays ended until the next ErsteVerteilung.
std::optional<TKatalogeintrag> Verteilungsverzeichnis::NaechsteVerteilung(std::uint32_t maske,
                                                                          int& cursor) const {
  if (cursor < 0 || cursor >= kLetzterSlot) {
    cursor = -1;
    return std::nullopt;
  }
  return Suchen(maske, cursor + 1, cursor);
}

std::optional<TKatalogeintrag> Verteilungsverzeichnis::ErsteVerteilung(std::uint32_t maske) {
  return ErsteVerteilung(maske, cursor_);
}

std::optional<TKatalogeintrag> Verteilungsverzeichnis::NaechsteVerteilung(std::uint32_t maske) {
  return NaechsteVerteilung(maske, cursor_);
}

std::optional<TKatalogeintrag> Verteilungsverzeichnis::VerteilungHolen(std::uint32_t index) const {
  const TKatalogeintrag* e = Eintrag(index);
  if (!e) return std::nullopt;
  return *e;
}

TVerteilungszahlen Verteilungsverzeichnis::VerteilungenZaehlen() const {
  TVerteilungszahlen z;
  for (const auto& e : slots_) {
    if (!e) continue;
    ++z.verteilungen;
    if (e->automatik) ++z.automatik;
    if (e->spezial) ++z.spezial;
  }
  return z;
}

Status Verteilungsverzeichnis::VerteilungenAuflisten(bool assistiert, const TDatensatz& daten,
                                                     const VerteilungAufnehmen& aufnehmen) const {
  const std::uint32_t maske = Gruppenmaske(assistiert, daten);
  if (maske == 0) return status::kNoData;
  try {
    int cursor = -1;
    for (auto e = ErsteVerteilung(maske, cursor); e; e = NaechsteVerteilung(maske, cursor)) {
      const Status st = aufnehmen(Referenz(*e));
      if (st != status::kOk) return st;
    }
  } catch (const std::exception&) {
    return status::kException;
  }
  return status::kOk;
}

Status Verteilungsverzeichnis::ParameterEigenschaftenSetzen(const TVerteilung& verteilung,
                                                            TParameterEigenschaften& pe,
                                                            std::uint32_t n) const {
  const TKatalogeintrag* e = Eintrag(verteilung.Index);
  if (!e) return status::kDirectoryError;
  pe.parZahl = e->parameterZahl;
  pe.alternativen = e->alternativen;
  pe.festparZahl = e->festparameterZahl;
  for (std::uint32_t k = 0; k < kMaxFestparameter; ++k)
    pe.festparNamen[k] = k < e->festparameterZahl ? e->festparameter[k].bezeichnung : "";
  // Flags of unused places are cleared too, so that nothing of the distribution fitted before
  // survives into this one.
  const auto flags = FlagArrays(pe);
  for (std::uint32_t k = 0; k < kMaxParameter; ++k) {
    const bool used = k < e->parameterZahl;
    pe.parNamen[k] = used ? e->parameter[k].bezeichnung : "";
    for (std::size_t bit = 0; bit < flags.size(); ++bit)
      (*flags[bit])[k] = used && ((e->parameter[k].eigenschaften >> bit) & 1u) != 0;
  }
  const std::uint64_t belegt = std::uint64_t{pe.parZahl} + pe.festparZahl;
  return belegt < n ? status::kOk : status::kNotEnoughClasses;
}

Status Verteilungsverzeichnis::VerteilungsparameterHolen(const TVerteilung& verteilung,
                                                         TVerteilungsparameter& out) const {
  const TKatalogeintrag* e = Eintrag(verteilung.Index);
  if (!e) return status::kDirectoryError;
  out = TVerteilungsparameter{};
  out.ParZahl = e->parameterZahl;
  out.FestParZahl = e->festparameterZahl;
  for (std::uint32_t k = 0; k < e->parameterZahl; ++k)
    out.Parameter[k].Bezeichnung = e->parameter[k].bezeichnung;
  for (std::uint32_t k = 0; k < e->festparameterZahl; ++k) {
    out.Festparameter[k].Bezeichnung = e->festparameter[k].bezeichnung;
    out.Festparameter[k].Bedingung = e->festparameter[k].bedingung;
    out.Festparameter[k].Beschreibung = e->festparameter[k].beschreibung;
  }
  return status::kOk;
}

Status Verteilungsverzeichnis::VerteilungsparameterHolen(const TVerteilung& verteilung,
                                                         const Parametervektor& werte,
                                                         const TParameterEigenschaften& pe,
                                                         TVerteilungsparameter& out) const {
  const Status st = VerteilungsparameterHolen(verteilung, out);
  if (st != status::kOk) return st;
  for (std::uint32_t k = 0; k < out.ParZahl; ++k) out.Parameter[k].Wert = werte[k];
  for (std::uint32_t k = 0; k < out.FestParZahl; ++k)
    out.Festparameter[k].Wert = pe.festparameter[k];
  return status::kOk;
}

Status Verteilungsverzeichnis::FestparameterHolen(const TVerteilung& verteilung,
                                                  const FestparameterErfragen& erfragen,
                                                  TParameterEigenschaften& pe) const {
  TVerteilungsparameter vp;
  const Status gelesen = VerteilungsparameterHolen(verteilung, vp);
  if (gelesen != status::kOk) return gelesen;
  if (vp.FestParZahl == 0) return status::kOk;
  if (!erfragen) return status::kSkipAbortByUser;
  const Status st = erfragen(vp.Festparameter, vp.FestParZahl);
  if (st != status::kOk) return st;
  // The hosts refuse such values with a message; a value that still arrives would make a member
  // count or index with it, so the fit ends here instead.
  for (std::uint32_t k = 0; k < vp.FestParZahl; ++k) {
    const TFestparameter& p = vp.Festparameter[k];
    if (!FestwertPruefen(p.Bedingung, p.Wert).empty()) return status::kException;
  }
  for (std::uint32_t k = 0; k < vp.FestParZahl; ++k) pe.festparameter[k] = vp.Festparameter[k].Wert;
  return status::kOk;
}

}  // namespace vk
