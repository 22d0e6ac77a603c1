// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TabSpezial.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/Status.h"
#include "ui/Arbeiter.h"
#include "ui/Fensterdienste.h"
#include "ui/Meldungen.h"
#include "ui/TabBausteine.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

TabSpezial::TabSpezial(Fensterdienste& fenster, QWidget* eltern)
    : QWidget(eltern), fenster_(fenster) {
  setObjectName("TabShSpezial");
  QWidget* tab = this;
  CBSFVerteilung = new QComboBox(tab);
  CBSFVerteilung->setObjectName("CBSFVerteilung");
  LVSFParameter = ParameterListe(tab, "LVSFParameter");
  EdSFErgebnis = ErgebnisFeld(tab, "EdSFErgebnis");
  NumEdSFChi2 = Feld(tab, "NumEdSFChi2", 4);
  NumEdSFPChi2 = Feld(tab, "NumEdSFPChi2", 4);
  NumEdSFFG = Feld(tab, "NumEdSFFG", 0);
  NumEdSFKontingenz = Feld(tab, "NumEdSFKontingenz", 4);
  NumEdSFDetKoeff = Feld(tab, "NumEdSFDetKoeff", 4);
  BtnSFAbbrechen = new QPushButton("Cancel", tab);
  BtnSFAbbrechen->setObjectName("BtnSFAbbrechen");
  BtnSFAbbrechen->setEnabled(false);

  auto* preflight = new QGroupBox("Preflight", tab);
  auto* pr = new QGridLayout(preflight);
  pr->setSpacing(2);
  pr->setContentsMargins(4, 2, 4, 2);
  const auto eingabe = [&](const char* name, const char* hinweis) {
    TNumEdit* f = Feld(preflight, name, 8, false);
    f->SetzeHinweis(hinweis);
    return f;
  };
  NumEdSFb1Start = eingabe("NumEdSFb1Start", "Start value");
  NumEdSFb1Stop = eingabe("NumEdSFb1Stop", "Stop value");
  NumEdSFb1Delta = eingabe("NumEdSFb1Delta", "Delta");
  NumEdSFb2Start = eingabe("NumEdSFb2Start", "Start value");
  NumEdSFb2Stop = eingabe("NumEdSFb2Stop", "Stop value");
  NumEdSFb2Delta = eingabe("NumEdSFb2Delta", "Delta");
  NumEdSFb1Delta->SetzeNurPositiv(true);
  NumEdSFb2Delta->SetzeNurPositiv(true);
  BtnSFb1Default = new QPushButton("Default", preflight);
  BtnSFb1Default->setObjectName("BtnSFb1Default");
  BtnSFb2Default = new QPushButton("Default", preflight);
  BtnSFb2Default->setObjectName("BtnSFb2Default");
  NumEdSFa0 = eingabe("NumEdSFa0", "Start value");
  NumEdSFa1 = eingabe("NumEdSFa1", "Start value");
  NumEdSFa2 = eingabe("NumEdSFa2", "Start value");
  const auto haken = [&](const char* name, const char* text) {
    auto* c = new QCheckBox(text, preflight);
    c->setObjectName(name);
    return c;
  };
  CBSFa0 = haken("CBSFa0", "a0");
  CBSFa1 = haken("CBSFa1", "a1");
  CBSFa2 = haken("CBSFa2", "a2");
  CBSFb1 = haken("CBSFb1", "b1");
  CBSFb2 = haken("CBSFb2", "b2");
  CBSFb1->hide();
  CBSFb2->hide();
  // Each column of the grid is captioned once; the rows are named by their parameter.
  const char* spalten[] = {"Start", "Stop", "Delta"};
  const std::array<std::array<TNumEdit*, 3>, 2> bereich = {
      {{NumEdSFb1Start, NumEdSFb1Stop, NumEdSFb1Delta},
       {NumEdSFb2Start, NumEdSFb2Stop, NumEdSFb2Delta}}};
  for (int s = 0; s < 3; ++s) {
    auto* kopf = new QLabel(spalten[s], preflight);
    kopf->setObjectName(QStringLiteral("LblSF") + spalten[s]);
    kopf->setAlignment(Qt::AlignCenter);
    kopf->setBuddy(bereich[0][static_cast<std::size_t>(s)]);
    pr->addWidget(kopf, 0, s + 1);
  }
  QPushButton* vorgabe[] = {BtnSFb1Default, BtnSFb2Default};
  for (int p = 0; p < 2; ++p) {
    const QString name = p == 0 ? QStringLiteral("b1") : QStringLiteral("b2");
    auto* zeile = new QLabel(name, preflight);
    zeile->setBuddy(bereich[static_cast<std::size_t>(p)][0]);
    pr->addWidget(zeile, p + 1, 0);
    for (int s = 0; s < 3; ++s) {
      TNumEdit* feld = bereich[static_cast<std::size_t>(p)][static_cast<std::size_t>(s)];
      feld->setAccessibleName(name + " " + QString(spalten[s]).toLower());
      pr->addWidget(feld, p + 1, s + 1);
    }
    pr->addWidget(vorgabe[p], p + 1, 4);
  }
  // The three coefficients side by side, each box before its value, on one row of their own.
  auto* koeffizienten = new QHBoxLayout;
  for (auto [kasten, feld] :
       {std::pair{CBSFa0, NumEdSFa0}, std::pair{CBSFa1, NumEdSFa1}, std::pair{CBSFa2, NumEdSFa2}}) {
    koeffizienten->addWidget(kasten);
    koeffizienten->addWidget(feld, 1);
  }
  pr->addLayout(koeffizienten, 3, 0, 1, 5);

  auto* werte = new QGridLayout;
  werte->addWidget(new QLabel("Result", tab), 0, 0);
  werte->addWidget(EdSFErgebnis, 0, 1, 1, 3);
  werte->addWidget(new QLabel("X²", tab), 1, 0);
  werte->addWidget(NumEdSFChi2, 1, 1);
  werte->addWidget(new QLabel("P(X²)", tab), 1, 2);
  werte->addWidget(NumEdSFPChi2, 1, 3);
  werte->addWidget(new QLabel("DF", tab), 2, 0);
  werte->addWidget(NumEdSFFG, 2, 1);
  werte->addWidget(new QLabel("C", tab), 2, 2);
  werte->addWidget(NumEdSFKontingenz, 2, 3);
  werte->addWidget(new QLabel("R²", tab), 3, 0);
  werte->addWidget(NumEdSFDetKoeff, 3, 1);
  werte->addWidget(BtnSFAbbrechen, 3, 3);

  auto* raster = new QGridLayout(tab);
  raster->addWidget(new QLabel("Distribution", tab), 0, 0);
  raster->addWidget(CBSFVerteilung, 0, 1);
  raster->addWidget(new QLabel("Parameters", tab), 1, 0, Qt::AlignTop);
  raster->addWidget(LVSFParameter, 1, 1);
  raster->addLayout(werte, 0, 2, 2, 1);
  raster->addWidget(preflight, 2, 0, 1, 3);
  raster->setColumnStretch(1, 1);
  raster->setColumnStretch(2, 2);

  connect(BtnSFAbbrechen, &QPushButton::clicked, this, [this] { abbruch_ = true; });
  connect(BtnSFb1Default, &QPushButton::clicked, this, [this] { PreflightVorgaben(3); });
  connect(BtnSFb2Default, &QPushButton::clicked, this, [this] { PreflightVorgaben(4); });
}

