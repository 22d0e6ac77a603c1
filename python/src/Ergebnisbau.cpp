// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/Ergebnisbau.h"

#include <pybind11/numpy.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>

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

// The field names of the results, made once: a batch sets them on thousands of results, and a
// key made anew each time would be hashed and freed each time. Interned strings; they live as
// long as the interpreter, so they are never let go.
struct Feldnamen {
  PyObject* file = Name("file");
  PyObject* index = Name("index");
  PyObject* name = Name("name");
  PyObject* status = Name("status");
  PyObject* statusMessage = Name("status_message");
  PyObject* method = Name("method");
  PyObject* alternatives = Name("alternatives");
  PyObject* chi2 = Name("chi2");
  PyObject* p = Name("p");
  PyObject* c = Name("c");
  PyObject* r2 = Name("r2");
  PyObject* df = Name("df");
  PyObject* refined = Name("refined");
  PyObject* refinementIncomplete = Name("refinement_incomplete");
  PyObject* params = Name("params");
  PyObject* fixed = Name("fixed");
  PyObject* x = Name("x");
  PyObject* f = Name("f");
  PyObject* expected = Name("expected");
  PyObject* pooledInto = Name("pooled_into");
  PyObject* totalF = Name("total_f");
  PyObject* totalNp = Name("total_np");
  PyObject* methods = Name("methods");
  PyObject* error = Name("error");

  static PyObject* Name(const char* n) {
    PyObject* o = PyUnicode_InternFromString(n);
    if (o == nullptr) throw pyb::error_already_set();
    return o;
  }
};

const Feldnamen& Felder() {
  static const Feldnamen* k = new Feldnamen();
  return *k;
}

// Enters `wert` (a new reference, taken over; null for a failed conversion) under `feld`.
void Setzen(PyObject* d, PyObject* feld, PyObject* wert) {
  if (wert == nullptr) throw pyb::error_already_set();
  const int rc = PyDict_SetItem(d, feld, wert);
  Py_DECREF(wert);
  if (rc != 0) throw pyb::error_already_set();
}

void Setzen(PyObject* d, PyObject* feld, const pyb::handle& wert) {
  if (PyDict_SetItem(d, feld, wert.ptr()) != 0) throw pyb::error_already_set();
}

PyObject* Zahl(double v) {
  return PyFloat_FromDouble(v);
}
PyObject* Zahl(std::uint32_t v) {
  return PyLong_FromUnsignedLong(v);
}
PyObject* Wahrheit(bool v) {
  return PyBool_FromLong(v ? 1 : 0);
}

// The message of a status as a str, made once per code: every result carries one.
PyObject* Statusmeldung(Status st) {
  static std::array<PyObject*, status::kLast + 1> meldungen{};
  if (st > status::kLast) return pyb::str(StatusText(st)).release().ptr();
  PyObject*& m = meldungen[st];
  if (m == nullptr) m = pyb::str(StatusText(st)).release().ptr();
  Py_INCREF(m);
  return m;
}

