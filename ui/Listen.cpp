// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Listen.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "ui/Zahlenfeld.h"

namespace vk::ui {

void SpaltenartSetzen(QTreeWidget* liste, int spalte, Spaltenart art) {
  liste->headerItem()->setData(spalte, kSpaltenartRolle, static_cast<int>(art));
}

Spaltenart SpaltenartVon(const QTreeWidget* liste, int spalte) {
  return static_cast<Spaltenart>(liste->headerItem()->data(spalte, kSpaltenartRolle).toInt());
}

int TextVergleich(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return a.isEmpty() == b.isEmpty() ? 0 : (a.isEmpty() ? 1 : -1);
  const auto gross = [](char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
  };
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t x = gross(a[i].unicode()), y = gross(b[i].unicode());
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void SpalteSortieren(QTreeWidget* liste, int spalte, int& gemerkt) {
  const Spaltenart art = SpaltenartVon(liste, spalte);
  const bool zweiterKlick = spalte == gemerkt;
  // First click: P(X²) and R² best first, everything else ascending; the second click reverses.
  bool absteigend = art == Spaltenart::kZahlAbsteigend || art == Spaltenart::kPChi;
  if (zweiterKlick) absteigend = !absteigend;
  gemerkt = zweiterKlick ? -1 : spalte;

  std::vector<QTreeWidgetItem*> zeilen;
  while (liste->topLevelItemCount() > 0) zeilen.push_back(liste->takeTopLevelItem(0));
  if (art == Spaltenart::kText) {
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
      const int v = TextVergleich(a->text(spalte), b->text(spalte));
      return absteigend ? v > 0 : v < 0;
    });
  } else {
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
      const double x = ZahlAusText(a->text(spalte)), y = ZahlAusText(b->text(spalte));
      return absteigend ? x > y : x < y;
    });
  }
  for (QTreeWidgetItem* z : zeilen) liste->addTopLevelItem(z);
  liste->header()->setSortIndicatorShown(true);
  liste->header()->setSortIndicator(spalte, absteigend ? Qt::DescendingOrder : Qt::AscendingOrder);
  if (liste->topLevelItemCount() > 0) liste->scrollToItem(liste->topLevelItem(0));
}

namespace {

// A cell too narrow for its text shows it elided; the whole text is then its tooltip.
class Volltextdelegat : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  bool helpEvent(QHelpEvent* e, QAbstractItemView* ansicht, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (e->type() == QEvent::ToolTip && index.data(Qt::ToolTipRole).isNull()) {
      const QString text = index.data(Qt::DisplayRole).toString();
      if (Abgeschnitten(ansicht, option, text)) {
        QToolTip::showText(e->globalPos(), text, ansicht->viewport(), option.rect);
        return true;
      }
    }
    return QStyledItemDelegate::helpEvent(e, ansicht, option, index);
  }
};

class Gitterdelegat : public Volltextdelegat {
 public:
  using Volltextdelegat::Volltextdelegat;
  void paint(QPainter* maler, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(maler, option, index);
    maler->save();
    maler->setPen(QColor(0xD0, 0xD0, 0xD0));
    maler->drawLine(option.rect.topRight(), option.rect.bottomRight());
    maler->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    maler->restore();
  }
};

}  // namespace

bool Abgeschnitten(const QAbstractItemView* ansicht, const QStyleOptionViewItem& option,
                   const QString& text) {
  return ansicht->fontMetrics().horizontalAdvance(text) >
         option.rect.width() - 2 * Zellenrand(ansicht);
}

int Zellenrand(const QWidget* ansicht) {
  // What the style keeps free on either side of a cell's text.
  return ansicht->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ansicht) + 1;
}

void GitterlinienZeichnen(QTreeWidget* liste) {
  liste->setItemDelegate(new Gitterdelegat(liste));
}

void VolltextHinweise(QTreeWidget* liste) {
  liste->setItemDelegate(new Volltextdelegat(liste));
}

namespace {

void Einpassen(QTreeWidget* liste, const QTreeWidgetItem* nurZeile, int von, int bis) {
  const QFontMetrics fm = liste->fontMetrics();
  const QFontMetrics kopf = liste->header()->fontMetrics();
  const int rand = 2 * Zellenrand(liste) + 2;
  for (int s = von; s <= bis && s < liste->columnCount(); ++s) {
    // The header's text plus room for the sort indicator, and every cell.
    int breite = kopf.horizontalAdvance(liste->headerItem()->text(s)) + rand + 16;
    if (nurZeile != nullptr) {
      breite = std::max(breite, fm.horizontalAdvance(nurZeile->text(s)) + rand);
    } else {
      for (int i = 0; i < liste->topLevelItemCount(); ++i)
        breite = std::max(breite, fm.horizontalAdvance(liste->topLevelItem(i)->text(s)) + rand);
    }
    liste->setColumnWidth(s, std::max(breite, liste->columnWidth(s)));
  }
}

}  // namespace

void SpaltenEinpassen(QTreeWidget* liste, int von, int bis) {
  Einpassen(liste, nullptr, von, bis);
}

void ZeileEinpassen(QTreeWidget* liste, const QTreeWidgetItem* zeile, int von, int bis) {
  Einpassen(liste, zeile, von, bis);
}

QColor FarbePChi(double p) {
  if (p >= 0.05) return kGruen;
  if (p >= 0.01) return kGelb;
  return kRot;
}

QColor FarbeKontingenz(double c) {
  if (c <= 0.01) return kGruen;
  if (c <= 0.015) return kGelb;
  return kRot;
}

void ZeileFaerben(QTreeWidgetItem* zeile) {
  const QTreeWidget* liste = zeile->treeWidget();
  if (liste == nullptr) return;
  for (int s = 0; s < liste->columnCount(); ++s) {
    const Spaltenart art = SpaltenartVon(liste, s);
    if (art == Spaltenart::kPChi)
      zeile->setBackground(s, FarbePChi(ZahlAusText(zeile->text(s))));
    else if (art == Spaltenart::kKontingenz)
      zeile->setBackground(s, FarbeKontingenz(ZahlAusText(zeile->text(s))));
  }
}

}  // namespace vk::ui