TabSpezial::~TabSpezial() {
  if (arbeiter_) {
    abbruch_ = true;
    arbeiter_->wait();
  }
}

void TabSpezial::AuswahlFuellen() {
  CBSFVerteilung->clear();
  fenster_.Katalog().VerteilungenAuflisten(
      false, fenster_.Engine().Daten(), [this](const TVerteilung& v) {
        if (v.spezial)
          CBSFVerteilung->addItem(QString::fromStdString(v.Bezeichnung),
                                  QVariant::fromValue(TListObj{v}));
        return status::kOk;
      });
  CBSFVerteilung->model()->sort(0);
  CBSFVerteilung->setCurrentIndex(CBSFVerteilung->count() > 0 ? 0 : -1);
}

void TabSpezial::AnzeigeLeeren() {
  LVSFParameter->clear();
  NumEdSFFG->SetzeWert(0);
  NumEdSFChi2->SetzeWert(0);
  NumEdSFPChi2->SetzeWert(0);
  NumEdSFKontingenz->SetzeWert(0);
  NumEdSFDetKoeff->SetzeWert(0);
  ErgebnisSetzen(EdSFErgebnis, QString());
}

void TabSpezial::Leeren() {
  AnzeigeLeeren();
  NumEdSFa0->SetzeWert(0);
  NumEdSFa1->SetzeWert(0);
  NumEdSFa2->SetzeWert(0);
}

