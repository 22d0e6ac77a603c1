// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Auftraege.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <span>

#include "fitting/Anpassungen.h"
#include "fitting/GegebeneWerte.h"
#include "python/src/Fehler.h"
#include "python/src/Festwerte.h"
#include "python/src/Sitzung.h"
#include "python/src/Unterbrechbar.h"

namespace vk::py {

namespace pyb = pybind11;

namespace {

// A number that is not finite reads as None, as the command line writes it as null.
pyb::object ZahlOderNone(double v) {
  return std::isfinite(v) ? pyb::object(pyb::float_(v)) : pyb::object(pyb::none());
}

pyb::dict Parameter(const TVerteilungsparameter& p) {
  pyb::dict d;
  for (std::uint32_t k = 0; k < p.ParZahl; ++k)
    d[pyb::str(p.Parameter[k].Bezeichnung)] = p.Parameter[k].Wert;
  return d;
}

pyb::dict Festparameter(const TVerteilungsparameter& p) {
  pyb::dict d;
  for (std::uint32_t k = 0; k < p.FestParZahl; ++k)
    d[pyb::str(p.Festparameter[k].Bezeichnung)] = p.Festparameter[k].Wert;
  return d;
}

// One class row as a result reports it: x, f, NP and the x of the class its X² cell was pooled
// into (-1 for a cell of its own).
struct Klasse {
  std::uint32_t x = 0;
  double f = 0, np = 0;
  std::int64_t gepooltIn = -1;
};

void KlassenEintragen(const std::vector<Klasse>& klassen, pyb::dict& aus) {
  const auto n = static_cast<pyb::ssize_t>(klassen.size());
  pyb::array_t<std::int64_t> x(n), gepoolt(n);
  pyb::array_t<double> f(n), np(n);
  auto xs = x.mutable_unchecked<1>();
  auto gs = gepoolt.mutable_unchecked<1>();
  auto fs = f.mutable_unchecked<1>();
  auto ns = np.mutable_unchecked<1>();
  for (pyb::ssize_t i = 0; i < n; ++i) {
    const Klasse& k = klassen[static_cast<std::size_t>(i)];
    xs(i) = k.x;
    fs(i) = k.f;
    ns(i) = k.np;
    gs(i) = k.gepooltIn;
  }
  aus["x"] = x;
  aus["f"] = f;
  aus["expected"] = np;
  aus["pooled_into"] = gepoolt;
}

// What a fit reports through its callbacks: the methods, the best one, its class rows.
struct Methode {
  TAnpassung ergebnis;
  TVerteilungsparameter parameter;
  bool mitParametern = false;
};

struct Bericht {
  std::vector<Methode> methoden;
  bool hatBeste = false;
  Methode beste;
  std::vector<TWerte> klassen;
  TWerte summe;

  void Verbinden(Rueckrufe& r) {
    r.ergebnis = [this](const TAnpassung& a) {
      if (a.BesteMethode) {
        hatBeste = true;
        beste = Methode{a, {}, false};
      } else {
        methoden.push_back(Methode{a, {}, false});
      }
      return status::kOk;
    };
    r.parameter = [this](const TVerteilungsparameter& p) {
      Methode& ziel = hatBeste ? beste : methoden.back();
      ziel.parameter = p;
      ziel.mitParametern = true;
      return status::kOk;
    };
    r.klasse = [this](const TWerte& w) {
      if (!hatBeste) return status::kOk;
      if (w.Ergebnis)
        summe = w;
      else
        klassen.push_back(w);
      return status::kOk;
    };
  }

