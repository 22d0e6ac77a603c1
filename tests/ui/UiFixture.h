// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <ostream>

#include "catalog/Verteilungsverzeichnis.h"
#include "ui/FrmDiagramm.h"
#include "ui/FrmMain.h"

// Readable failure messages for Qt's strings.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
  return os << s.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '"' << l.join("\", \"").toStdString() << '"';
}

namespace vk::ui::test {

// The catalog entries of the members the library has (0, 6, 16, 205), with the shipped domain
// bits; the tests do not follow the shipped catalog as it grows. Hyper-Pascal is given group 2
// (data starting at 0 only) so that assisted selection has something to leave out.
// `festparameter`: the Binomial entry gets one fixed parameter with this condition code.
Verteilungsverzeichnis TestKatalog(const char* festparameter = nullptr);

// The sum of the NP column (column 2) of the data list, as shown.
double NPSumme(const QTreeWidget* daten);
// The values of bar set 0 (f) or 1 (NP) as the chart draws them.
QList<double> Balken(const TFrmDiagramm* d, int satz);
// The width a line edit leaves for its text, as QLineEdit lays it out: the contents rectangle of
// its style, less the text margins and the two pixels it keeps free on either side.
int Textplatz(const QLineEdit* feld);

// Every test gets a fresh settings store (a temporary directory) and records the warnings the
// window would show in boxes.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TFrmMain> Fenster(const Verteilungsverzeichnis& katalog);

  template <class T>
  T* Kind(const TFrmMain& f, const char* name) {
    T* w = f.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << "no child " << name;
    return w;
  }
  QString Text(const TFrmMain& f, const char* name);

  static QString Daten(const char* name);
  QString Schreiben(const char* name, const char* inhalt);

  // Runs `aktion` on the modal dialog as soon as one is open.
  static void BeiDialog(std::function<void(QWidget*)> aktion);
  // "Fit" on the current tab, and the event loop run until the fit has ended (fits run on a
  // worker, the window stays live meanwhile).
  static void Anpassen(TFrmMain& f);
  // Lets the event loop run until `bedingung` holds or `ms` have passed.
  static bool Warten(const std::function<bool()>& bedingung, int ms = 30000);
  static void Klicken(QTreeWidget* liste, QTreeWidgetItem* zeile, bool doppelt);
  static void KopfKlicken(QTreeWidget* liste, int spalte);

  QStringList warnungen;
  std::unique_ptr<QTemporaryDir> dateien;
};

}  // namespace vk::ui::test