void TabSpezial::ZustandAnpassung(bool laeuft) {
  CBSFVerteilung->setEnabled(!laeuft);
  BtnSFb1Default->setEnabled(!laeuft);
  BtnSFb2Default->setEnabled(!laeuft);
  BtnSFAbbrechen->setEnabled(laeuft);
}

void TabSpezial::DatenGeaendert(int n) {
  n_ = n;
  PreflightVorgaben(3);
  PreflightVorgaben(4);
}

void TabSpezial::PreflightVorgaben(int parameter) {
  const double n = n_;
  TNumEdit* start = parameter == 3 ? NumEdSFb1Start : NumEdSFb2Start;
  TNumEdit* stop = parameter == 3 ? NumEdSFb1Stop : NumEdSFb2Stop;
  TNumEdit* delta = parameter == 3 ? NumEdSFb1Delta : NumEdSFb2Delta;
  start->SetzeWert(-n);
  stop->SetzeWert(n);
  delta->SetzeWert(2 * n / 100);
}

QString TabSpezial::Verteilungsname() const {
  return CBSFVerteilung->currentText();
}

Spezialvorgaben TabSpezial::VorgabenLesen() const {
  Spezialvorgaben v{};
  const QCheckBox* fest[] = {CBSFa0, CBSFa1, CBSFa2, CBSFb1, CBSFb2};
  const TNumEdit* start[] = {NumEdSFa0, NumEdSFa1, NumEdSFa2, NumEdSFb1Start, NumEdSFb2Start};
  for (int k = 0; k < 5; ++k) {
    v[static_cast<std::size_t>(k)].Fest = fest[k]->isChecked();
    if (fest[k]->isChecked()) v[static_cast<std::size_t>(k)].Wert = start[k]->Wert();
  }
  v[3].Start = NumEdSFb1Start->Wert();
  v[3].Stop = NumEdSFb1Stop->Wert();
  v[3].Delta = NumEdSFb1Delta->Wert();
  v[4].Start = NumEdSFb2Start->Wert();
  v[4].Stop = NumEdSFb2Stop->Wert();
  v[4].Delta = NumEdSFb2Delta->Wert();
  return v;
}

