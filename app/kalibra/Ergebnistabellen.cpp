// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Ergebnistabellen.h"

#include "app/kalibra/FitReport.h"
#include "core/Status.h"

namespace vk::cli {

namespace {

Zelle StatusZelle(Status st, const std::string& zusatz = {}) {
  return {StatusText(st) + zusatz, StatusText(st), QJsonValue(static_cast<qint64>(st))};
}

Zelle Verfeinert(const TAnpassung& a) {
  return {"", VerfeinertCsv(a), QJsonValue(a.Verfeinert)};
}

// Only where the refinement ended early, so that a classic fit's JSON is what it always was.
Zelle VerfeinerungUnvollstaendig(const TAnpassung& a) {
  return Falls(a.VerfeinerungUnvollstaendig, Zelle{"", "", QJsonValue(true)});
}

// "name=value ..." of the free parameters, one value each from `wert`; empty without figures.
template <class F>
std::string ProParameter(const Methodenzeile& m, F wert) {
  if (m.inferenz == nullptr || m.parameter == nullptr || !m.inferenz->gerechnet) return {};
  std::string s;
  for (std::uint32_t k = 0; k < m.parameter->ParZahl; ++k)
    s += (s.empty() ? "" : " ") + m.parameter->Parameter[k].Bezeichnung + "=" + wert(k);
  return s;
}

Zelle Text(const std::string& s) {
  return {s, s, QJsonValue(QJsonValue::Undefined)};
}

}  // namespace

const Tabelle<Methodenzeile>& InferenzMethodentabelle() {
  using M = Methodenzeile;
  static const Tabelle<M> t = [] {
    Tabelle<M> erweitert = Methodentabelle();
    for (Spalte<M>& s : erweitert) {
      if (s.schluessel != "parameters") continue;
      s.zelle = [](const M& m) {
        if (m.parameter == nullptr) return Zelle{"", "", QJsonValue(QJsonValue::Undefined)};
        const std::string text = ParameterText(*m.parameter);
        return Zelle{text, text, ParameterJson(*m.parameter, m.inferenz)};
      };
    }
    const auto mitBootstrap = [](const M& m) {
      return m.beste && m.inferenz != nullptr && m.inferenz->MitBootstrap();
    };
    erweitert.push_back({"", "se",
                         [](const M& m) {
                           return Text(ProParameter(m, [&](std::uint32_t k) {
                             return FormatExactOderLeer(m.inferenz->SE(k));
                           }));
                         },
                         kImCsv});
    erweitert.push_back({"", "ci",
                         [mitBootstrap](const M& m) {
                           if (!mitBootstrap(m)) return Leer();
                           return Text(ProParameter(m, [&](std::uint32_t k) {
                             const ParameterStreuung& p = m.inferenz->bootstrap.parameter[k];
                             return FormatExactOderLeer(p.unten) + ".." +
                                    FormatExactOderLeer(p.oben);
                           }));
                         },
                         kImCsv});
    const auto zahl = [mitBootstrap](auto feld) {
      return [mitBootstrap, feld](const M& m) {
        return mitBootstrap(m) ? feld(m.inferenz->bootstrap) : Leer();
      };
    };
    erweitert.push_back({"", "pMonteCarlo",
                         zahl([](const BootstrapErgebnis& b) { return Zahl(b.pMonteCarlo, 4); }),
                         kImCsv | kImJson});
    erweitert.push_back({"", "bootstrapB",
                         zahl([](const BootstrapErgebnis& b) { return Ganz(b.verlangt); }),
                         kImCsv});
    erweitert.push_back(
        {"", "bootstrapSeed",
         zahl([](const BootstrapErgebnis& b) { return Wort(std::to_string(b.seed)); }), kImCsv});
    erweitert.push_back({"", "bootstrapCompleted",
                         zahl([](const BootstrapErgebnis& b) { return Ganz(b.gerechnet); }),
                         kImCsv});
    erweitert.push_back({"", "bootstrapFailed",
                         zahl([](const BootstrapErgebnis& b) { return Ganz(b.fehlgeschlagen); }),
                         kImCsv});
    erweitert.push_back({"", "seMethod",
                         [](const M& m) {
                           if (!m.beste || m.inferenz == nullptr || !m.inferenz->gerechnet)
                             return Leer();
                           return Wort(m.inferenz->MitKruemmung() ? "curvature" : "bootstrap");
                         },
                         kImCsv | kImJson});
    erweitert.push_back({"", "curvatureUnavailable",
                         [](const M& m) {
                           if (!m.beste || m.inferenz == nullptr || !m.inferenz->MitKruemmung() ||
                               m.inferenz->kruemmung.Verfuegbar())
                             return Leer();
                           return Wort(KruemmungsgrundText(m.inferenz->kruemmung.grund));
                         },
                         kImCsv | kImJson});
    return erweitert;
  }();
  return t;
}

const Tabelle<Methodenzeile>& Methodentabelle() {
  using M = Methodenzeile;
  static const Tabelle<M> t = {
      {"Method", "method",
       [](const M& m) {
         Zelle z = Ganz(m.ergebnis->Methode);
         z.text += VerfeinertZusatz(*m.ergebnis);
         return z;
       }},
      {"X²", "chiSquare", [](const M& m) { return Zahl(m.ergebnis->Chi, 2); }},
      {"P(X²)", "p", [](const M& m) { return Zahl(m.ergebnis->PChi, 4); }},
      {"C", "c", [](const M& m) { return Zahl(m.ergebnis->Kontingenz, 4); }},
      {"R²", "r2", [](const M& m) { return Zahl(m.ergebnis->R2, 4); }},
      {"DF", "df", [](const M& m) { return Ganz(m.ergebnis->FG); }},
      {"Status", "status", [](const M& m) { return StatusZelle(m.ergebnis->Status); }},
      {"", "statusMessage", [](const M& m) { return Wort(StatusText(m.ergebnis->Status)); },
       kImJson},
      {"", "best", [](const M& m) { return Wort(m.beste ? "true" : "false"); }, kImCsv},
      {"", "alternatives",
       [](const M& m) { return Falls(m.beste, Ganz(m.ergebnis->Alternativen)); }, kImJson},
      {"Parameters", "parameters",
       [](const M& m) {
         if (m.parameter == nullptr) return Zelle{"", "", QJsonValue(QJsonValue::Undefined)};
         const std::string text = ParameterText(*m.parameter);
         return Zelle{text, text, ParameterJson(*m.parameter)};
       }},
      {"", "refined", [](const M& m) { return Verfeinert(*m.ergebnis); }, kImCsv | kImJson},
      {"", "refinementIncomplete",
       [](const M& m) { return VerfeinerungUnvollstaendig(*m.ergebnis); }, kImJson},
  };
  return t;
}

const Tabelle<Klassenzeile>& Klassentabelle() {
  using K = Klassenzeile;
  static const Tabelle<K> t = {
      {"x", "x", [](const K& k) { return Ganz(k.x); }},
      {"f", "f", [](const K& k) { return Zahl(k.f, 4); }},
      {"NP", "np", [](const K& k) { return Zahl(k.np, 4); }},
      {"Pooled into", "pooledInto",
       [](const K& k) {
         const std::string x = GepooltText(k.gepooltIn);
         return Zelle{x, x, GepooltJson(k.gepooltIn)};
       }},
  };
  return t;
}

const Tabelle<TAnpassung>& Automatiktabelle() {
  using A = TAnpassung;
  // The table leaves the figures of a distribution that was not fitted blank.
  const auto zahl = [](double A::*feld, int stellen) {
    return [feld, stellen](const A& a) {
      const Zelle z = Zahl(a.*feld, stellen);
      return a.Status == 0 ? z : OhneText(z);
    };
  };
  static const Tabelle<A> t = {
      {"Index", "index", [](const A& a) { return Ganz(a.Verteilung.Index); }},
      {"Distribution", "name", [](const A& a) { return Wort(a.Verteilung.Bezeichnung); }},
      {"X²", "chiSquare", zahl(&A::Chi, 2)},
      {"P(X²)", "p", zahl(&A::PChi, 4)},
      {"C", "c", zahl(&A::Kontingenz, 4)},
      {"DF", "df", [](const A& a) { return a.Status == 0 ? Ganz(a.FG) : OhneText(Ganz(a.FG)); }},
      {"R²", "r2", zahl(&A::R2, 4)},
      {"Status", "status", [](const A& a) { return StatusZelle(a.Status, VerfeinertZusatz(a)); }},
      {"", "statusMessage", [](const A& a) { return Wort(StatusText(a.Status)); }, kImJson},
      {"", "refined", [](const A& a) { return Verfeinert(a); }, kImCsv | kImJson},
      {"", "refinementIncomplete", [](const A& a) { return VerfeinerungUnvollstaendig(a); },
       kImJson},
  };
  return t;
}

const Tabelle<Auswertungszeile>& Auswertungstabelle() {
  using W = Auswertungszeile;
  const auto zahl = [](double Anpassungen::Kennzahlen::*feld, int stellen) {
    return [feld, stellen](const W& w) {
      return w.verworfen ? Keine() : Zahl(w.kennzahlen->*feld, stellen);
    };
  };
  const auto ganz = [](std::uint32_t Anpassungen::Kennzahlen::*feld) {
    return [feld](const W& w) { return w.verworfen ? Keine() : Ganz(w.kennzahlen->*feld); };
  };
  static const Tabelle<W> t = {
      {"X²", "chiSquare", zahl(&Anpassungen::Kennzahlen::chi, 2)},
      {"K", "classes", ganz(&Anpassungen::Kennzahlen::klassen)},
      {"DF", "df", ganz(&Anpassungen::Kennzahlen::fg)},
      {"", "enoughDegreesOfFreedom",
       [](const W& w) {
         return Zelle{"", "", w.genugFG};
       },
       kImJson},
      {"P(X²)", "p", [](const W& w) { return w.genugFG ? Zahl(w.kennzahlen->p, 4) : Keine(); }},
      {"C", "c", zahl(&Anpassungen::Kennzahlen::c, 4)},
      {"R²", "r2", zahl(&Anpassungen::Kennzahlen::r2, 4)},
      {"", "parameters",
       [](const W& w) {
         const std::string text = ParameterText(*w.parameter);
         return Zelle{text, text, ParameterJson(*w.parameter)};
       },
       kImCsv | kImJson},
      {"", "status", [](const W& w) { return StatusZelle(w.status); }, kImCsv | kImJson},
      {"", "statusMessage", [](const W& w) { return Wort(StatusText(w.status)); }, kImJson},
  };
  return t;
}

}  // namespace vk::cli
