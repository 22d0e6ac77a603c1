// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/EinstellungenSpeicher.h"

#include <QSettings>
#include <QString>
#include <charconv>
#include <cmath>
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

// Collects what a settings read had to replace: the group, key, the stored text and the default.
struct Pruefung {
  const QSettings& store;
  std::vector<std::string>* warnungen;

  void Melden(const char* name, const std::string& regel, const std::string& vorgabe) const {
    if (warnungen == nullptr) return;
    const std::string text = store.value(QString::fromUtf8(name)).toString().toStdString();
    warnungen->push_back("setting " + store.group().toStdString() + "/" + name + " = '" + text +
                         "' " + regel + "; the default " + vorgabe + " is used");
  }

  double Zahl(const char* name, double vorgabe) const {
    const double wert = LeseDouble(store, name, vorgabe);
    if (std::isfinite(wert)) return wert;
    Melden(name, "is not a finite number", FormatExact(vorgabe));
    return vorgabe;
  }

  std::uint32_t Schritte(const char* name, std::uint32_t vorgabe) const;

  // A switch stored as "1" or "0".
  bool Schalter(const char* name, bool vorgabe) const {
    const QVariant v = store.value(QString::fromUtf8(name));
    if (!v.isValid()) return vorgabe;
    const QString text = v.toString().trimmed();
    if (text == "1") return true;
    if (text == "0") return false;
    Melden(name, "is neither 1 nor 0", vorgabe ? "1" : "0");
    return vorgabe;
  }
};

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

std::uint32_t Pruefung::Schritte(const char* name, std::uint32_t vorgabe) const {
  const std::uint32_t wert = LeseCardinal(store, name, vorgabe);
  if (wert >= 1) return wert;
  Melden(name, "is not a step count of 1 or more", std::to_string(vorgabe));
  return vorgabe;
}

void OptParLesen(QSettings& store, OptimisationSettings& s, std::vector<std::string>* warnungen) {
  const OptimisationSettings d;
  store.beginGroup("OptPar");
  const Pruefung p{store, warnungen};
  s.Reflektionsweite = p.Zahl("Reflektionsweite", d.Reflektionsweite);
  s.Expansionsweite = p.Zahl("Expansionsweite", d.Expansionsweite);
  s.Kontraktionsgroesse = p.Zahl("Kontraktionsgröße", d.Kontraktionsgroesse);
  s.Abbruchkriterium = p.Zahl("Abbruchkriterium", d.Abbruchkriterium);
  s.Mindestklassengroesse = p.Zahl("Mindestklassengröße", d.Mindestklassengroesse);
  s.Iterationswiederholungen = p.Schritte("Iterationswiederholungen", d.Iterationswiederholungen);
  s.Optimierungsversuche = p.Schritte("Optimierungsversuche", d.Optimierungsversuche);
  s.Verfeinerung = p.Schalter("Verfeinerung", d.Verfeinerung);
  store.endGroup();
}

void OptParSchreiben(QSettings& store, const OptimisationSettings& s) {
  store.beginGroup("OptPar");
  // A value no fit can use is not made permanent; the store keeps what it had.
  const auto zahl = [&](const char* name, double wert) {
    if (std::isfinite(wert)) Schreibe(store, name, FormatExact(wert));
  };
  const auto schritte = [&](const char* name, std::uint32_t wert) {
    if (wert >= 1) Schreibe(store, name, std::to_string(wert));
  };
  zahl("Reflektionsweite", s.Reflektionsweite);
  zahl("Expansionsweite", s.Expansionsweite);
  zahl("Kontraktionsgröße", s.Kontraktionsgroesse);
  zahl("Abbruchkriterium", s.Abbruchkriterium);
  zahl("Mindestklassengröße", s.Mindestklassengroesse);
  schritte("Iterationswiederholungen", s.Iterationswiederholungen);
  schritte("Optimierungsversuche", s.Optimierungsversuche);
  Schreibe(store, "Verfeinerung", s.Verfeinerung ? "1" : "0");
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

void OptParLesen(OptimisationSettings& s, std::vector<std::string>* warnungen) {
  QSettings store(kOrganisation, kAnwendung);
  OptParLesen(store, s, warnungen);
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
