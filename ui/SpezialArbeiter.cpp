// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SpezialArbeiter.h"

#include <vector>

#include "ui/FrmMain.h"

namespace vk::ui {

SpezialArbeiter::SpezialArbeiter(TFrmMain* fenster, Anpassungen& engine, TVerteilung verteilung,
                                 const Spezialvorgaben& vorgaben, const std::atomic<bool>& abbruch)
    : fenster_(fenster),
      engine_(engine),
      verteilung_(std::move(verteilung)),
      vorgaben_(vorgaben),
      abbruch_(abbruch) {}

void SpezialArbeiter::run() {
  TFrmMain* f = fenster_;
  const auto posten = [f](auto aufruf) {
    QMetaObject::invokeMethod(f, std::move(aufruf), Qt::QueuedConnection);
  };
  // The classes come one by one; the window gets them as one list with the closing record.
  std::vector<double> np;

  Rueckrufe r;
  r.abbruch = [this] { return abbruch_.load(); };
  r.weiter = [] { return true; };
  r.ergebnis = [&](const TAnpassung& a) {
    posten([f, a] { f->SpezialErgebnisAnzeigen(a); });
    return status::kOk;
  };
  r.parameter = [&](const TVerteilungsparameter& vp) {
    posten([f, vp] { f->SpezialParameterAnzeigen(vp); });
    return status::kOk;
  };
  r.klasse = [&](const TWerte& w) {
    if (w.Ergebnis) {
      posten([f, liste = std::move(np)] { f->SpezialKlassenAnzeigen(liste); });
      np.clear();
    } else {
      if (np.size() <= w.Idx) np.resize(w.Idx + 1, 0.0);
      np[w.Idx] = w.NP;
    }
    return status::kOk;
  };
  SpezialRueckrufe s;
  s.vorgaben = [this](Spezialvorgaben& v, std::uint32_t parZahl) {
    for (std::uint32_t k = 0; k < 5 && k < parZahl && k < v.size(); ++k) v[k] = vorgaben_[k];
    return status::kOk;
  };
  s.fortschritt = [&](PreflightEreignis ereignis, std::uint32_t anzahl) {
    switch (ereignis) {
      case PreflightEreignis::kStart:
        posten([f, anzahl] { f->SpezialMeldung(SpezialEreignis::kFortschrittStart, anzahl); });
        break;
      case PreflightEreignis::kZeile:
        posten([f] { f->SpezialMeldung(SpezialEreignis::kFortschrittSchritt, 0); });
        break;
      case PreflightEreignis::kEnde:
        posten([f] { f->SpezialMeldung(SpezialEreignis::kFortschrittEnde, 0); });
        break;
    }
    return abbruch_.load() ? status::kSkipAbortByUser : status::kOk;
  };
  const Status st = engine_.SpezielleAnpassung(verteilung_, r, s);
  posten([f, st] { f->SpezialMeldung(SpezialEreignis::kEnde, st); });
}

}  // namespace vk::ui
