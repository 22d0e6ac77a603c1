// SPDX-License-Identifier: GPL-3.0-or-later
// The compiled half of the Python package vostra_kalibra: data sets, the catalog and the four
// fittings. The package's __init__.py gives it its Python face (result classes, batch, names).
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "python/src/Auftraege.h"
#include "python/src/Datenbestand.h"
#include "python/src/Ergebnisbau.h"
#include "python/src/Fehler.h"
#include "python/src/Sitzung.h"
#include "python/src/Stapel.h"

namespace pyb = pybind11;
using namespace vk;
using namespace vk::py;

namespace {

std::span<const double> Spanne(
    const pyb::array_t<double, pyb::array::c_style | pyb::array::forcecast>& a) {
  if (a.ndim() != 1) throw FalscherAufruf("x and f must be one-dimensional");
  return {a.data(), static_cast<std::size_t>(a.size())};
}

pyb::dict Statistik(const Datenbestand& d) {
  const TStatistik& s = d.daten->statistik;
  pyb::dict aus;
  aus["n"] = s.summe;
  aus["m1"] = s.m1;
  aus["m2"] = s.m2;
  aus["m3"] = s.m3;
  aus["m4"] = s.m4;
  aus["fm2"] = s.fm2;
  aus["fm3"] = s.fm3;
  aus["fm4"] = s.fm4;
  aus["m1x0"] = s.m1x0;
  aus["parity"] = s.paritaet;
  aus["parity_k"] = s.paritaetK;
  aus["skewness"] = s.schiefe;
  aus["excess"] = s.exzess;
  aus["ord_i"] = s.ord_i;
  aus["ord_s"] = s.ord_s;
  aus["entropy"] = s.entropie;
  aus["repeat_rate"] = s.wiederholungsrate;
  aus["last_class_index"] = s.n;
  aus["mode_group_index"] = s.ModusGruppenIndex;
  aus["quotient1"] = s.quotient[0];
  aus["quotient2"] = s.quotient[1];
  aus["quotient3"] = s.quotient[2];
  return aus;
}

pyb::list KatalogListe() {
  const Verteilungsverzeichnis& k = Katalog();
  pyb::list aus;
  for (std::uint32_t i = 0; i < kVerteilungsSlots; ++i) {
    const auto e = k.VerteilungHolen(i);
    if (!e) continue;
    pyb::list parameter, fest;
    for (std::uint32_t p = 0; p < e->parameterZahl; ++p)
      parameter.append(e->parameter[p].bezeichnung);
    for (std::uint32_t p = 0; p < e->festparameterZahl; ++p)
      fest.append(pyb::make_tuple(e->festparameter[p].bezeichnung, e->festparameter[p].bedingung,
                                  e->festparameter[p].beschreibung));
    pyb::dict z;
    z["index"] = e->index;
    z["name"] = e->bezeichnung;
    z["parameters"] = parameter;
    z["fixed_parameters"] = fest;
    z["automatic"] = e->automatik;
    z["special"] = e->spezial;
    z["methods"] = e->alternativen;
    z["groups"] = e->gruppen;
    aus.append(z);
  }
  return aus;
}

}  // namespace

PYBIND11_MODULE(_engine, m) {
  m.doc() = "The fitting engine of Vostra Kalibra (use the package vostra_kalibra).";

  pyb::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const Fehler& f) {
      const pyb::object fehler = FehlerObjekt(f);
      if (!fehler) throw;
      PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(fehler.ptr())), fehler.ptr());
    }
  });
  m.def("_set_classes", &PaketklassenSetzen, pyb::arg("fit_result"), pyb::arg("method_result"),
        pyb::arg("error"), pyb::arg("usage_error"));
  // The objects must die before the interpreter does.
  m.add_object("_cleanup", pyb::capsule([] { PaketklassenFreigeben(); }));

  m.def("load_catalog", &KatalogLaden, pyb::arg("path"));
  m.def("catalog", &KatalogListe);
  m.def("status_message", [](Status st) { return StatusText(st); });

  pyb::class_<Datenbestand>(m, "_Data")
      .def_property_readonly("file",
                             [](const Datenbestand& d) -> pyb::object {
                               if (d.datei.empty()) return pyb::none();
                               return pyb::str(d.datei);
                             })
      .def_property_readonly("n_classes", [](const Datenbestand& d) { return d.daten->x.size(); })
      .def("x",
           [](const Datenbestand& d) {
             const auto& x = d.daten->x;
             pyb::array_t<std::int64_t> a(static_cast<pyb::ssize_t>(x.size()));
             std::copy(x.begin(), x.end(), a.mutable_data());
             return a;
           })
      .def("f",
           [](const Datenbestand& d) {
             const auto& f = d.daten->f;
             pyb::array_t<double> a(static_cast<pyb::ssize_t>(f.size()));
             std::copy(f.begin(), f.end(), a.mutable_data());
             return a;
           })
      .def("stats", &Statistik);

  m.def(
      "read",
      [](const std::string& pfad) {
        pyb::gil_scoped_release frei;
        return DateiEinlesen(pfad);
      },
      pyb::arg("path"));
  m.def(
      "from_arrays",
      [](const pyb::array_t<double, pyb::array::c_style | pyb::array::forcecast>& x,
         const pyb::array_t<double, pyb::array::c_style | pyb::array::forcecast>& f) {
        return FelderEinlesen(Spanne(x), Spanne(f));
      },
      pyb::arg("x"), pyb::arg("f"));

  m.def("fit", &Anpassen, pyb::arg("data"), pyb::arg("index"), pyb::arg("fixed"),
        pyb::arg("all_methods"), pyb::arg("settings"));
  pyb::class_<Stapel>(m, "_Batch")
      .def(pyb::init<std::uint32_t, const Festvorgaben&, bool, const pyb::handle&, unsigned>(),
           pyb::arg("index"), pyb::arg("fixed"), pyb::arg("all_methods"), pyb::arg("settings"),
           pyb::arg("jobs"))
      .def("next", &Stapel::Weiter, pyb::arg("items"))
      .def_property_readonly("chunk_size", &Stapel::Teilgroesse)
      .def("close", &Stapel::Schliessen);
  m.def("evaluate", &Auswerten, pyb::arg("data"), pyb::arg("index"), pyb::arg("params"),
        pyb::arg("fixed"), pyb::arg("settings"));
  m.def("auto", &Automatik, pyb::arg("data"), pyb::arg("fixed"), pyb::arg("settings"));
  m.def(
      "special",
      [](const Datenbestand& d, std::array<double, 3> a, std::array<bool, 3> fest,
         std::optional<std::vector<double>> b1, std::optional<std::vector<double>> b2,
         unsigned threads, const pyb::handle& settings) {
        Spezialauftrag auftrag;
        for (std::size_t k = 0; k < 3; ++k) {
          auftrag.a[k] = a[k];
          auftrag.fest[k] = fest[k];
        }
        auftrag.b1 = std::move(b1);
        auftrag.b2 = std::move(b2);
        auftrag.threads = threads;
        return Spezial(d, auftrag, settings);
      },
      pyb::arg("data"), pyb::arg("a"), pyb::arg("fix"), pyb::arg("b1"), pyb::arg("b2"),
      pyb::arg("threads"), pyb::arg("settings"));
}