// A one-dimensional numpy array of `n` elements of T, made through numpy's own constructor
// with a dtype made once.
template <class T>
pyb::array_t<T> Feld(pyb::ssize_t n) {
  static PyObject* typ = pyb::dtype::of<T>().release().ptr();
  auto& api = pyb::detail::npy_api::get();
  Py_INCREF(typ);  // taken over by the constructor
  Py_intptr_t laenge = n;
  PyObject* a =
      api.PyArray_NewFromDescr_(api.PyArray_Type_, typ, 1, &laenge, nullptr, nullptr, 0, nullptr);
  if (a == nullptr) throw pyb::error_already_set();
  return pyb::reinterpret_steal<pyb::array_t<T>>(a);
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

// An empty dict with room for `n` entries: a result's dict would grow three times on the way.
pyb::dict NeuesDict(pyb::ssize_t n) {
#if PY_VERSION_HEX < 0x030D0000
  PyObject* d = _PyDict_NewPresized(n);
#else
  static_cast<void>(n);
  PyObject* d = PyDict_New();
#endif
  if (d == nullptr) throw pyb::error_already_set();
  return pyb::reinterpret_steal<pyb::dict>(d);
}

// A parameter's name as a str, made once per name: the names of one member recur in every
// result of a batch.
PyObject* Parametername(const std::string& name) {
  static std::unordered_map<std::string, PyObject*> namen;
  auto [it, neu] = namen.try_emplace(name, nullptr);
  if (neu) {
    it->second = PyUnicode_FromStringAndSize(name.data(), static_cast<pyb::ssize_t>(name.size()));
    if (it->second == nullptr) {
      namen.erase(it);
      throw pyb::error_already_set();
    }
  }
  Py_INCREF(it->second);
  return it->second;
}

template <class Eintraege>
pyb::dict NamenUndWerte(const Eintraege& eintraege, std::uint32_t zahl) {
  pyb::dict d = NeuesDict(zahl);
  for (std::uint32_t k = 0; k < zahl; ++k) {
    pyb::object name = pyb::reinterpret_steal<pyb::object>(Parametername(eintraege[k].Bezeichnung));
    Setzen(d.ptr(), name.ptr(), Zahl(eintraege[k].Wert));
  }
  return d;
}

void Methodenwerte(const Methodenbericht& m, pyb::dict& d) {
  const Feldnamen& n = Felder();
  Setzen(d.ptr(), n.method, Zahl(m.ergebnis.Methode));
  Setzen(d.ptr(), n.alternatives, Zahl(m.ergebnis.Alternativen));
}

pyb::dict Methodenfelder(const Methodenbericht& m) {
  const Feldnamen& n = Felder();
  pyb::dict d = Figuren(m.ergebnis);
  Methodenwerte(m, d);
  Setzen(d.ptr(), n.params, m.mitParametern ? pyb::object(Parameter(m.parameter)) : pyb::none());
  Setzen(d.ptr(), n.fixed, m.mitParametern ? pyb::object(Festparameter(m.parameter)) : pyb::none());
  return d;
}

// A fit without a best method has no figures: NaN, 0 and empty parameters.
void OhneBeste(pyb::dict& d) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Feldnamen& n = Felder();
  Setzen(d.ptr(), n.method, Zahl(0u));
  Setzen(d.ptr(), n.alternatives, Zahl(0u));
  Setzen(d.ptr(), n.chi2, Zahl(nan));
  Setzen(d.ptr(), n.p, Zahl(nan));
  Setzen(d.ptr(), n.c, Zahl(nan));
  Setzen(d.ptr(), n.r2, Zahl(nan));
  Setzen(d.ptr(), n.df, Zahl(0u));
  Setzen(d.ptr(), n.refined, Wahrheit(false));
  Setzen(d.ptr(), n.refinementIncomplete, Wahrheit(false));
  Setzen(d.ptr(), n.params, pyb::dict());
  Setzen(d.ptr(), n.fixed, pyb::dict());
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
  return NamenUndWerte(p.Parameter, p.ParZahl);
}

pyb::dict Festparameter(const TVerteilungsparameter& p) {
  return NamenUndWerte(p.Festparameter, p.FestParZahl);
}

void Kennzahlen(const TAnpassung& a, pyb::dict& d) {
  const Feldnamen& n = Felder();
  Setzen(d.ptr(), n.chi2, Zahl(a.Chi));
  Setzen(d.ptr(), n.p, Zahl(a.PChi));
  Setzen(d.ptr(), n.c, Zahl(a.Kontingenz));
  Setzen(d.ptr(), n.r2, Zahl(a.R2));
  Setzen(d.ptr(), n.df, Zahl(a.FG));
  Setzen(d.ptr(), n.refined, Wahrheit(a.Verfeinert));
  Setzen(d.ptr(), n.refinementIncomplete, Wahrheit(a.VerfeinerungUnvollstaendig));
}

pyb::dict Figuren(const TAnpassung& a) {
  const Feldnamen& n = Felder();
  pyb::dict d = NeuesDict(13);
  Kennzahlen(a, d);
  Setzen(d.ptr(), n.status, Zahl(a.Status));
  Setzen(d.ptr(), n.statusMessage, Statusmeldung(a.Status));
  return d;
}

