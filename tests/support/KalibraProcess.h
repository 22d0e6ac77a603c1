// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vk::test {

struct KalibraOutcome {
  int exitCode = -1;
  QByteArray out;
  QString err;
};

// Runs the kalibra executable as a user would: in `cwd` when given, under `locale`, and with a
// settings store of its own, so that saved settings of the person running the tests cannot
// change the results.
inline KalibraOutcome RunKalibra(const QStringList& args, const QString& cwd = {},
                                 const QString& locale = "C.UTF-8",
                                 const QString& exe = VK_KALIBRA_EXE) {
  QTemporaryDir config;
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", locale);
  env.insert("XDG_CONFIG_HOME", config.path());
  p.setProcessEnvironment(env);
  if (!cwd.isEmpty()) p.setWorkingDirectory(cwd);
  p.start(exe, args);
  EXPECT_TRUE(p.waitForFinished(120000)) << "kalibra " << args.join(' ').toStdString();
  return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

// A data file `name` with `inhalt` in `dir`; its path.
inline QString Datendatei(const QTemporaryDir& dir, const QString& name, const QByteArray& inhalt) {
  const QString pfad = dir.filePath(name);
  QFile datei(pfad);
  EXPECT_TRUE(datei.open(QIODevice::WriteOnly)) << pfad.toStdString();
  datei.write(inhalt);
  return pfad;
}

}  // namespace vk::test
