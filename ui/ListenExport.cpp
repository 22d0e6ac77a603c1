// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListenExport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QSaveFile>
#include <QTreeWidget>
#include <utility>

#include "ui/Meldungen.h"

namespace vk::ui {

namespace {

Speicherortwahl& Wahl() {
  static Speicherortwahl wahl;
  return wahl;
}

QString Speicherort(QWidget* eltern, const QString& vorschlag) {
  if (Wahl()) return Wahl()(eltern, vorschlag);
  QString pfad = QFileDialog::getSaveFileName(eltern, "Save as CSV", vorschlag, "CSV file (*.csv)");
  if (!pfad.isEmpty() && !pfad.endsWith(".csv", Qt::CaseInsensitive)) pfad += ".csv";
  return pfad;
}

QString Zeilen(const Tabelle& t, QChar trenner, const std::function<QString(QString)>& feld) {
  QString text;
  for (const QStringList& zeile : t) {
    for (qsizetype i = 0; i < zeile.size(); ++i) {
      if (i > 0) text += trenner;
      text += feld(zeile[i]);
    }
    text += '\n';
  }
  return text;
}

}  // namespace

Tabelle ListenTabelle(const QTreeWidget* liste) {
  Tabelle t;
  const int spalten = liste->columnCount();
  QStringList kopf;
  for (int s = 0; s < spalten; ++s) kopf << liste->headerItem()->text(s);
  t << kopf;
  for (int i = 0; i < liste->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* z = liste->topLevelItem(i);
    QStringList zeile;
    for (int s = 0; s < spalten; ++s) zeile << z->text(s);
    t << zeile;
  }
  return t;
}

QString AlsCsv(const Tabelle& t) {
  return Zeilen(t, ',', [](QString f) { return '"' + f.replace('"', "\"\"") + '"'; });
}

QString AlsTabulatortext(const Tabelle& t) {
  return Zeilen(t, '\t', [](QString f) {
    for (QChar& c : f)
      if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return f;
  });
}

bool CsvSpeichern(const Tabelle& t, const QString& pfad) {
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return false;
  const QByteArray inhalt = AlsCsv(t).toUtf8();
  if (datei.write(inhalt) != inhalt.size()) return false;
  return datei.commit();
}

void TabulatortextKopieren(const Tabelle& t) {
  QApplication::clipboard()->setText(AlsTabulatortext(t));
}

void ExportAnbieten(QTreeWidget* liste, const QString& vorschlag,
                    std::function<Tabelle()> tabelle) {
  const QString name = liste->objectName();
  auto* kopieren = new QAction("Copy", liste);
  kopieren->setObjectName(name + "Kopieren");
  kopieren->setToolTip("copy the list to the clipboard as tab-separated text");
  kopieren->setShortcut(QKeySequence::Copy);
  kopieren->setShortcutContext(Qt::WidgetShortcut);
  auto* speichern = new QAction("Save as CSV...", liste);
  speichern->setObjectName(name + "Speichern");
  liste->addAction(kopieren);
  liste->addAction(speichern);
  liste->setContextMenuPolicy(Qt::ActionsContextMenu);
  QObject::connect(kopieren, &QAction::triggered, liste,
                   [tabelle] { TabulatortextKopieren(tabelle()); });
  QObject::connect(speichern, &QAction::triggered, liste, [liste, vorschlag, tabelle] {
    const QString pfad = Speicherort(liste->window(), vorschlag);
    if (pfad.isEmpty()) return;
    if (!CsvSpeichern(tabelle(), pfad))
      Warnung(liste->window(), "The list could not be written to " + pfad);
  });
}

Speicherortwahl SpeicherortwahlSetzen(Speicherortwahl wahl) {
  return std::exchange(Wahl(), std::move(wahl));
}

}  // namespace vk::ui