void TabSpezial::Starten() {
  if (CBSFVerteilung->currentIndex() < 0 || arbeiter_) {
    QApplication::beep();
    return;
  }
  besteZusatz_.clear();
  // A grid that cannot end (a step that does not move its value, or too many points) is refused
  // before anything starts.
  const Spezialvorgaben vorgaben = VorgabenLesen();
  for (std::size_t k : {3u, 4u}) {
    if (const std::string grund = PreflightBereichPruefen(vorgaben[k]); !grund.empty()) {
      Warnung(this, QString("Preflight range of %1: %2")
                        .arg(k == 3 ? "b1" : "b2", QString::fromStdString(grund)));
      return;
    }
  }
  abbruch_ = false;
  AnzeigeLeeren();
  fenster_.NPLeeren();
  vorgaben_ = vorgaben;
  // The values a0..a2 the user entered are kept, so a ticked coefficient is held at the value
  // shown.
  Anpassungen& engine = fenster_.Engine();
  const TVerteilung verteilung = Gewaehlt(CBSFVerteilung);
  const QString name = CBSFVerteilung->currentText();
  arbeiter_ = std::make_unique<Arbeiter>([this, &engine, verteilung, vorgaben, name] {
    Klassenpuffer puffer;
    Rueckrufe r;
    r.abbruch = [this] { return abbruch_.load(); };
    r.weiter = [] { return true; };
    r.ergebnis = [this, &puffer](const TAnpassung& a) {
      puffer.ergebnisOk = a.Status == status::kOk;
      Posten(this, [this, a] { ErgebnisAnzeigen(a); });
      return status::kOk;
    };
    r.parameter = [this](const TVerteilungsparameter& vp) {
      Posten(this, [this, vp] { ParameterAnzeigen(vp); });
      return status::kOk;
    };
    r.klasse = KlassenFuerDatenliste(this, fenster_, puffer, name);
    SpezialRueckrufe s;
    s.vorgaben = [vorgaben](Spezialvorgaben& v, std::uint32_t parZahl) {
      for (std::uint32_t k = 0; k < 5 && k < parZahl && k < v.size(); ++k) v[k] = vorgaben[k];
      return status::kOk;
    };
    s.fortschritt = [this](PreflightEreignis ereignis, std::uint32_t anzahl) {
      switch (ereignis) {
        case PreflightEreignis::kStart:
          Posten(this, [this, anzahl] {
            fenster_.FortschrittStart(static_cast<int>(std::min<std::uint32_t>(anzahl, INT32_MAX)));
          });
          break;
        case PreflightEreignis::kZeile:
          Posten(this, [this] { fenster_.FortschrittSchritt(); });
          break;
        case PreflightEreignis::kEnde:
          Posten(this, [this] { fenster_.FortschrittEnde(); });
          break;
      }
      return abbruch_.load() ? status::kSkipAbortByUser : status::kOk;
    };
    const Status st = engine.SpezielleAnpassung(verteilung, r, s);
    Posten(this, [this, st] { Beendet(st); });
  });
  fenster_.AnpassungBeginnt();
  arbeiter_->start();
}

void TabSpezial::ParameterAnzeigen(const TVerteilungsparameter& vp) {
  for (std::uint32_t k = 0; k < vp.ParZahl && k < kMaxParameter; ++k)
    ParameterZeile(LVSFParameter, vp.Parameter[k].Bezeichnung, vp.Parameter[k].Wert,
                   k < 5 && vorgaben_[k].Fest);
}

void TabSpezial::ErgebnisAnzeigen(const TAnpassung& a) {
  if (a.Status != status::kOk) return;
  if (a.BesteMethode) besteZusatz_ = VerfeinertZusatz(a);
  NumEdSFFG->SetzeWert(a.FG);
  NumEdSFChi2->SetzeWert(a.Chi);
  NumEdSFPChi2->SetzeWert(a.PChi);
  NumEdSFKontingenz->SetzeWert(a.Kontingenz);
  NumEdSFDetKoeff->SetzeWert(a.R2);
}

void TabSpezial::Beendet(Status st) {
  arbeiter_->wait();
  arbeiter_.reset();
  if (st != status::kOk) {
    AnzeigeLeeren();
    fenster_.NPLeeren();
  }
  ErgebnisSetzen(EdSFErgebnis, QString::fromStdString(StatusText(st)) +
                                   (st == status::kOk ? besteZusatz_ : QString()));
  fenster_.AnpassungEndet();
}

}  // namespace vk::ui
