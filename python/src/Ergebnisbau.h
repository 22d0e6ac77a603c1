// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pybind11/pybind11.h>

#include <vector>

#include "catalog/Defs.h"
#include "catalog/Katalogeintrag.h"
#include "fitting/Ergebnis.h"
#include "python/src/Bericht.h"
#include "python/src/Datenbestand.h"
#include "python/src/Fehler.h"

namespace vk::py {

// The package's result and exception classes, handed over by __init__.py at import and let go
// before the interpreter ends.
void PaketklassenSetzen(pybind11::object fitResult, pybind11::object methodResult,
                        pybind11::object fehler, pybind11::object aufruf);
void PaketklassenFreigeben();

// The exception a Fehler becomes at the module's edge: KalibraError (KalibraUsageError for a
// usage error) with its code and message; none before the package handed its classes over.
pybind11::object FehlerObjekt(const Fehler& f);

// A number that is not finite reads as None, as the command line writes it as null.
pybind11::object ZahlOderNone(double v);
pybind11::dict Parameter(const TVerteilungsparameter& p);
pybind11::dict Festparameter(const TVerteilungsparameter& p);
// The figures of one method: chi2, p, c, r2, df, refined and refinement_incomplete; Figuren adds
// the method's status and status_message.
void Kennzahlen(const TAnpassung& a, pybind11::dict& d);
pybind11::dict Figuren(const TAnpassung& a);
// file, index, name, status and status_message of a result.
pybind11::dict Kopf(const Datenbestand& d, const TKatalogeintrag& e, Status st);
// The class table as the numpy arrays x, f, expected and pooled_into.
void KlassenEintragen(const std::vector<Klasse>& klassen, pybind11::dict& aus);

// The package's FitResult of the fit of `e` on `d` that reported `b` and ended with `st`, made
// here field by field (its __init__ is not run): a batch makes thousands of them while the
// next data sets are fitted, and Python code per result would leave the workers waiting.
pybind11::object FitResultBauen(const Datenbestand& d, const TKatalogeintrag& e, Status st,
                                const Anpassbericht& b);
// The same with the class rows of `b` made beforehand, as a batch's workers make them without
// the interpreter's lock.
pybind11::object FitResultBauen(const Datenbestand& d, const TKatalogeintrag& e, Status st,
                                const Anpassbericht& b, const std::vector<Klasse>& klassen);

}  // namespace vk::py
