// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting/EinstellungenSpeicher.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/Format.h"
#include "fitting/Einstellungsbereiche.h"

namespace vk {

namespace {

constexpr const char* kOrganisation = "Tessaro";
constexpr const char* kAnwendung = "Vostra-Kalibra";

// Parsing and formatting are our own rather than the locale's: the values are exchanged with
// stores written under any regional setting, always with "." as the separator.

// The stored text as a message can show it: invisible bytes escaped, at most 40 characters.
std::string Darstellbar(const std::string& text) {
  std::string s;
  for (unsigned char c : text) {
    if (s.size() >= 40) return s + "...";
    if (c < 0x20 || c == 0x7F || c >= 0x80) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      s += hex;
    } else {
      s += static_cast<char>(c);
    }
  }
  return s;
}

// Collects what a settings read had to replace: the group, key, the stored text and the default.
struct Pruefung {
  const QSettings& store;
  std::vector<std::string>* warnungen;

  void Melden(const char* name, const std::string& regel, const std::string& vorgabe) const {
    if (warnungen == nullptr) return;
    const std::string text = store.value(QString::fromUtf8(name)).toString().toStdString();
    warnungen->push_back("setting " + store.group().toStdString() + "/" + name + " = '" +
                         Darstellbar(text) + "' " + regel + "; the default " + vorgabe +
                         " is used");
  }

  // A stored text that is not a plain decimal number ('', "1,5", "0x10", "+2", "1e309",
  // binary) or lies outside its sane range: the default, with a warning.
  void Bereich(const Einstellungsbereich& b, TEinstellungen& s, const TEinstellungen& d) const {
    const QVariant v = store.value(QString::fromUtf8(b.schluessel));
    if (!v.isValid()) return;
    const std::string text = v.toString().trimmed().toStdString();
    double wert = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), wert);
    const bool zahl = !text.empty() && ec == std::errc() && ptr == text.data() + text.size() &&
                      std::isfinite(wert);
    const std::string regel = BereichPruefen(b, wert);
    const std::string vorgabe =
        b.zahl != nullptr ? FormatExact(d.*b.zahl) : std::to_string(d.*b.anzahl);
    if (!zahl || !regel.empty()) {
      Melden(b.schluessel, "is not " + (regel.empty() ? BereichPruefen(b, -1e300) : regel),
             vorgabe);
      return;
    }
    if (b.zahl != nullptr)
      s.*b.zahl = wert;
    else
      s.*b.anzahl = static_cast<std::uint32_t>(wert);
  }

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

// The stored text as a whole number; false for none, or one beyond 64 bits.
bool Ganzzahl(const QVariant& v, long long& wert) {
  const std::string text = v.toString().trimmed().toStdString();
  const char* ende = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), ende, wert);
  return !text.empty() && ec == std::errc() && ptr == ende;
}

// A window coordinate or size: a plain whole number from `min` to INT32_MAX, else the default with
// a warning.
int LeseInteger(const Pruefung& p, const char* name, int vorgabe, long long min = INT32_MIN) {
  const QVariant v = p.store.value(QString::fromUtf8(name));
  if (!v.isValid()) return vorgabe;
  long long wert = 0;
  if (Ganzzahl(v, wert) && wert >= min && wert <= INT32_MAX) return static_cast<int>(wert);
  p.Melden(name,
           "is not a whole number from " + std::to_string(min) + " to " + std::to_string(INT32_MAX),
           std::to_string(vorgabe));
  return vorgabe;
}

// A window switch: 0 is off, any other whole number on; anything else the default with a warning.
bool LeseBoolean(const Pruefung& p, const char* name, bool vorgabe) {
  const QVariant v = p.store.value(QString::fromUtf8(name));
  if (!v.isValid()) return vorgabe;
  long long wert = 0;
  if (Ganzzahl(v, wert)) return wert != 0;
  p.Melden(name, "is not a whole number (0 for off)", vorgabe ? "1" : "0");
  return vorgabe;
}

void Schreibe(QSettings& store, const char* name, const std::string& text) {
  store.setValue(QString::fromUtf8(name), QString::fromStdString(text));
}

}  // namespace

void OptParLesen(QSettings& store, TEinstellungen& s, std::vector<std::string>* warnungen) {
  const TEinstellungen d;
  store.beginGroup("OptPar");
  const Pruefung p{store, warnungen};
  s = d;
  for (const Einstellungsbereich& b : kEinstellungsbereiche) p.Bereich(b, s, d);
  s.Verfeinerung = p.Schalter("Verfeinerung", d.Verfeinerung);
  store.endGroup();
}

