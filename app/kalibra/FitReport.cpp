// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/FitReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstdio>
#include <optional>

#include "app/kalibra/CsvWriter.h"
#include "core/Format.h"

namespace vk::cli {

namespace {

QJsonObject Kennzahlen(const TAnpassung& a) {
  QJsonObject o{{"method", static_cast<qint64>(a.Methode)},
          {"chiSquare", a.Chi},
          {"p", a.PChi},
          {"c", a.Kontingenz},
          {"r2", a.R2},
          {"df", static_cast<qint64>(a.FG)},
          {"status", static_cast<qint64>(a.Status)},
          {"statusMessage", QString::fromStdString(StatusText(a.Status))},
          {"refined", a.Verfeinert}};
  VerfeinertJson(o, a);
  return o;
}

std::vector<std::string> KennzahlenText(const TAnpassung& a) {
  return {std::to_string(a.Methode) + VerfeinertZusatz(a),
          FormatFixed(a.Chi, 2),
          FormatFixed(a.PChi, 4),
          FormatFixed(a.Kontingenz, 4),
          FormatFixed(a.R2, 4),
          std::to_string(a.FG),
          StatusText(a.Status)};
}

std::vector<std::string> KennzahlenCsv(const TAnpassung& a) {
  return {std::to_string(a.Methode), FormatExact(a.Chi), FormatExact(a.PChi),
          FormatExact(a.Kontingenz), FormatExact(a.R2),  std::to_string(a.FG),
          StatusText(a.Status)};
}

}  // namespace

std::string VerfeinertCsv(const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig) return "incomplete";
  return a.Verfeinert ? "true" : "false";
}

std::string VerfeinertZusatz(const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig)
    return a.Verfeinert ? " (refined, refinement not completed)" : " (refinement not completed)";
  return a.Verfeinert ? " (refined)" : "";
}

void VerfeinertJson(QJsonObject& o, const TAnpassung& a) {
  if (a.VerfeinerungUnvollstaendig) o.insert("refinementIncomplete", true);
}

// Where a class of `klassen` was pooled for X²: the x of the class that took it in; none for a
// class with a cell of its own.
std::optional<std::uint32_t> GepooltInX(const TWerte& w, const std::vector<TWerte>& klassen) {
  if (w.GepooltIn == kNichtGepoolt || w.GepooltIn >= klassen.size()) return std::nullopt;
  return klassen[w.GepooltIn].X;
}

std::string GepooltText(std::optional<std::uint32_t> x) {
  return x ? std::to_string(*x) : std::string();
}

QJsonValue GepooltJson(std::optional<std::uint32_t> x) {
  return x ? QJsonValue(static_cast<qint64>(*x)) : QJsonValue(QJsonValue::Null);
}

