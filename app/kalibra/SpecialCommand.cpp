// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/FitReport.h"
#include "fitting/Anpassungen.h"
#include "fitting/GegebeneWerte.h"

namespace vk::cli {

namespace {

// START:STOP:DELTA of a preflight range.
bool Bereich(const QString& text, TSpezialVorgabe& v) {
  const QStringList teile = text.split(':');
  return teile.size() == 3 && ParseNumber(teile[0], v.Start) && ParseNumber(teile[1], v.Stop) &&
         ParseNumber(teile[2], v.Delta);
}

// Points of one axis: START, START + DELTA, ... below STOP.
double GitterPunkte(const TSpezialVorgabe& v) {
  return std::ceil((v.Stop - v.Start) / v.Delta);
}

constexpr double kMaxGitterPunkte = 1e7;

}  // namespace

int RunSpecial(const QStringList& args) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Fits the general five-parameter model (a0, a1, a2, b1, b2) after a preflight grid search "
      "over b1 and b2. The ranges default to -n:n:2n/100, n being the last class index.");
  for (const char* a : {"a0", "a1", "a2"})
    parser.addOption({a, QString("Value of %1 when it is fixed (default 0).").arg(a), "value"});
  parser.addOption({"fix", "Coefficients held fixed at their values, e.g. a0,a2.", "list"});
  parser.addOption({"b1", "Preflight range of b1.", "START:STOP:DELTA"});
  parser.addOption({"b2", "Preflight range of b2.", "START:STOP:DELTA"});
  Session s;
  if (const int code = OpenSession(parser, args, "special", false, false, s); code >= 0)
    return code;

  Spezialvorgaben vorgaben{};
  const char* koeffizienten[] = {"a0", "a1", "a2"};
  for (int k = 0; k < 3; ++k) {
    if (parser.isSet(koeffizienten[k]) &&
        !ParseNumber(parser.value(koeffizienten[k]), vorgaben[static_cast<std::size_t>(k)].Wert)) {
      std::fprintf(stderr, "kalibra special: --%s takes a finite number\n", koeffizienten[k]);
      return kExitUsage;
    }
  }
  for (const QString& name : parser.value("fix").split(',', Qt::SkipEmptyParts)) {
    const int k = name.trimmed() == "a0"   ? 0
                  : name.trimmed() == "a1" ? 1
                  : name.trimmed() == "a2" ? 2
                                           : -1;
    if (k < 0) {
      std::fprintf(stderr, "kalibra special: --fix takes a0, a1 and a2, not '%s'\n",
                   qPrintable(name));
      return kExitUsage;
    }
    vorgaben[static_cast<std::size_t>(k)].Fest = true;
  }

  const auto eintrag = s.katalog.VerteilungHolen(kSpezialIndex);
  if (!eintrag || !eintrag->spezial) {
    std::fprintf(stderr, "kalibra special: the catalog has no special model at index %u\n",
                 kSpezialIndex);
    return static_cast<int>(status::kDirectoryError);
  }
  const std::string& datei = s.datei;
  Anpassungen& engine = *s.engine;

  const double n = engine.Daten().Statistik.n;
  for (std::size_t k : {3u, 4u}) vorgaben[k] = {0, -n, n, 2 * n / 100, false};
  for (std::size_t k : {3u, 4u}) {
    const char* name = k == 3 ? "b1" : "b2";
    if (parser.isSet(name) && !Bereich(parser.value(name), vorgaben[k])) {
      std::fprintf(stderr, "kalibra special: --%s takes START:STOP:DELTA (finite numbers)\n", name);
      return kExitUsage;
    }
    std::string grund = PreflightBereichPruefen(vorgaben[k]);
    // A grid without points would fit from an arbitrary start and end in "No fit".
    if (grund.empty() && !(vorgaben[k].Delta > 0))
      grund = "DELTA must be greater than 0";
    else if (grund.empty() && !(vorgaben[k].Start < vorgaben[k].Stop))
      grund = "START must be below STOP";
    if (!grund.empty()) {
      std::fprintf(stderr, "kalibra special: --%s: %s\n", name, grund.c_str());
      return kExitUsage;
    }
    vorgaben[k].Wert = vorgaben[k].Start;
  }
  // Each point of the grid is a full fit (about a tenth of a millisecond and more): the axes
  // alone may each be long, their product may not.
  const double punkte = GitterPunkte(vorgaben[3]) * GitterPunkte(vorgaben[4]);
  if (punkte > kMaxGitterPunkte) {
    std::fprintf(stderr,
                 "kalibra special: the preflight grid has %.0f points (b1 %.0f times b2 %.0f); at "
                 "most %.0f are allowed: choose larger DELTAs or shorter ranges\n",
                 punkte, GitterPunkte(vorgaben[3]), GitterPunkte(vorgaben[4]), kMaxGitterPunkte);
    return kExitUsage;
  }

  FitReport bericht;
  bericht.datei = datei;
  bericht.verteilung = Referenz(*eintrag);
  Rueckrufe r;
  bericht.Verbinden(r);
  r.abbruch = AbortRequested;
  const bool fortschritt = ProgressWanted();
  std::uint32_t zeilen = 0, zeile = 0;
  SpezialRueckrufe spezial;
  spezial.vorgaben = [&](Spezialvorgaben& v, std::uint32_t) {
    v = vorgaben;
    return status::kOk;
  };
  spezial.fortschritt = [&](PreflightEreignis ereignis, std::uint32_t anzahl) -> Status {
    const bool zeileFertig = ereignis == PreflightEreignis::kZeile;
    if (ereignis == PreflightEreignis::kStart) zeilen = anzahl;
    // Ctrl-C in the grid ends with 16, after it with 11: so says the last resort too.
    if (ereignis != PreflightEreignis::kZeile)
      SetAbortStatus(ereignis == PreflightEreignis::kStart ? status::kSkipAbortByUser
                                                           : status::kAbort);
    if (zeileFertig) ++zeile;
    if (fortschritt && zeileFertig)
      std::fprintf(stderr, "\rpreflight %u/%u b1 rows", zeile, zeilen);
    if (fortschritt && ereignis == PreflightEreignis::kEnde) std::fprintf(stderr, "\r%40s\r", "");
    return zeileFertig && AbortRequested() ? status::kSkipAbortByUser : status::kOk;
  };
  InstallAbortHandler();
  bericht.status = engine.SpezielleAnpassung(bericht.verteilung, r, spezial);
  for (Methodenbericht& m : bericht.methoden) m.parameter = SpezielleFesteMarkieren(m.parameter, vorgaben);
  bericht.beste.parameter = SpezielleFesteMarkieren(bericht.beste.parameter, vorgaben);
  FinishingOutput();
  bericht.Drucken(s.format);
  if (bericht.status != status::kOk)
    std::fprintf(stderr, "kalibra special: %s: %s\n", datei.c_str(),
                 StatusText(bericht.status).c_str());
  return static_cast<int>(bericht.status);
}

}  // namespace vk::cli
