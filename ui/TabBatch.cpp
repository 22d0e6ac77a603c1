// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TabBatch.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/DatenDatei.h"
#include "core/Status.h"
#include "ui/Arbeiter.h"
#include "ui/Fensterdienste.h"
#include "ui/Listen.h"
#include "ui/ListenExport.h"
#include "ui/Meldungen.h"
#include "ui/TabBausteine.h"
#include "ui/Zahlenfeld.h"

namespace vk::ui {

namespace {

// The columns after the parameters, in this order: the file's sample size and last x, the fit's
// NP of the first class, then the file's statistics.
enum Nachspalte { kSpN, kSpXMax, kSpNP1, kSpStatistik };

struct Statistikspalte {
  Spalte spalte;
  double TDateneigenschaften::*wert;
};

const Spalte kNachParametern[] = {
    {"N", 45, Spaltenart::kZahl}, {"x-max", 45, Spaltenart::kZahl}, {"NP1", 60, Spaltenart::kZahl}};

const Statistikspalte kStatistik[] = {
    {{"m1", 60, Spaltenart::kZahl}, &TDateneigenschaften::m1},
    {{"m2", 60, Spaltenart::kZahl}, &TDateneigenschaften::m2},
    {{"m3", 60, Spaltenart::kZahl}, &TDateneigenschaften::m3},
    {{"m4", 60, Spaltenart::kZahl}, &TDateneigenschaften::m4},
    {{"Ord I", 60, Spaltenart::kZahl}, &TDateneigenschaften::ord_i},
    {{"Ord S", 60, Spaltenart::kZahl}, &TDateneigenschaften::ord_s},
    {{"Skewness", 60, Spaltenart::kZahl}, &TDateneigenschaften::schiefe},
    {{"Excess", 60, Spaltenart::kZahl}, &TDateneigenschaften::exzess},
    {{"Entropy", 60, Spaltenart::kZahl}, &TDateneigenschaften::entropie},
    {{"Rep. rate", 60, Spaltenart::kZahl}, &TDateneigenschaften::wiederholungsrate}};

}  // namespace

TabBatch::TabBatch(Fensterdienste& fenster, QWidget* eltern) : QWidget(eltern), fenster_(fenster) {
  setObjectName("TabShBatch");
  BtnBFAbbrechen = new QPushButton("Cancel", this);
  BtnBFAbbrechen->setObjectName("BtnBFAbbrechen");
  BtnBFAbbrechen->setEnabled(false);
  CBBFVerteilung = new QComboBox(this);
  CBBFVerteilung->setObjectName("CBBFVerteilung");
  LVBFBatch = ErgebnisListe(this, "LVBFBatch");
  LVBFBatch->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  LVBFBatch->header()->setStretchLastSection(false);
  auto* oben = new QHBoxLayout;
  oben->addWidget(new QLabel("Distribution", this));
  oben->addWidget(CBBFVerteilung, 1);
  oben->addWidget(BtnBFAbbrechen);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(oben);
  layout->addWidget(LVBFBatch, 1);

  ExportAnbieten(LVBFBatch, "batch-fitting.csv", [this] { return ListenTabelle(LVBFBatch); });
  connect(BtnBFAbbrechen, &QPushButton::clicked, this, [this] { abbruch_ = true; });
  connect(CBBFVerteilung, &QComboBox::currentIndexChanged, this, [this] { SpaltenBauen(); });
  connect(LVBFBatch->header(), &QHeaderView::sectionClicked, this,
          [this](int s) { SpalteSortieren(LVBFBatch, s, sortiert_); });
  connect(LVBFBatch, &QTreeWidget::itemClicked, this, [this] { ZeileGewaehlt(); });
  connect(LVBFBatch, &QTreeWidget::itemDoubleClicked, this, [this] { ZeileDoppelklick(); });
}

TabBatch::~TabBatch() {
  if (arbeiter_) {
    abbruch_ = true;
    arbeiter_->wait();
  }
}

void TabBatch::AuswahlFuellen() {
  CBBFVerteilung->blockSignals(true);
  CBBFVerteilung->clear();
  fenster_.Katalog().VerteilungenAuflisten(
      false, fenster_.Engine().Daten(), [this](const TVerteilung& v) {
        if (!v.spezial)
          CBBFVerteilung->addItem(QString::fromStdString(v.Bezeichnung),
                                  QVariant::fromValue(TListObj{v}));
        return status::kOk;
      });
  CBBFVerteilung->model()->sort(0);
  CBBFVerteilung->setCurrentIndex(CBBFVerteilung->count() > 0 ? 0 : -1);
  CBBFVerteilung->blockSignals(false);
  SpaltenBauen();
}

void TabBatch::Leeren() {
  LVBFBatch->clear();
  sortiert_ = -1;
  LVBFBatch->header()->setSortIndicatorShown(false);
}

void TabBatch::ZustandAnpassung(bool laeuft) {
  CBBFVerteilung->setEnabled(!laeuft);
  BtnBFAbbrechen->setEnabled(laeuft);
}

QString TabBatch::Verteilungsname() const {
  return CBBFVerteilung->currentText();
}

int TabBatch::ParameterSpalte(int k) const {
  return kSpR2 + 1 + k;
}

int TabBatch::NachParametern(int spalte) const {
  return ParameterSpalte(parameterSpalten_) + spalte;
}

void TabBatch::SpaltenBauen() {
  Leeren();
  std::vector<Spalte> spalten = {
      {"Input data", 265, Spaltenart::kText}, {"X²", 60, Spaltenart::kZahl},
      {"P(X²)", 60, Spaltenart::kPChi},       {"C", 60, Spaltenart::kKontingenz},
      {"DF", 45, Spaltenart::kZahl},          {"R²", 60, Spaltenart::kZahlAbsteigend}};
  // The names must outlive SpaltenAnlegen; the parameter columns follow "R²".
  std::vector<std::string> namen;
  TVerteilungsparameter vp;
  if (CBBFVerteilung->currentIndex() >= 0 &&
      fenster_.Katalog().VerteilungsparameterHolen(Gewaehlt(CBBFVerteilung), vp) == status::kOk) {
    for (std::uint32_t k = 0; k < vp.ParZahl; ++k) namen.push_back(vp.Parameter[k].Bezeichnung);
    for (std::uint32_t k = 0; k < vp.FestParZahl; ++k)
      namen.push_back(vp.Festparameter[k].Bezeichnung);
  }
  for (const std::string& n : namen) spalten.push_back({n.c_str(), 60, Spaltenart::kZahl});
  spalten.insert(spalten.end(), std::begin(kNachParametern), std::end(kNachParametern));
  for (const Statistikspalte& st : kStatistik) spalten.push_back(st.spalte);
  parameterSpalten_ = static_cast<int>(namen.size());
  SpaltenAnlegen(LVBFBatch, spalten);
  sortiert_ = -1;
  LVBFBatch->header()->setSortIndicatorShown(false);
}

void TabBatch::Starten() {
  if (CBBFVerteilung->currentIndex() < 0 || arbeiter_) {
    QApplication::beep();
    return;
  }
  abbruch_ = false;
  Leeren();
  const QStringList dateien = fenster_.Eingabedateien();
  fenster_.FortschrittStart(static_cast<int>(dateien.size()));
  Anpassungen& engine = fenster_.Engine();
  const TVerteilung verteilung = Gewaehlt(CBBFVerteilung);
  arbeiter_ = std::make_unique<Arbeiter>([this, &engine, verteilung, dateien] {
    for (const QString& pfad : dateien) {
      if (abbruch_) break;
      Posten(this, [this] { fenster_.FortschrittSchritt(); });
      TDateneigenschaften eig;
      std::string detail;
      const Status gelesen = DateiLesen(pfad.toStdString(), engine.DatenZumLesen(), eig, detail);
      if (gelesen != status::kOk) {
        // The batch goes on with the next file once the user has seen why this one is left out.
        const QString text = LesefehlerMitDetail(pfad.toStdString(), gelesen, detail);
        Erfragen(this, [this, text] {
          fenster_.Warnen(text);
          return true;
        });
        continue;
      }
      auto obj = std::make_unique<TBatchObj>(verteilung);
      const TDatensatz& d = engine.Daten();
      for (std::uint32_t i = 0; i <= d.Statistik.n; ++i)
        obj->Daten[i] = TWerte{d.Haeufigkeiten[i], 0.0, d.XWerte[i], i, false};
      obj->Dateneigenschaften = eig;
      // The window shows the file under way: its statistics and classes, copied, since the
      // row's own go on being filled here.
      auto anzeige = std::make_shared<TDaten>(obj->Daten);
      Posten(this, [this, pfad, eig, anzeige] { fenster_.DatensatzAnzeigen(pfad, eig, *anzeige); });

      bool mitErgebnis = false;
      Rueckrufe r;
      r.festparameter = [this](Festparameterfeld& f, std::uint32_t n) {
        return Erfragen(this, [this, &f, n] { return fenster_.FestparameterErfragen(f, n); });
      };
      r.abbruch = [this] { return abbruch_.load(); };
      r.weiter = [] { return true; };
      r.klasse = [&obj](const TWerte& w) {
        if (!w.Ergebnis && w.Idx <= kMaxKlassenIndex) {
          obj->Daten[w.Idx].NP = w.NP;
          obj->Daten[w.Idx].GepooltIn = w.GepooltIn;
        }
        return status::kOk;
      };
      r.ergebnis = [&obj, &mitErgebnis](const TAnpassung& a) {
        if (a.BesteMethode && a.Status == status::kOk) {
          obj->Anpassung = a;
          mitErgebnis = true;
        }
        return status::kOk;
      };
      r.parameter = [&obj](const TVerteilungsparameter& vp) {
        obj->VerteilParameter = vp;
        return status::kOk;
      };
      const Status st = engine.GewaehlteAnpassung(verteilung, true, r);
      auto fertig = std::make_shared<std::unique_ptr<TBatchObj>>(std::move(obj));
      Posten(this, [this, pfad, fertig, st, mitErgebnis] {
        ZeileHinzufuegen(pfad, std::move(*fertig), st, mitErgebnis);
      });
    }
    Posten(this, [this] { Beendet(); });
  });
  fenster_.AnpassungBeginnt();
  arbeiter_->start();
}

void TabBatch::ZeileHinzufuegen(const QString& pfad, std::unique_ptr<TBatchObj> obj, Status st,
                                bool mitErgebnis) {
  const int spalten = LVBFBatch->columnCount();
  const int n = NachParametern(kSpN), xMax = NachParametern(kSpXMax);
  auto* z = new BatchZeile(std::move(obj));
  z->mitNP = mitErgebnis;
  const TBatchObj& o = *z->obj;
  z->setText(0, pfad);
  for (int s = 1; s < spalten; ++s) {
    const bool ganz = s == kSpFG || s == n || s == xMax;
    z->setText(s, s == kSpChi ? "0.00" : (ganz ? "0" : "0.0000"));
    z->setTextAlignment(s, kRechts);
  }
  // The parameters of the last method tried, as the fit reported them, then the fixed ones.
  int k = 0;
  const TVerteilungsparameter& vp = o.VerteilParameter;
  for (std::uint32_t j = 0; j < vp.ParZahl && j < kMaxParameter && k < parameterSpalten_; ++j)
    z->setText(ParameterSpalte(k++), FestOderSignifikant(vp.Parameter[j].Wert, 4));
  for (std::uint32_t j = 0; j < vp.FestParZahl && j < kMaxFestparameter && k < parameterSpalten_;
       ++j)
    z->setText(ParameterSpalte(k++), FestOderSignifikant(vp.Festparameter[j].Wert, 4));
  if (mitErgebnis) {
    ErgebnisEintragen(z, o.Anpassung);
    const TDateneigenschaften& e = o.Dateneigenschaften;
    z->setText(n, QString::number(e.tot));
    z->setText(xMax, QString::number(o.Daten[static_cast<std::size_t>(std::max(e.n, 0))].X));
    z->setText(NachParametern(kSpNP1), FestOderSignifikant(o.Daten[0].NP, 4));
    int s = NachParametern(kSpStatistik);
    for (const Statistikspalte& sp : kStatistik) z->setText(s++, Fest(e.*sp.wert, 4));
  }
  LVBFBatch->addTopLevelItem(z);
  if (st != status::kOk) {
    // The placeholders are no result: the row says why it has none, and nothing is coloured.
    z->setText(kSpChi, QString::fromStdString(StatusText(st)));
  } else {
    ZeileFaerben(z);
  }
  LVBFBatch->scrollToItem(z);
}

void TabBatch::Beendet() {
  arbeiter_->wait();
  arbeiter_.reset();
  fenster_.FortschrittEnde();
  SpaltenEinpassen(LVBFBatch, 0, LVBFBatch->columnCount() - 1);
  fenster_.AnpassungEndet();
  // The engine now holds the last file read: the input list, the data list and the chart show
  // that file with its fit, as if its row had been selected.
  if (const int zeilen = LVBFBatch->topLevelItemCount(); zeilen > 0) {
    LVBFBatch->setCurrentItem(LVBFBatch->topLevelItem(zeilen - 1));
    ZeileGewaehlt();
  }
}

void TabBatch::ZeileGewaehlt() {
  if (fenster_.InAnpassung()) return;
  auto* z = dynamic_cast<BatchZeile*>(LVBFBatch->currentItem());
  if (z == nullptr || !fenster_.DateiAnzeigen(z->text(0))) return;
  // A row without a fit leaves the file's NP column at "0.00".
  if (!z->mitNP) return;
  const std::int32_t n = std::max(z->obj->Dateneigenschaften.n, 0);
  for (std::int32_t i = 0; i <= n && i <= static_cast<std::int32_t>(kMaxKlassenIndex); ++i) {
    const TWerte& w = z->obj->Daten[static_cast<std::size_t>(i)];
    fenster_.NPZeigen(static_cast<std::uint32_t>(i), w.NP, w.GepooltIn);
  }
  fenster_.NPGehoertZu(QString::fromStdString(z->obj->Verteilung.Bezeichnung));
}

void TabBatch::ZeileDoppelklick() {
  if (fenster_.InAnpassung()) return;
  auto* z = dynamic_cast<BatchZeile*>(LVBFBatch->currentItem());
  if (z == nullptr || !z->isSelected()) return;
  ZeileGewaehlt();
  fenster_.AufAnpassenTabAnpassen(QString::fromStdString(z->obj->Verteilung.Bezeichnung));
}

}  // namespace vk::ui
