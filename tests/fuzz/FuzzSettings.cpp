// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as the settings file: reading it must never crash, and what it gives the
// engine must be usable (finite numbers, step counts of at least 1), whatever the file says.
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fitting/EinstellungenSpeicher.h"

namespace {

const QString& Datei() {
  static QTemporaryDir ordner;
  static const QString pfad = ordner.filePath("settings.ini");
  return pfad;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    QFile f(Datei());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  QSettings store(Datei(), QSettings::IniFormat);
  vk::TEinstellungen o;
  std::vector<std::string> warnungen;
  vk::OptParLesen(store, o, &warnungen);
  for (double v : {o.Reflektionsweite, o.Expansionsweite, o.Kontraktionsgroesse, o.Abbruchkriterium,
                   o.Mindestklassengroesse})
    if (!std::isfinite(v)) std::abort();
  if (o.Iterationswiederholungen < 1 || o.Optimierungsversuche < 1) std::abort();
  vk::TAnzeigeeinstellungen p;
  vk::FitParLesen(store, p);
  return 0;
}