  std::vector<Klasse> Klassen() const {
    std::vector<Klasse> z;
    z.reserve(klassen.size());
    for (const TWerte& w : klassen) {
      const bool gepoolt = w.GepooltIn != kNichtGepoolt && w.GepooltIn < klassen.size();
      z.push_back({w.X, w.E, w.NP, gepoolt ? std::int64_t{klassen[w.GepooltIn].X} : -1});
    }
    return z;
  }
};

pyb::dict Figuren(const TAnpassung& a) {
  pyb::dict d;
  d["chi2"] = a.Chi;
  d["p"] = a.PChi;
  d["c"] = a.Kontingenz;
  d["r2"] = a.R2;
  d["df"] = a.FG;
  d["status"] = a.Status;
  d["status_message"] = StatusText(a.Status);
  d["refined"] = a.Verfeinert;
  d["refinement_incomplete"] = a.VerfeinerungUnvollstaendig;
  return d;
}

pyb::dict MethodeAlsDict(const Methode& m) {
  pyb::dict d = Figuren(m.ergebnis);
  d["method"] = m.ergebnis.Methode;
  d["alternatives"] = m.ergebnis.Alternativen;
  d["params"] = m.mitParametern ? pyb::object(Parameter(m.parameter)) : pyb::none();
  d["fixed"] = m.mitParametern ? pyb::object(Festparameter(m.parameter)) : pyb::none();
  return d;
}

pyb::dict Kopf(const Datenbestand& d, const TKatalogeintrag& e, Status st) {
  pyb::dict aus;
  aus["file"] = d.datei.empty() ? pyb::object(pyb::none()) : pyb::object(pyb::str(d.datei));
  aus["index"] = e.index;
  aus["name"] = e.bezeichnung;
  aus["status"] = st;
  aus["status_message"] = StatusText(st);
  return aus;
}

// A fit that asked for a fixed parameter nobody gave ends with 16; the caller is told which.
void FehlendenFestwertMelden(Status st, const Festwerte& fw, const TKatalogeintrag& e) {
  if (st == status::kSkipAbortByUser && !fw.Fehlend().empty())
    throw FalscherAufruf("the fixed parameter '" + fw.Fehlend() + "' of " + e.bezeichnung +
                         " has no value from the data; give it with fixed={'" + fw.Fehlend() +
                         "': VALUE}");
}

// After the fit, with the lock held: Ctrl-C first, then a stop asked for by the batch.
void UnterbrechungMelden(Unterbrechbar& poll, const Stopp* stopp) {
  poll.Weiterwerfen();
  if (stopp != nullptr && stopp->gesetzt.load())
    throw Fehler(status::kAbort, StatusMeldung(status::kAbort, "the batch was stopped"));
}

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

pyb::dict Anpassen(const Datenbestand& d, std::uint32_t index, const Festvorgaben& fest,
                   bool alleMethoden, const pyb::handle& settings, Stopp* stopp) {
  const TKatalogeintrag e = Eintrag(index);
  Festwerte fw(fest);
  fw.Pruefen(std::span(&e, 1));
  const OptimisationSettings s = EinstellungenLesen(settings);
  Bericht b;
  Status st = status::kOk;
  Unterbrechbar poll(stopp != nullptr ? &stopp->gesetzt : nullptr);
  {
    pyb::gil_scoped_release frei;
    Anpassungen& a = Engine(d, s);
    Rueckrufe r;
    b.Verbinden(r);
    r.festparameter = fw.Rueckruf(a.Daten());
    r.abbruch = [&poll] { return poll(); };
    r.weiter = [&poll] { return !poll.Unterbrochen(); };
    st = a.GewaehlteAnpassung(Referenz(e), !alleMethoden, r);
  }
  UnterbrechungMelden(poll, stopp);
  FehlendenFestwertMelden(st, fw, e);
  if (!b.hatBeste && st != status::kOk)
    throw Fehler(st, StatusMeldung(st, "fit of " + e.bezeichnung));

  pyb::dict aus = Kopf(d, e, st);
  pyb::list methoden;
  for (const Methode& m : b.methoden) methoden.append(MethodeAlsDict(m));
  aus["methods"] = methoden;
  aus["best"] = b.hatBeste ? pyb::object(MethodeAlsDict(b.beste)) : pyb::none();
  KlassenEintragen(b.Klassen(), aus);
  aus["total_f"] = b.summe.E;
  aus["total_np"] = b.summe.NP;
  return aus;
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
  const OptimisationSettings s = EinstellungenLesen(settings);
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
  FehlendenFestwertMelden(st, fw, e);
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
  const OptimisationSettings s = EinstellungenLesen(settings);
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

pyb::dict Spezial(const Datenbestand& d, const Spezialauftrag& auftrag,
                  const pyb::handle& settings) {
  const TKatalogeintrag e = Eintrag(kSpezialIndex);
  if (!e.spezial)
    throw Fehler(status::kDirectoryError,
                 "the catalog has no special model at index " + std::to_string(kSpezialIndex));
  const OptimisationSettings s = EinstellungenLesen(settings);
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

  Bericht b;
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
  for (Methode& m : b.methoden) m.parameter = SpezielleFesteMarkieren(m.parameter, vorgaben);
  b.beste.parameter = SpezielleFesteMarkieren(b.beste.parameter, vorgaben);
  if (!b.hatBeste && st != status::kOk) throw Fehler(st, StatusMeldung(st, "special fitting"));
  pyb::dict aus = Kopf(d, e, st);
  pyb::list methoden;
  for (const Methode& m : b.methoden) methoden.append(MethodeAlsDict(m));
  aus["methods"] = methoden;
  aus["best"] = b.hatBeste ? pyb::object(MethodeAlsDict(b.beste)) : pyb::none();
  KlassenEintragen(b.Klassen(), aus);
  aus["total_f"] = b.summe.E;
  aus["total_np"] = b.summe.NP;
  return aus;
}

}  // namespace vk::py
