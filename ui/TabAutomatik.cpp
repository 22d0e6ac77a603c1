// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TabAutomatik.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Status.h"
#include "ui/Arbeiter.h"
#include "ui/Fensterdienste.h"
#include "ui/Listen.h"
#include "ui/ListenExport.h"
#include "ui/TabBausteine.h"

namespace vk::ui {

namespace {
// Room for a name when the figures take almost the whole width.
constexpr int kMindestensName = 120;
// The catalog index after the figures: members whose long names share their beginning differ in
// it as in their name's end.
constexpr int kSpIndex = kSpR2 + 1;
}  // namespace

TabAutomatik::TabAutomatik(Fensterdienste& fenster, QWidget* eltern)
    : QWidget(eltern), fenster_(fenster) {
  setObjectName("TabShAutomatik");
  BtnAFAbbrechen = new QPushButton("Cancel", this);
  BtnAFAbbrechen->setObjectName("BtnAFAbbrechen");
  BtnAFAbbrechen->setEnabled(false);
  LVAFAutomatik = ErgebnisListe(this, "LVAFAutomatik");
  SpaltenAnlegen(LVAFAutomatik, {{"Distribution", 265, Spaltenart::kText},
                                 {"X²", 60, Spaltenart::kZahl},
                                 {"P(X²)", 60, Spaltenart::kPChi},
                                 {"C", 60, Spaltenart::kKontingenz},
                                 {"DF", 45, Spaltenart::kZahl},
                                 {"R²", 60, Spaltenart::kZahlAbsteigend},
                                 {"Index", 45, Spaltenart::kZahl}});
  // A name too long for its column keeps its beginning and its end, where the members of a
  // family differ ("First success without repl…(a - 1 failures)"), and shows whole as tooltip.
  LVAFAutomatik->setTextElideMode(Qt::ElideMiddle);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LVAFAutomatik, 1);
  auto* unten = new QHBoxLayout;
  unten->addStretch();
  unten->addWidget(BtnAFAbbrechen);
  layout->addLayout(unten);
  ExportAnbieten(LVAFAutomatik, "automatic-fitting.csv",
                 [this] { return ListenTabelle(LVAFAutomatik); });
  connect(BtnAFAbbrechen, &QPushButton::clicked, this, [this] { abbruch_ = true; });
  connect(LVAFAutomatik->header(), &QHeaderView::sectionClicked, this,
          [this](int s) { SpalteSortieren(LVAFAutomatik, s, sortiert_); });
  connect(LVAFAutomatik, &QTreeWidget::itemDoubleClicked, this, [this] { ZeileDoppelklick(); });
}

TabAutomatik::~TabAutomatik() {
  if (arbeiter_) {
    abbruch_ = true;
    arbeiter_->wait();
  }
}

void TabAutomatik::Leeren() {
  LVAFAutomatik->clear();
  sortiert_ = -1;
  LVAFAutomatik->header()->setSortIndicatorShown(false);
}

void TabAutomatik::ZustandAnpassung(bool laeuft) {
  BtnAFAbbrechen->setEnabled(laeuft);
}

void TabAutomatik::Starten() {
  if (arbeiter_) return;
  abbruch_ = false;
  Leeren();
  // An automatic fitting leaves no fit in the data list: what it showed belonged to another.
  fenster_.NPLeeren();
  fenster_.FortschrittStart(static_cast<int>(fenster_.Katalog().VerteilungenZaehlen().automatik));
  Anpassungen& engine = fenster_.Engine();
  arbeiter_ = std::make_unique<Arbeiter>([this, &engine] {
    Rueckrufe r;
    r.ergebnis = [this](const TAnpassung& a) {
      Posten(this, [this, a] { ErgebnisAnzeigen(a); });
      return status::kOk;
    };
    r.festparameter = [this](Festparameterfeld& f, std::uint32_t n) {
      return Erfragen(this, [this, &f, n] { return fenster_.FestparameterErfragen(f, n); });
    };
    r.abbruch = [this] { return abbruch_.load(); };
    engine.AutomatischeAnpassung(r);
    Posten(this, [this] { Beendet(); });
  });
  fenster_.AnpassungBeginnt();
  arbeiter_->start();
}

void TabAutomatik::ErgebnisAnzeigen(const TAnpassung& a) {
  fenster_.FortschrittSchritt();
  if (a.Status != status::kOk) return;
  auto* z = new AutomatikZeile(a.Verteilung);
  z->setText(0, QString::fromStdString(a.Verteilung.Bezeichnung));
  ErgebnisEintragen(z, a);
  z->setText(kSpIndex, QString::number(a.Verteilung.Index));
  for (int s = 1; s <= kSpIndex; ++s) z->setTextAlignment(s, kRechts);
  LVAFAutomatik->addTopLevelItem(z);
  ZeileFaerben(z);
  // The figures are in view whole as they come, not only once the run has ended.
  SpaltenVerteilen(z);
  LVAFAutomatik->scrollToItem(z);
}

void TabAutomatik::SpaltenVerteilen(const QTreeWidgetItem* neu) {
  // The figures are never cut off and all of them are in view; the name takes the room that
  // is left (a long one is elided and shows whole as its tooltip).
  if (neu != nullptr) {
    ZeileEinpassen(LVAFAutomatik, neu, kSpChi, kSpIndex);
  } else {
    SpaltenEinpassen(LVAFAutomatik, kSpChi, kSpIndex);
  }
  int zahlen = 0;
  for (int s = kSpChi; s <= kSpIndex; ++s) zahlen += LVAFAutomatik->columnWidth(s);
  const int rest = LVAFAutomatik->viewport()->width() - zahlen;
  LVAFAutomatik->setColumnWidth(0, std::max(rest, kMindestensName));
}

void TabAutomatik::Beendet() {
  arbeiter_->wait();
  arbeiter_.reset();
  fenster_.FortschrittEnde();
  SpaltenVerteilen(nullptr);
  fenster_.AnpassungEndet();
}

void TabAutomatik::ZeileDoppelklick() {
  if (fenster_.InAnpassung()) return;
  auto* z = dynamic_cast<AutomatikZeile*>(LVAFAutomatik->currentItem());
  if (z == nullptr || !z->isSelected()) return;
  fenster_.AufAnpassenTabAnpassen(QString::fromStdString(z->obj.Verteilung.Bezeichnung));
}

}  // namespace vk::ui
