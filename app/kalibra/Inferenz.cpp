// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Inferenz.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Unterbrechung.h"
#include "core/Format.h"
#include "fitting/Anpassungen.h"

namespace vk::cli {

void AddInferenceOptions(QCommandLineParser& parser) {
  parser.addOption({"bootstrap",
                    "Parametric bootstrap: draw B samples of size N from the fitted law, refit "
                    "each, and report standard errors, 95 % percentile intervals and a Monte "
                    "Carlo P.",
                    "B"});
  parser.addOption(
      {"seed", "Seed of the bootstrap's draws (default 1); the same seed gives the same figures.",
       "S"});
  parser.addOption({"ci",
                    "How the bootstrap's 95 % intervals are read from the refits: percentile "
                    "(the default), basic (reflected about the estimate, against its bias) or bc "
                    "(bias-corrected percentile).",
                    "KIND"});
  parser.addOption({"se",
                    "Where the standard errors come from: curvature (the Hessian of X² at the "
                    "minimum) or bootstrap (with --bootstrap, the default).",
                    "METHOD"});
}

bool ReadInferenceOptions(const QCommandLineParser& parser, InferenzAuftrag& auftrag,
                          const char* command) {
  if (parser.isSet("bootstrap")) {
    bool ok = false;
    const qulonglong b = parser.value("bootstrap").trimmed().toULongLong(&ok);
    if (!ok || b < 1 || b > kMaxBootstrap) {
      std::fprintf(stderr, "kalibra %s: --bootstrap takes a whole number from 1 to %u\n", command,
                   kMaxBootstrap);
      return false;
    }
    auftrag.bootstrap = static_cast<std::uint32_t>(b);
  }
  if (parser.isSet("seed")) {
    bool ok = false;
    const qulonglong s = parser.value("seed").trimmed().toULongLong(&ok);
    if (!ok) {
      std::fprintf(stderr,
                   "kalibra %s: --seed takes a whole number from 0 to 18446744073709551615\n",
                   command);
      return false;
    }
    auftrag.seed = s;
  }
  if (parser.isSet("ci")) {
    const std::string art = parser.value("ci").trimmed().toStdString();
    if (!IntervallartLesen(art, auftrag.intervall)) {
      std::fprintf(stderr, "kalibra %s: --ci takes percentile, basic or bc, not '%s'\n", command,
                   art.c_str());
      return false;
    }
    if (auftrag.bootstrap == 0) {
      std::fprintf(stderr, "kalibra %s: --ci needs --bootstrap B\n", command);
      return false;
    }
  }
  if (parser.isSet("se")) {
    const QString art = parser.value("se").trimmed().toLower();
    if (art == "curvature") {
      auftrag.kruemmung = true;
    } else if (art == "bootstrap") {
      if (auftrag.bootstrap == 0) {
        std::fprintf(stderr, "kalibra %s: --se bootstrap needs --bootstrap B\n", command);
        return false;
      }
    } else {
      std::fprintf(stderr, "kalibra %s: --se takes curvature or bootstrap, not '%s'\n", command,
                   qPrintable(parser.value("se")));
      return false;
    }
  }
  return true;
}

double Inferenzbericht::SE(std::uint32_t k) const {
  if (MitKruemmung()) return kruemmung.se[k];
  if (MitBootstrap()) return bootstrap.parameter[k].se;
  return std::numeric_limits<double>::quiet_NaN();
}

bool InferenzRechnen(Anpassungen& engine, const TVerteilung& v, Inferenzbericht& bericht) {
  bericht.gerechnet = engine.Gefunden();
  if (!bericht.gerechnet) return true;
  if (bericht.auftrag.kruemmung) bericht.kruemmung = KruemmungRechnen(engine);
  if (bericht.auftrag.bootstrap == 0) return true;
  BootstrapVorgabe vorgabe;
  vorgabe.wiederholungen = bericht.auftrag.bootstrap;
  vorgabe.seed = bericht.auftrag.seed;
  vorgabe.intervall = bericht.auftrag.intervall;
  vorgabe.abbruch = [] { return AbortRequested(); };
  const bool fortschritt = ProgressWanted();
  if (fortschritt) {
    vorgabe.fortschritt = [B = vorgabe.wiederholungen](std::uint32_t fertig) {
      std::fprintf(stderr, "\rbootstrap sample %u of %u", fertig, B);
    };
  }
  const Status st = BootstrapRechnen(engine, v, vorgabe, bericht.bootstrap);
  if (fortschritt) std::fprintf(stderr, "\r%60s\r", "");
  if (st != status::kOk) bericht.bootstrap.abgebrochen = true;
  return !bericht.bootstrap.abgebrochen;
}

QJsonObject BootstrapJson(const BootstrapErgebnis& b) {
  return QJsonObject{{"B", static_cast<qint64>(b.verlangt)},
                     {"seed", QString::number(b.seed)},
                     {"interval", IntervallartName(b.intervall)},
                     {"completed", static_cast<qint64>(b.gerechnet)},
                     {"failed", static_cast<qint64>(b.fehlgeschlagen)},
                     {"cancelled", b.abgebrochen}};
}

std::string InferenzText(const Inferenzbericht& i) {
  std::string s;
  if (i.MitBootstrap()) {
    const BootstrapErgebnis& b = i.bootstrap;
    s += "Monte Carlo P " + (std::isfinite(b.pMonteCarlo) ? FormatFixed(b.pMonteCarlo, 4) : "-") +
         "  (bootstrap: B " + std::to_string(b.verlangt) + ", seed " + std::to_string(b.seed) +
         ", " + std::to_string(b.gerechnet) + " completed, " + std::to_string(b.fehlgeschlagen) +
         " failed" + (b.abgebrochen ? ", cancelled" : "") + ")\n";
    if (b.intervall != Intervallart::kPerzentil)
      s += std::string("Intervals: ") + IntervallartName(b.intervall) + " bootstrap\n";
  }
  if (i.MitKruemmung()) {
    s += i.kruemmung.Verfuegbar()
             ? "Standard errors: curvature of X² at the minimum\n"
             : "Standard errors: curvature unavailable: " + KruemmungsgrundText(i.kruemmung.grund) +
                   "\n";
  } else if (i.MitBootstrap()) {
    s += "Standard errors: bootstrap\n";
  }
  return s;
}

}  // namespace vk::cli
