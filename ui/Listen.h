// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>
#include <QTreeWidgetItem>
#include <memory>

#include "catalog/Defs.h"
#include "core/Datensatz.h"
#include "fitting/Ergebnis.h"

class QAbstractItemView;
class QStyleOptionViewItem;
class QTreeWidget;

namespace vk::ui {

// The distribution carried by a combo item or an automatic row.
struct TListObj {
  TVerteilung Verteilung;
};

// What a batch row keeps of its file after the next file has been read: the classes with their
// expected frequencies, the statistics, the best fit and its parameters.
struct TBatchObj {
  explicit TBatchObj(TVerteilung v) : Verteilung(std::move(v)) {}
  TVerteilung Verteilung;
  TDaten Daten{};
  TDateneigenschaften Dateneigenschaften{};
  TAnpassung Anpassung{};
  TVerteilungsparameter VerteilParameter{};
};

// A row of the automatic list; it owns its object, which goes with the row.
class AutomatikZeile : public QTreeWidgetItem {
 public:
  explicit AutomatikZeile(TVerteilung v) : obj{std::move(v)} {}
  TListObj obj;
};

// A row of the batch list; the object (about 640 kB of classes) lives on the heap with the row.
class BatchZeile : public QTreeWidgetItem {
 public:
  explicit BatchZeile(std::unique_ptr<TBatchObj> o) : obj(std::move(o)) {}
  std::unique_ptr<TBatchObj> obj;
  bool mitNP = false;  // the file's fit succeeded: its classes hold its expected frequencies
};

// How a column of a result list sorts on its first click; stored in the header item so that a
// column is known by its content, not by its position.
enum class Spaltenart { kText = 0, kZahl = 1, kZahlAbsteigend = 2, kPChi = 3, kKontingenz = 4 };
inline constexpr int kSpaltenartRolle = Qt::UserRole + 1;

void SpaltenartSetzen(QTreeWidget* liste, int spalte, Spaltenart art);
Spaltenart SpaltenartVon(const QTreeWidget* liste, int spalte);

// Case-insensitive for a-z only, other characters by their codes; an empty text comes last.
int TextVergleich(const QString& a, const QString& b);

// One click on column `spalte`: sorts the list and updates `gemerkt` (the column sorted by last,
// -1 for none; a second click on it reverses the order and forgets it).
void SpalteSortieren(QTreeWidget* liste, int spalte, int& gemerkt);

inline const QColor kGruen{0xA8, 0xFF, 0xA8};
inline const QColor kGelb{0xFF, 0xFF, 0xA8};
inline const QColor kRot{0xFF, 0xA8, 0xA8};

// The shade of a class that X² counted pooled into another one (data list rows, chart bars), and
// the role of a data list row that holds the index of that class.
inline const QColor kGepooltZeile{0xFF, 0xE6, 0xB8};
inline const QColor kGepooltF{0xF2, 0xC2, 0x6E};
inline const QColor kGepooltNP{0xC8, 0x8E, 0x2E};
inline constexpr int kGepooltRolle = Qt::UserRole + 2;

QColor FarbePChi(double p);
QColor FarbeKontingenz(double c);
// Draws the grid lines of a report list (a style sheet would hide the cell colours); a cell whose
// text is cut off gets the whole text as its tooltip.
void GitterlinienZeichnen(QTreeWidget* liste);
// Only the tooltips, for lists without grid lines.
void VolltextHinweise(QTreeWidget* liste);
// Widens columns `von`..`bis` (never narrows them) to their header and every cell's text.
void SpaltenEinpassen(QTreeWidget* liste, int von, int bis);
// The same for the texts of one row only (a row just added).
void ZeileEinpassen(QTreeWidget* liste, const QTreeWidgetItem* zeile, int von, int bis);
// Whether `text` is elided in a cell of `option.rect`; the room a cell's text leaves free.
bool Abgeschnitten(const QAbstractItemView* ansicht, const QStyleOptionViewItem& option,
                   const QString& text);
int Zellenrand(const QWidget* ansicht);

// Colours the "P(X²)" and "C" cells of a row from the numbers they show.
void ZeileFaerben(QTreeWidgetItem* zeile);

}  // namespace vk::ui

Q_DECLARE_METATYPE(vk::ui::TListObj)