namespace {

// Kopf into a dict made with room for all of a FitResult's fields.
pyb::dict Kopf(const Datenbestand& d, const TKatalogeintrag& e, Status st, pyb::ssize_t platz) {
  const Feldnamen& n = Felder();
  pyb::dict aus = NeuesDict(platz);
  if (d.datei.empty())
    Setzen(aus.ptr(), n.file, pyb::none());
  else
    Setzen(aus.ptr(), n.file, pyb::str(d.datei));
  Setzen(aus.ptr(), n.index, Zahl(e.index));
  Setzen(aus.ptr(), n.name, pyb::str(e.bezeichnung));
  Setzen(aus.ptr(), n.status, Zahl(st));
  Setzen(aus.ptr(), n.statusMessage, Statusmeldung(st));
  return aus;
}

constexpr pyb::ssize_t kFitResultFelder = 24;

}  // namespace

pyb::dict Kopf(const Datenbestand& d, const TKatalogeintrag& e, Status st) {
  return Kopf(d, e, st, kFitResultFelder);
}

void KlassenEintragen(const std::vector<Klasse>& klassen, pyb::dict& aus) {
  const auto n = static_cast<pyb::ssize_t>(klassen.size());
  pyb::array_t<std::int64_t> x = Feld<std::int64_t>(n), gepoolt = Feld<std::int64_t>(n);
  pyb::array_t<double> f = Feld<double>(n), np = Feld<double>(n);
  std::int64_t* xs = x.mutable_data();
  std::int64_t* gs = gepoolt.mutable_data();
  double* fs = f.mutable_data();
  double* ns = np.mutable_data();
  for (std::size_t i = 0; i < klassen.size(); ++i) {
    const Klasse& k = klassen[i];
    xs[i] = k.x;
    fs[i] = k.f;
    ns[i] = k.np;
    gs[i] = k.gepooltIn;
  }
  const Feldnamen& namen = Felder();
  Setzen(aus.ptr(), namen.x, x);
  Setzen(aus.ptr(), namen.f, f);
  Setzen(aus.ptr(), namen.expected, np);
  Setzen(aus.ptr(), namen.pooledInto, gepoolt);
}

pyb::object FitResultBauen(const Datenbestand& d, const TKatalogeintrag& e, Status st,
                           const Anpassbericht& b) {
  return FitResultBauen(d, e, st, b, Klassenzeilen(b));
}

pyb::object FitResultBauen(const Datenbestand& d, const TKatalogeintrag& e, Status st,
                           const Anpassbericht& b, const std::vector<Klasse>& klassen) {
  const Feldnamen& n = Felder();
  pyb::dict aus = Kopf(d, e, st);
  if (b.hatBeste) {
    // The best method's figures under the result's own status.
    const Methodenbericht& m = b.beste;
    Kennzahlen(m.ergebnis, aus);
    Methodenwerte(m, aus);
    Setzen(aus.ptr(), n.params, m.mitParametern ? Parameter(m.parameter) : pyb::dict());
    Setzen(aus.ptr(), n.fixed, m.mitParametern ? Festparameter(m.parameter) : pyb::dict());
  } else {
    OhneBeste(aus);
  }
  KlassenEintragen(klassen, aus);
  Setzen(aus.ptr(), n.totalF, Zahl(b.summe.E));
  Setzen(aus.ptr(), n.totalNp, Zahl(b.summe.NP));
  pyb::list methoden(b.methoden.size());
  for (std::size_t i = 0; i < b.methoden.size(); ++i) {
    pyb::object r = Instanz(Paket().methodResult, Methodenfelder(b.methoden[i]));
    PyList_SET_ITEM(methoden.ptr(), static_cast<pyb::ssize_t>(i), r.release().ptr());
  }
  Setzen(aus.ptr(), n.methods, methoden);
  Setzen(aus.ptr(), n.error, pyb::none());
  return Instanz(Paket().fitResult, aus);
}

}  // namespace vk::py