QJsonValue ZahlJson(double v) {
  return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

std::string FormatExactOderLeer(double v) {
  return std::isfinite(v) ? FormatExact(v) : std::string();
}

std::string FormatFixedOderStrich(double v, int stellen) {
  return std::isfinite(v) ? FormatFixed(v, stellen) : std::string("-");
}

std::string VerwerfungGrund(const Verteilungspruefung& v, const TDatensatz& d) {
  switch (v.grund) {
    case Verwerfung::kKeine:
      return {};
    case Verwerfung::kFehler:
      return ": the expected frequencies cannot be computed for these parameters (a division by "
             "zero, an invalid operation or an overflow)";
    case Verwerfung::kNegativ:
      return ": the expected frequency of x = " + std::to_string(d.XWerte[v.klasse]) + " is " +
             FormatExact(v.wert) + ", below 0: these parameters give no distribution";
    case Verwerfung::kSumme:
      return ": the expected frequencies sum to " + FormatExact(v.wert) +
             ", not N = " + FormatExact(d.Statistik.summe) +
             ": these parameters give no distribution";
  }
  return {};
}

std::string ParameterText(const TVerteilungsparameter& p) {
  std::string s;
  for (std::uint32_t k = 0; k < p.ParZahl; ++k)
    s += (s.empty() ? "" : " ") + p.Parameter[k].Bezeichnung + "=" +
         FormatFixed(p.Parameter[k].Wert, 4);
  for (std::uint32_t k = 0; k < p.FestParZahl; ++k)
    s += (s.empty() ? "" : " ") + p.Festparameter[k].Bezeichnung + "=" +
         FormatFixed(p.Festparameter[k].Wert, 4) + "(fixed)";
  return s;
}

QJsonArray ParameterJson(const TVerteilungsparameter& p) {
  QJsonArray a;
  for (std::uint32_t k = 0; k < p.ParZahl; ++k)
    a.append(QJsonObject{{"name", QString::fromStdString(p.Parameter[k].Bezeichnung)},
                         {"value", p.Parameter[k].Wert},
                         {"fixed", false}});
  for (std::uint32_t k = 0; k < p.FestParZahl; ++k)
    a.append(QJsonObject{{"name", QString::fromStdString(p.Festparameter[k].Bezeichnung)},
                         {"value", p.Festparameter[k].Wert},
                         {"fixed", true}});
  return a;
}

void FitReport::Verbinden(Rueckrufe& r) {
  r.ergebnis = [this](const TAnpassung& a) {
    if (a.BesteMethode) {
      hatBeste = true;
      beste = MethodReport{a, {}, false};
    } else {
      methoden.push_back(MethodReport{a, {}, false});
    }
    return status::kOk;
  };
  r.parameter = [this](const TVerteilungsparameter& p) {
    MethodReport& ziel = hatBeste ? beste : methoden.back();
    ziel.parameter = p;
    ziel.mitParametern = true;
    return status::kOk;
  };
  r.klasse = [this](const TWerte& w) {
    if (!hatBeste) return status::kOk;
    if (w.Ergebnis) {
      summe = w;
    } else {
      klassen.push_back(w);
    }
    return status::kOk;
  };
}

void FitReport::Drucken(Format format) const {
  if (format == Format::kJson) {
    QJsonArray liste;
    for (const MethodReport& m : methoden) {
      QJsonObject o = Kennzahlen(m.ergebnis);
      if (m.mitParametern) o.insert("parameters", ParameterJson(m.parameter));
      liste.append(o);
    }
    QJsonObject root{
        {"file", QString::fromStdString(datei)},
        {"distribution", QJsonObject{{"index", static_cast<qint64>(verteilung.Index)},
                                     {"name", QString::fromStdString(verteilung.Bezeichnung)}}},
        {"methods", liste},
        {"status", static_cast<qint64>(status)},
        {"statusMessage", QString::fromStdString(StatusText(status))}};
    if (hatBeste) {
      QJsonObject b = Kennzahlen(beste.ergebnis);
      b.insert("alternatives", static_cast<qint64>(beste.ergebnis.Alternativen));
      b.insert("parameters", ParameterJson(beste.parameter));
      root.insert("best", b);
      QJsonArray k;
      for (const TWerte& w : klassen)
        k.append(QJsonObject{{"x", static_cast<qint64>(w.X)},
                             {"f", w.E},
                             {"np", w.NP},
                             {"pooledInto", GepooltJson(GepooltInX(w, klassen))}});
      root.insert("classes", k);
      root.insert("total", QJsonObject{{"f", summe.E}, {"np", summe.NP}});
    }
    PrintJson(stdout, QJsonDocument(root));
    return;
  }
  if (format == Format::kCsv) {
    CsvWriter csv(stdout);
    csv.Row(
        {"method", "chiSquare", "p", "c", "r2", "df", "status", "best", "parameters", "refined"});
    for (const MethodReport& m : methoden) {
      auto row = KennzahlenCsv(m.ergebnis);
      row.push_back("false");
      row.push_back(m.mitParametern ? ParameterText(m.parameter) : "");
      row.push_back(VerfeinertCsv(m.ergebnis));
      csv.Row(row);
    }
    if (hatBeste) {
      auto row = KennzahlenCsv(beste.ergebnis);
      row.push_back("true");
      row.push_back(ParameterText(beste.parameter));
      row.push_back(VerfeinertCsv(beste.ergebnis));
      csv.Row(row);
      csv.BlankLine();
      csv.Row({"x", "f", "np", "pooledInto"});
      for (const TWerte& w : klassen)
        csv.Row({std::to_string(w.X), FormatExact(w.E), FormatExact(w.NP),
                 GepooltText(GepooltInX(w, klassen))});
    }
    return;
  }
  std::printf("File: %s\nDistribution: %u %s\n\n", datei.c_str(), verteilung.Index,
              verteilung.Bezeichnung.c_str());
  if (!methoden.empty()) {
    TextTable t({"Method", "X²", "P(X²)", "C", "R²", "DF", "Status", "Parameters"});
    for (const MethodReport& m : methoden) {
      auto row = KennzahlenText(m.ergebnis);
      row.push_back(m.mitParametern ? ParameterText(m.parameter) : "");
      t.Row(row);
    }
    t.Print(stdout);
    std::printf("\n");
  }
  if (hatBeste) {
    const TAnpassung& a = beste.ergebnis;
    std::printf("Best method: %u of %u%s\n", a.Methode, a.Alternativen,
                VerfeinertZusatz(a).c_str());
    std::printf("X² %s  P(X²) %s  DF %u  C %s  R² %s\n\n", FormatFixed(a.Chi, 2).c_str(),
                FormatFixed(a.PChi, 4).c_str(), a.FG, FormatFixed(a.Kontingenz, 4).c_str(),
                FormatFixed(a.R2, 4).c_str());
    TextTable p({"Parameter", "Value", ""});
    for (std::uint32_t k = 0; k < beste.parameter.ParZahl; ++k)
      p.Row({beste.parameter.Parameter[k].Bezeichnung,
             FormatFixed(beste.parameter.Parameter[k].Wert, 4), ""});
    for (std::uint32_t k = 0; k < beste.parameter.FestParZahl; ++k)
      p.Row({beste.parameter.Festparameter[k].Bezeichnung,
             FormatFixed(beste.parameter.Festparameter[k].Wert, 4), "fixed"});
    p.Print(stdout);
    std::printf("\n");
    TextTable k({"x", "f", "NP", "Pooled into"});
    for (const TWerte& w : klassen)
      k.Row({std::to_string(w.X), FormatFixed(w.E, 4), FormatFixed(w.NP, 4),
             GepooltText(GepooltInX(w, klassen))});
    k.Row({"Sum", FormatFixed(summe.E, 4), FormatFixed(summe.NP, 4), ""});
    k.Print(stdout);
    std::printf("\n");
  }
  std::printf("Status: %s\n", StatusText(status).c_str());
}

}  // namespace vk::cli
