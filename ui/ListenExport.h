// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QTreeWidget;
class QWidget;

namespace vk::ui {

// A list as shown: the header's texts, then every row's cells in the order on the screen.
using Tabelle = QList<QStringList>;
Tabelle ListenTabelle(const QTreeWidget* liste);

// Comma-separated, every field quoted (quotes doubled), as the command line writes its CSV.
QString AlsCsv(const Tabelle& t);
// Tab-separated, for the clipboard: a spreadsheet pastes it into its columns. A tab or line break
// inside a cell would start a new cell or row there, so it becomes a blank.
QString AlsTabulatortext(const Tabelle& t);

// Writes `t` to `pfad` as CSV (UTF-8, through a temporary file); false when it cannot.
bool CsvSpeichern(const Tabelle& t, const QString& pfad);
void TabulatortextKopieren(const Tabelle& t);

// Gives `liste` a context menu with "Copy" (also Ctrl+C in the list) and "Save as CSV...",
// exporting what `tabelle` returns when chosen; the actions are named after the list with
// "Kopieren" and "Speichern" appended, and `vorschlag` is the file name offered.
void ExportAnbieten(QTreeWidget* liste, const QString& vorschlag, std::function<Tabelle()> tabelle);

// Where "Save as CSV..." writes: the file dialog, or in tests a replacement. It gets the parent
// and the offered file name and returns the path, empty for a cancel. An empty function restores
// the dialog; returns the previous replacement.
using Speicherortwahl = std::function<QString(QWidget* eltern, const QString& vorschlag)>;
Speicherortwahl SpeicherortwahlSetzen(Speicherortwahl wahl);

}  // namespace vk::ui
