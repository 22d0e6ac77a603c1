// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Ergebnisbau.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <limits>

namespace vk::py {

namespace pyb = pybind11;

namespace {

struct Paketklassen {
  pyb::object fitResult, methodResult, fehler, aufruf;
};

Paketklassen& Paket() {
  static Paketklassen k;
  return k;
}

// An instance of one of the package's dataclasses with `felder` as its attributes, as its
// __init__ would set them.
pyb::object Instanz(const pyb::object& klasse, pyb::dict felder) {
  if (!klasse) throw Fehler(status::kException, "the package's result classes are not set");
  auto* typ = reinterpret_cast<PyTypeObject*>(klasse.ptr());
  pyb::object o = pyb::reinterpret_steal<pyb::object>(
      PyBaseObject_Type.tp_new(typ, pyb::tuple().ptr(), nullptr));
  if (!o || PyObject_GenericSetDict(o.ptr(), felder.ptr(), nullptr) != 0)
    throw pyb::error_already_set();
  return o;
}

pyb::dict Methodenfelder(const Methodenbericht& m) {
  pyb::dict d = Figuren(m.ergebnis);
  d["method"] = m.ergebnis.Methode;
  d["alternatives"] = m.ergebnis.Alternativen;
  d["params"] = m.mitParametern ? pyb::object(Parameter(m.parameter)) : pyb::none();
  d["fixed"] = m.mitParametern ? pyb::object(Festparameter(m.parameter)) : pyb::none();
  return d;
}

// A fit without a best method has no figures: NaN, 0 and empty parameters.
void OhneBeste(pyb::dict& d) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  d["method"] = 0;
  d["alternatives"] = 0;
  d["chi2"] = nan;
  d["p"] = nan;
  d["c"] = nan;
  d["r2"] = nan;
  d["df"] = 0;
  d["refined"] = false;
  d["refinement_incomplete"] = false;
  d["params"] = pyb::dict();
  d["fixed"] = pyb::dict();
}

}  // namespace

void PaketklassenSetzen(pyb::object fitResult, pyb::object methodResult, pyb::object fehler,
                        pyb::object aufruf) {
  Paket() = {std::move(fitResult), std::move(methodResult), std::move(fehler), std::move(aufruf)};
}

void PaketklassenFreigeben() {
  Paket() = {};
}

pyb::object FehlerObjekt(const Fehler& f) {
  const pyb::object& klasse = f.code == kFalscherAufruf ? Paket().aufruf : Paket().fehler;
  if (!klasse) return pyb::object();
  return klasse(f.code, f.what());
}

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

void Kennzahlen(const TAnpassung& a, pyb::dict& d) {
  d["chi2"] = a.Chi;
  d["p"] = a.PChi;
  d["c"] = a.Kontingenz;
  d["r2"] = a.R2;
  d["df"] = a.FG;
  d["refined"] = a.Verfeinert;
  d["refinement_incomplete"] = a.VerfeinerungUnvollstaendig;
}

pyb::dict Figuren(const TAnpassung& a) {
  pyb::dict d;
  Kennzahlen(a, d);
  d["status"] = a.Status;
  d["status_message"] = StatusText(a.Status);
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

pyb::object FitResultBauen(const Datenbestand& d, const TKatalogeintrag& e, Status st,
                           const Anpassbericht& b) {
  pyb::dict aus = Kopf(d, e, st);
  if (b.hatBeste) {
    // The best method's figures under the result's own status.
    const Methodenbericht& m = b.beste;
    Kennzahlen(m.ergebnis, aus);
    aus["method"] = m.ergebnis.Methode;
    aus["alternatives"] = m.ergebnis.Alternativen;
    aus["params"] = m.mitParametern ? Parameter(m.parameter) : pyb::dict();
    aus["fixed"] = m.mitParametern ? Festparameter(m.parameter) : pyb::dict();
  } else {
    OhneBeste(aus);
  }
  KlassenEintragen(Klassenzeilen(b), aus);
  aus["total_f"] = b.summe.E;
  aus["total_np"] = b.summe.NP;
  pyb::list methoden;
  for (const Methodenbericht& m : b.methoden)
    methoden.append(Instanz(Paket().methodResult, Methodenfelder(m)));
  aus["methods"] = methoden;
  aus["error"] = pyb::none();
  return Instanz(Paket().fitResult, aus);
}

}  // namespace vk::py
