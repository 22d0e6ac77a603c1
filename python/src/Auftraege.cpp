// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Auftraege.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <span>

#include "fitting/Anpassungen.h"
#include "fitting/GegebeneWerte.h"
#include "python/src/Bericht.h"
#include "python/src/Ergebnisbau.h"
#include "python/src/Fehler.h"
#include "python/src/Festwerte.h"
#include "python/src/Sitzung.h"
#include "python/src/Unterbrechbar.h"

namespace vk::py {

namespace pyb = pybind11;

namespace {

std::vector<Klasse> AktuelleKlassen(const Anpassungen& a, bool verworfen) {
  const TDatensatz& d = a.Daten();
  const std::vector<std::uint32_t> ziel = a.Poolung(false);
  std::vector<Klasse> k;
  k.reserve(d.Statistik.n + 1);
  for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
    k.push_back({d.XWerte[i], d.Haeufigkeiten[i], a.AktuelleNP()[i],
                 verworfen || ziel[i] == kNichtGepoolt ? -1 : std::int64_t{d.XWerte[ziel[i]]}});
  return k;
}

}  // namespace

pyb::object Anpassen(const Datenbestand& d, std::uint32_t index, const Festvorgaben& fest,
                     bool alleMethoden, const pyb::handle& settings) {
  const TKatalogeintrag e = Eintrag(index);
  Festwerte fw(fest);
  fw.Pruefen(std::span(&e, 1));
  const TEinstellungen s = EinstellungenLesen(settings);
  Anpassbericht b;
  Status st = status::kOk;
  Unterbrechbar poll;
  {
    pyb::gil_scoped_release frei;
    st = BerichtAnpassen(Engine(d, s), Referenz(e), alleMethoden, fw, poll, b);
  }
  poll.Weiterwerfen();
  BerichtPruefen(st, b, fw, e);
  return FitResultBauen(d, e, st, b);
}

pyb::dict Auswerten(const Datenbestand& d, std::uint32_t index, const std::vector<double>& werte,
                    const Festvorgaben& fest, const pyb::handle& settings) {
  const TKatalogeintrag e = Eintrag(index);
  if (werte.size() != e.parameterZahl)
    throw FalscherAufruf(e.bezeichnung + " has " + std::to_string(e.parameterZahl) +
                         " free parameters; " + std::to_string(werte.size()) + " were given");
  for (double w : werte)
    if (!std::isfinite(w)) throw FalscherAufruf("a parameter value is not a finite number");
  Festwerte fw(fest);
  fw.Pruefen(std::span(&e, 1));
  const TEinstellungen s = EinstellungenLesen(settings);
  Parametervektor v{};
  std::copy(werte.begin(), werte.end(), v.begin());
  const TVerteilung ref = Referenz(e);

  Status st = status::kOk;
  bool verworfen = false;
  Anpassungen::Kennzahlen k;
  TVerteilungsparameter vp;
  std::vector<Klasse> klassen;
  {
    pyb::gil_scoped_release frei;
    Anpassungen& a = Engine(d, s);
    st = a.Auswerten(ref, v, fw.Rueckruf(a.Daten()));
    if (st == status::kOk || st == status::kNotEnoughDf || st == status::kNoFit) {
      // Frequencies that are no distribution have no X², DF, P, C or R².
      verworfen = a.Verworfen().grund != Verwerfung::kKeine;
      k = a.Aktuell();
      a.VerteilungsparameterHolen(ref, false, vp);
      klassen = AktuelleKlassen(a, verworfen);
    }
  }
  fw.FehlendMelden(st, e);
  if (st != status::kOk && st != status::kNotEnoughDf && st != status::kNoFit)
    throw Fehler(st, StatusMeldung(st, "evaluation of " + e.bezeichnung));

  const bool genugFG = st != status::kNotEnoughDf && !verworfen;
  pyb::dict aus = Kopf(d, e, st);
  aus["rejected"] = verworfen;
  aus["chi2"] = verworfen ? pyb::object(pyb::none()) : ZahlOderNone(k.chi);
  aus["classes"] = verworfen ? pyb::object(pyb::none()) : pyb::object(pyb::int_(k.klassen));
  aus["df"] = verworfen ? pyb::object(pyb::none()) : pyb::object(pyb::int_(k.fg));
  aus["enough_df"] = genugFG;
  aus["p"] = genugFG ? ZahlOderNone(k.p) : pyb::object(pyb::none());
  aus["c"] = verworfen ? pyb::object(pyb::none()) : ZahlOderNone(k.c);
  aus["r2"] = verworfen ? pyb::object(pyb::none()) : ZahlOderNone(k.r2);
  aus["params"] = Parameter(vp);
  aus["fixed"] = Festparameter(vp);
  KlassenEintragen(klassen, aus);
  return aus;
}

pyb::dict Automatik(const Datenbestand& d, const Festvorgaben& fest, const pyb::handle& settings) {
  const Verteilungsverzeichnis& katalog = Katalog();
  std::vector<TKatalogeintrag> automatische;
  for (std::uint32_t i = 0; i < kVerteilungsSlots; ++i)
    if (auto e = katalog.VerteilungHolen(i); e && e->automatik) automatische.push_back(*e);
  Festwerte fw(fest);
  fw.Pruefen(automatische);
  const TEinstellungen s = EinstellungenLesen(settings);
  std::vector<TAnpassung> zeilen;
  Status st = status::kOk;
  Unterbrechbar poll;
  {
    pyb::gil_scoped_release frei;
    Anpassungen& a = Engine(d, s);
    // A caller's own threads may fit data sets side by side: the members run one after another.
    a.ThreadsSetzen(1);
    Rueckrufe r;
    r.ergebnis = [&](const TAnpassung& an) {
      // A distribution cut short by Ctrl-C has no result worth a row.
      if (poll.Unterbrochen()) return status::kAbort;
      zeilen.push_back(an);
      return status::kOk;
    };
    r.festparameter = fw.Rueckruf(a.Daten());
    r.abbruch = [&poll] { return poll(); };
    st = a.AutomatischeAnpassung(r);
  }
  poll.Weiterwerfen();
  if (zeilen.empty() && st != status::kOk) throw Fehler(st, StatusMeldung(st, "automatic fitting"));
  pyb::list liste;
  for (const TAnpassung& a : zeilen) {
    pyb::dict z = Figuren(a);
    z["index"] = a.Verteilung.Index;
    z["name"] = a.Verteilung.Bezeichnung;
    liste.append(z);
  }
  pyb::dict aus;
  aus["file"] = d.datei.empty() ? pyb::object(pyb::none()) : pyb::object(pyb::str(d.datei));
  aus["distributions"] = liste;
  aus["status"] = st;
  aus["status_message"] = StatusText(st);
  return aus;
}

namespace {

double GitterPunkte(const TSpezialVorgabe& v) {
  return std::ceil((v.Stop - v.Start) / v.Delta);
}

constexpr double kMaxGitterPunkte = 1e7;

}  // namespace

pyb::object Spezial(const Datenbestand& d, const Spezialauftrag& auftrag,
                    const pyb::handle& settings) {
  const TKatalogeintrag e = Eintrag(kSpezialIndex);
  if (!e.spezial)
    throw Fehler(status::kDirectoryError,
                 "the catalog has no special model at index " + std::to_string(kSpezialIndex));
  const TEinstellungen s = EinstellungenLesen(settings);
  Spezialvorgaben vorgaben{};
  for (std::size_t k = 0; k < 3; ++k) {
    if (!std::isfinite(auftrag.a[k])) throw FalscherAufruf("a coefficient is not a finite number");
    vorgaben[k].Wert = auftrag.a[k];
    vorgaben[k].Fest = auftrag.fest[k];
  }
  const double n = d.daten->statistik.n;
  for (std::size_t k : {3u, 4u}) {
    const char* name = k == 3 ? "b1" : "b2";
    const auto& bereich = k == 3 ? auftrag.b1 : auftrag.b2;
    vorgaben[k] = {0, -n, n, 2 * n / 100, false};
    if (bereich) {
      if (bereich->size() != 3)
        throw FalscherAufruf(std::string(name) + " takes (START, STOP, DELTA)");
      vorgaben[k].Start = (*bereich)[0];
      vorgaben[k].Stop = (*bereich)[1];
      vorgaben[k].Delta = (*bereich)[2];
    }
    std::string grund = PreflightBereichPruefen(vorgaben[k]);
    // A grid without points would fit from an arbitrary start and end in "No fit".
    if (grund.empty() && !(vorgaben[k].Delta > 0))
      grund = "DELTA must be greater than 0";
    else if (grund.empty() && !(vorgaben[k].Start < vorgaben[k].Stop))
      grund = "START must be below STOP";
    if (!grund.empty()) throw FalscherAufruf(std::string(name) + ": " + grund);
    vorgaben[k].Wert = vorgaben[k].Start;
  }
  const double punkte = GitterPunkte(vorgaben[3]) * GitterPunkte(vorgaben[4]);
  if (punkte > kMaxGitterPunkte)
    throw FalscherAufruf("the preflight grid has " + std::to_string(punkte) +
                         " points; choose larger DELTAs or shorter ranges");

  Anpassbericht b;
  Status st = status::kOk;
  Unterbrechbar poll;
  {
    pyb::gil_scoped_release frei;
    Anpassungen& a = Engine(d, s);
    a.ThreadsSetzen(auftrag.threads);
    Rueckrufe r;
    b.Verbinden(r);
    r.abbruch = [&poll] { return poll(); };
    SpezialRueckrufe spezial;
    spezial.vorgaben = [&](Spezialvorgaben& v, std::uint32_t) {
      v = vorgaben;
      return status::kOk;
    };
    spezial.fortschritt = [&](PreflightEreignis ereignis, std::uint32_t) -> Status {
      return ereignis == PreflightEreignis::kZeile && poll() ? status::kSkipAbortByUser
                                                             : status::kOk;
    };
    st = a.SpezielleAnpassung(Referenz(e), r, spezial);
  }
  poll.Weiterwerfen();
  for (Methodenbericht& m : b.methoden) m.parameter = SpezielleFesteMarkieren(m.parameter, vorgaben);
  b.beste.parameter = SpezielleFesteMarkieren(b.beste.parameter, vorgaben);
  if (!b.hatBeste && st != status::kOk) throw Fehler(st, StatusMeldung(st, "special fitting"));
  return FitResultBauen(d, e, st, b);
}

}  // namespace vk::py