void OptParSchreiben(QSettings& store, const TEinstellungen& s) {
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

void FitParLesen(QSettings& store, TAnzeigeeinstellungen& s, std::vector<std::string>* warnungen) {
  const TAnzeigeeinstellungen d;
  store.beginGroup("FitPar");
  const Pruefung p{store, warnungen};
  s.NurBesteMethode = LeseBoolean(p, "NurBesteMethode", d.NurBesteMethode);
  s.AuswahlHilfe = LeseBoolean(p, "AuswahlHilfe", d.AuswahlHilfe);
  s.KalibraFensterX = LeseInteger(p, "KalibraFensterX", d.KalibraFensterX);
  s.KalibraFensterY = LeseInteger(p, "KalibraFensterY", d.KalibraFensterY);
  s.GrafFensterX = LeseInteger(p, "GrafFensterX", d.GrafFensterX);
  s.GrafFensterY = LeseInteger(p, "GrafFensterY", d.GrafFensterY);
  // A window of no extent cannot be shown; how large one may be is left to the screens.
  s.GrafFensterW = LeseInteger(p, "GrafFensterW", d.GrafFensterW, 1);
  s.GrafFensterH = LeseInteger(p, "GrafFensterH", d.GrafFensterH, 1);
  store.endGroup();
}

void FitParSchreiben(QSettings& store, const TAnzeigeeinstellungen& s) {
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

void InferenzLesen(QSettings& store, InferenzEinstellungen& s,
                   std::vector<std::string>* warnungen) {
  const InferenzEinstellungen d;
  store.beginGroup("Inferenz");
  const Pruefung p{store, warnungen};
  s.Bootstrap = d.Bootstrap;
  if (const QVariant v = store.value("Bootstrap"); v.isValid()) {
    long long wert = 0;
    if (Ganzzahl(v, wert) && wert >= 0 && wert <= kMaxBootstrapProben) {
      s.Bootstrap = static_cast<std::uint32_t>(wert);
    } else {
      p.Melden("Bootstrap",
               "is not a whole number from 0 to " + std::to_string(kMaxBootstrapProben),
               std::to_string(d.Bootstrap));
    }
  }
  s.Seed = d.Seed;
  if (const QVariant v = store.value("Seed"); v.isValid()) {
    const std::string text = v.toString().trimmed().toStdString();
    const char* ende = text.data() + text.size();
    unsigned long long wert = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), ende, wert);
    if (!text.empty() && ec == std::errc() && ptr == ende) {
      s.Seed = wert;
    } else {
      p.Melden("Seed", "is not a whole number from 0 to 18446744073709551615",
               std::to_string(d.Seed));
    }
  }
  s.Intervall = d.Intervall;
  if (const QVariant v = store.value("Intervall"); v.isValid()) {
    const std::string text = v.toString().trimmed().toStdString();
    if (!IntervallartLesen(text, s.Intervall))
      p.Melden("Intervall", "is not percentile, basic or bc", IntervallartName(d.Intervall));
  }
  s.Kruemmung = p.Schalter("Kruemmung", d.Kruemmung);
  store.endGroup();
}

void InferenzSchreiben(QSettings& store, const InferenzEinstellungen& s) {
  store.beginGroup("Inferenz");
  Schreibe(store, "Bootstrap", std::to_string(s.Bootstrap));
  Schreibe(store, "Seed", std::to_string(s.Seed));
  Schreibe(store, "Intervall", IntervallartName(s.Intervall));
  Schreibe(store, "Kruemmung", s.Kruemmung ? "1" : "0");
  store.endGroup();
  store.sync();
}

// QSettings reads its file as soon as it is made: a FIFO or a device there would block the
// start or feed it without end. Such a file is passed over, with a warning.
bool SpeicherLesbar(std::vector<std::string>* warnungen) {
  const QString pfad = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       "/" + kOrganisation + "/" + kAnwendung + ".conf";
  const QFileInfo info(pfad);
  if (!info.exists() || info.isFile()) return true;
  if (warnungen != nullptr)
    warnungen->push_back("settings file " + pfad.toStdString() +
                         " is not a regular file; the defaults are used");
  return false;
}

void OptParLesen(TEinstellungen& s, std::vector<std::string>* warnungen) {
  if (!SpeicherLesbar(warnungen)) {
    s = TEinstellungen{};
    return;
  }
  QSettings store(kOrganisation, kAnwendung);
  OptParLesen(store, s, warnungen);
}
void OptParSchreiben(const TEinstellungen& s) {
  if (!SpeicherLesbar(nullptr)) return;
  QSettings store(kOrganisation, kAnwendung);
  OptParSchreiben(store, s);
}
void FitParLesen(TAnzeigeeinstellungen& s, std::vector<std::string>* warnungen) {
  // The store that cannot be read is told of by the optimisation settings' read.
  if (!SpeicherLesbar(nullptr)) {
    s = TAnzeigeeinstellungen{};
    return;
  }
  QSettings store(kOrganisation, kAnwendung);
  FitParLesen(store, s, warnungen);
}
void FitParSchreiben(const TAnzeigeeinstellungen& s) {
  if (!SpeicherLesbar(nullptr)) return;
  QSettings store(kOrganisation, kAnwendung);
  FitParSchreiben(store, s);
}

void InferenzLesen(InferenzEinstellungen& s, std::vector<std::string>* warnungen) {
  if (!SpeicherLesbar(nullptr)) {
    s = InferenzEinstellungen{};
    return;
  }
  QSettings store(kOrganisation, kAnwendung);
  InferenzLesen(store, s, warnungen);
}
void InferenzSchreiben(const InferenzEinstellungen& s) {
  if (!SpeicherLesbar(nullptr)) return;
  QSettings store(kOrganisation, kAnwendung);
  InferenzSchreiben(store, s);
}

}  // namespace vk
