// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <clocale>
#include <string>

#include <cstdio>

#include "catalog/VerzeichnisLaden.h"
#include "fitting/KatalogPruefung.h"
#include "ui/FrmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Tessaro");
  QApplication::setApplicationName("Vostra-Kalibra");
  QApplication::setApplicationDisplayName("Vostra Kalibra");
  QApplication::setApplicationVersion(VK_VERSION);
  QApplication::setWindowIcon(QIcon(":/icons/vostra-kalibra.svg"));
  // QApplication adopts the user's locale; every number here is written with ".".
  std::setlocale(LC_NUMERIC, "C");

  QCommandLineParser argumente;
  argumente.setApplicationDescription("Fits discrete distributions to counted data.");
  argumente.addHelpOption();
  argumente.addVersionOption();
  argumente.addPositionalArgument("FILE", "Input data files to open, as the open dialog would.",
                                  "[FILE...]");
  argumente.process(app);

  // The catalog comes first: without it there is nothing to fit, and the program does not start.
  vk::Verteilungsverzeichnis katalog;
  std::string meldung, hinweis;
  const std::filesystem::path programm =
      QDir(QApplication::applicationDirPath()).filesystemAbsolutePath();
  const vk::Status geladen = vk::KatalogLaden(programm, katalog, meldung, hinweis);
  if (!hinweis.empty()) std::fprintf(stderr, "vostra-kalibra: %s\n", hinweis.c_str());
  if (geladen != vk::status::kOk) {
    QMessageBox::critical(nullptr, "Vostra Kalibra",
                          "The distribution catalog could not be read; the program cannot "
                          "start.\n\n" +
                              QString::fromStdString(meldung));
    return 1;
  }

  vk::ui::TFrmMain fenster(katalog);
  fenster.show();
  QStringList dateien = argumente.positionalArguments();
  if (!dateien.isEmpty()) fenster.StartdateienOeffnen(dateien);
  return QApplication::exec();
}
