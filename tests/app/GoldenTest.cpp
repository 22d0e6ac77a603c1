// SPDX-License-Identifier: GPL-3.0-or-later
// The command line against the outputs recorded by tools/golden.sh (tests/golden/): a change
// that is meant to keep every number must leave every recorded case as it was, to the byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/KalibraProcess.h"

namespace vk::test {
namespace {

struct Fall {
  QString name;  // <data>/<case>, the recorded output being tests/golden/<name>.json
  int exitCode = 0;
  QStringList args;
};

std::vector<Fall> Faelle() {
  std::vector<Fall> faelle;
  QFile datei(QString(VK_GOLDEN_DIR) + "/cases.tsv");
  if (!datei.open(QIODevice::ReadOnly | QIODevice::Text)) return faelle;
  QTextStream in(&datei);
  while (!in.atEnd()) {
    const QStringList spalten = in.readLine().split('\t');
    if (spalten.size() != 3) continue;
    faelle.push_back({spalten[0], spalten[1].toInt(), spalten[2].split(' ', Qt::SkipEmptyParts)});
  }
  return faelle;
}

// Where two outputs part: the path of the first value that differs, for the failure message.
QString Abweichung(const QJsonValue& a, const QJsonValue& b, const QString& pfad) {
  if (a.type() != b.type()) return pfad + " (type)";
  if (a.isObject()) {
    const QJsonObject oa = a.toObject(), ob = b.toObject();
    if (oa.keys() != ob.keys()) return pfad + " (keys)";
    for (const QString& k : oa.keys()) {
      const QString d = Abweichung(oa[k], ob[k], pfad + "." + k);
      if (!d.isEmpty()) return d;
    }
    return {};
  }
  if (a.isArray()) {
    const QJsonArray xa = a.toArray(), xb = b.toArray();
    if (xa.size() != xb.size()) return pfad + " (length)";
    for (qsizetype i = 0; i < xa.size(); ++i) {
      const QString d = Abweichung(xa[i], xb[i], pfad + "[" + QString::number(i) + "]");
      if (!d.isEmpty()) return d;
    }
    return {};
  }
  if (a != b) {
    return pfad + ": " +
           QString::fromUtf8(QJsonDocument(QJsonArray{a}).toJson(QJsonDocument::Compact)) +
           " now " + QString::fromUtf8(QJsonDocument(QJsonArray{b}).toJson(QJsonDocument::Compact));
  }
  return {};
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputIsAsRecorded) {
  int geprueft = 0;
  for (const Fall& f : Faelle()) {
    if (!f.name.startsWith(QString::fromStdString(GetParam()) + "/")) continue;
    ++geprueft;
    SCOPED_TRACE(f.name.toStdString() + ": kalibra " + f.args.join(' ').toStdString());
    QFile erwartet(QString(VK_GOLDEN_DIR) + "/" + f.name + ".json");
    ASSERT_TRUE(erwartet.open(QIODevice::ReadOnly));
    const QByteArray soll = erwartet.readAll();
    const KalibraOutcome r = RunKalibra(f.args, VK_SOURCE_DIR);
    EXPECT_EQ(r.exitCode, f.exitCode);
    if (r.out == soll) continue;
    const QString wo = Abweichung(QJsonDocument::fromJson(soll).object(),
                                  QJsonDocument::fromJson(r.out).object(), "");
    ADD_FAILURE() << "output differs at "
                  << (wo.isEmpty() ? QString("(layout)") : wo).toStdString();
  }
  EXPECT_GT(geprueft, 0) << "no recorded case for " << GetParam();
}

// One test per sample file, so that ctest runs them side by side.
std::vector<std::string> Dateien() {
  std::set<std::string> stamm;
  for (const Fall& f : Faelle()) stamm.insert(f.name.section('/', 0, 0).toStdString());
  return {stamm.begin(), stamm.end()};
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, Golden, ::testing::ValuesIn(Dateien()),
                         [](const ::testing::TestParamInfo<std::string>& i) {
                           std::string name = i.param;
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

}  // namespace
}  // namespace vk::test
