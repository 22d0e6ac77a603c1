// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/EinstellungenSpeicher.h"

#include <QSettings>
#include <QString>
#include <charconv>
#include <string>

#include "core/Format.h"

namespace vk {

namespace {

constexpr const char* kOrganisation = "Tessaro";
constexpr const char* kAnwendung = "Vostra-Kalibra";

// Parsing and formatting are our own rather than the locale's: the values are exchanged with
// stores written under any regional setting, always with "." as the separator.
double LeseDouble(const QSettings& store, const char* name, double vorgabe) {
  const QVariant v = store.value(QString::fromUtf8(name));
  if (!v.isValid()) return vorgabe;
  const std::string text = v.toString().trimmed().toStdString();
  double wert = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), wert);
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return vorgabe;
  return wert;
}

long long LeseGanzzahl(const QSettings& store, const char* name, long long vorgabe) {
  const QVariant v = store.value(QString::fromUtf8(name));
  if (!v.isValid()) return vorgabe;
  bool ok = false;
  const long long wert = v.toString().trimmed().toLongLong(&ok);
  return ok ? wert : vorgabe;
}

std::uint32_t LeseCardinal(const QSettings& store, const char* name, std::uint32_t vorgabe) {
  const long long wert = LeseGanzzahl(store, name, vorgabe);
  return (wert < 0 || wert > 0xFFFFFFFFLL) ? vorgabe : static_cast<std::uint32_t>(wert);
}

int LeseInteger(const QSettings& store, const char* name, int vorgabe) {
  const long long wert = LeseGanzzahl(store, name, vorgabe);
  return (wert < INT32_MIN || wert > INT32_MAX) ? vorgabe : static_cast<int>(wert);
}

bool LeseBoolean(const QSettings& store, const char* name, bool vorgabe) {
  return LeseGanzzahl(store, name, vorgabe ? 1 : 0) != 0;
}

void Schreibe(QSettings& store, const char* name, const std::string& text) {
  store.setValue(QString::fromUtf8(name), QString::fromStdString(text));
}

}  // namespace

void OptParLesen(QSettings& store, OptimisationSettings& s) {
  const OptimisationSettings d;
  store.beginGroup("OptPar");
  s.Reflektionsweite = LeseDouble(store, "Reflektionsweite", d.Reflektionsweite);
  s.Expansionsweite = LeseDouble(store, "Expansionsweite", d.Expansionsweite);
  s.Kontraktionsgroesse = LeseDouble(store, "Kontraktionsgröße", d.Kontraktionsgroesse);
  s.Abbruchkriterium = LeseDouble(store, "Abbruchkriterium", d.Abbruchkriterium);
  s.Mindestklassengroesse = LeseDouble(store, "Mindestklassengröße", d.Mindestklassengroesse);
  s.Iterationswiederholungen =
      LeseCardinal(store, "Iterationswiederholungen", d.Iterationswiederholungen);
  s.Optimierungsversuche = LeseCardinal(store, "Optimierungsversuche", d.Optimierungsversuche);
  store.endGroup();
}

void OptParSchreiben(QSettings& store, const OptimisationSettings& s) {
  store.beginGroup("OptPar");
  Schreibe(store, "Reflektionsweite", FormatExact(s.Reflektionsweite));
  Schreibe(store, "Expansionsweite", FormatExact(s.Expansionsweite));
  Schreibe(store, "Kontraktionsgröße", FormatExact(s.Kontraktionsgroesse));
  Schreibe(store, "Abbruchkriterium", FormatExact(s.Abbruchkriterium));
  Schreibe(store, "Mindestklassengröße", FormatExact(s.Mindestklassengroesse));
  Schreibe(store, "Iterationswiederholungen", std::to_string(s.Iterationswiederholungen));
  Schreibe(store, "Optimierungsversuche", std::to_string(s.Optimierungsversuche));
  store.endGroup();
  store.sync();
}

void FitParLesen(QSettings& store, PresentationSettings& s) {
  const PresentationSettings d;
  store.beginGroup("FitPar");
  s.NurBesteMethode = LeseBoolean(store, "NurBesteMethode", d.NurBesteMethode);
  s.AuswahlHilfe = LeseBoolean(store, "AuswahlHilfe", d.AuswahlHilfe);
  s.KalibraFensterX = LeseInteger(store, "KalibraFensterX", d.KalibraFensterX);
  s.KalibraFensterY = LeseInteger(store, "KalibraFensterY", d.KalibraFensterY);
  s.GrafFensterX = LeseInteger(store, "GrafFensterX", d.GrafFensterX);
  s.GrafFensterY = LeseInteger(store, "GrafFensterY", d.GrafFensterY);
  s.GrafFensterW = LeseInteger(store, "GrafFensterW", d.GrafFensterW);
  s.GrafFensterH = LeseInteger(store, "GrafFensterH", d.GrafFensterH);
  store.endGroup();
}

void FitParSchreiben(QSettings& store, const PresentationSettings& s) {
  store.beginGroup("FitPar");
  Schreibe(store, "NurBesteMethode", s.NurBesteMethode ? "1" : "0");
  Schreibe(store, "AuswahlHilfe", s.AuswahlHilfe ? "1" : "0");
  Schreibe(store, "KalibraFensterX", std::to_string(s.KalibraFensterX));
  Schreibe(store, "KalibraFensterY", std::to_string(s.KalibraFensterY));
  Schreibe(store, "GrafFensterX", std::to_string(s.GrafFensterX));
  Schreibe(store, "GrafFensterY", std::to_string(s.GrafFensterY));
  Schreibe(store, "GrafFensterW", std::to_string(s.GrafFensterW));
  Schreibe(store, "GrafFensterH", std::to_string(s.GrafFensterH));
  store.endGroup();
  store.sync();
}

void OptParLesen(OptimisationSettings& s) {
  QSettings store(kOrganisation, kAnwendung);
  OptParLesen(store, s);
}
void OptParSchreiben(const OptimisationSettings& s) {
  QSettings store(kOrganisation, kAnwendung);
  OptParSchreiben(store, s);
}
void FitParLesen(PresentationSettings& s) {
  QSettings store(kOrganisation, kAnwendung);
  FitParLesen(store, s);
}
void FitParSchreiben(const PresentationSettings& s) {
  QSettings store(kOrganisation, kAnwendung);
  FitParSchreiben(store, s);
}

}  // namespace vk
