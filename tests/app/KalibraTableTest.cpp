// SPDX-License-Identifier: GPL-3.0-or-later
// A long table fits as its data sets would as files, its JSON Lines parse back, and its shards
// together are the whole run, each data set once.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <map>

#include "tests/support/KalibraProcess.h"

namespace {

using vk::test::KalibraOutcome;
using vk::test::RunKalibra;

QStringList Musterdateien() {
  QStringList d;
  for (const QString& n : QDir(VK_DATA_DIR).entryList({"*.dat"}, QDir::Files, QDir::Name))
    d << QString(VK_DATA_DIR) + "/" + n;
  return d;
}

// The sample files' classes as `kalibra stats` reads them, `kopien` times each under ids
// "<stem>-<k>", as one CSV table.
QByteArray Tabelle(int kopien) {
  QByteArray t = "id,x,f\n";
  for (const QString& datei : Musterdateien()) {
    const KalibraOutcome s = RunKalibra({"stats", datei, "--format", "json"});
    EXPECT_EQ(s.exitCode, 0) << s.err.toStdString();
    const QJsonArray klassen = QJsonDocument::fromJson(s.out).object()["classes"].toArray();
    for (int k = 0; k < kopien; ++k) {
      const QByteArray id = QFileInfo(datei).baseName().toUtf8() + "-" + QByteArray::number(k);
      for (const QJsonValue& c : klassen) {
        const QJsonObject o = c.toObject();
        t += id + "," + QByteArray::number(o["x"].toInt()) + "," +
             QByteArray::number(o["f"].toDouble(), 'g', 17) + "\n";
      }
    }
  }
  return t;
}

std::map<QString, QJsonObject> NachId(const QByteArray& jsonl) {
  std::map<QString, QJsonObject> m;
  for (const QByteArray& zeile : jsonl.split('\n')) {
    if (zeile.isEmpty()) continue;
    QJsonParseError e{};
    const QJsonObject o = QJsonDocument::fromJson(zeile, &e).object();
    EXPECT_EQ(e.error, QJsonParseError::NoError) << zeile.toStdString();
    EXPECT_TRUE(m.emplace(o["id"].toString(), o).second) << "twice: " << zeile.toStdString();
  }
  return m;
}

TEST(KalibraTable, ATableFitsAsItsFilesAndItsShardsMakeTheWholeRun) {
  QTemporaryDir dir;
  const QString tabelle = vk::test::Datendatei(dir, "korpus.csv", Tabelle(4));
  const QStringList fit = {"batch", "-d", "4", "--table", tabelle, "--format", "jsonl"};
  const KalibraOutcome ganz = RunKalibra(fit);
  ASSERT_EQ(ganz.exitCode, 0) << ganz.err.toStdString();
  const auto alle = NachId(ganz.out);
  ASSERT_EQ(alle.size(), static_cast<std::size_t>(Musterdateien().size() * 4));

  // The same fits from the files themselves: the same numbers to the last bit.
  KalibraOutcome dateien = RunKalibra(QStringList{"batch", "-d", "4", "--format", "json"} +
                                      Musterdateien());
  ASSERT_EQ(dateien.exitCode, 0) << dateien.err.toStdString();
  for (const QJsonValue& v : QJsonDocument::fromJson(dateien.out).object()["files"].toArray()) {
    const QJsonObject f = v.toObject();
    const QString id = QFileInfo(f["file"].toString()).baseName() + "-2";
    ASSERT_TRUE(alle.count(id)) << id.toStdString();
    for (const char* k : {"chiSquare", "p", "df", "parameters", "statistics", "status"})
      EXPECT_EQ(alle.at(id)[k], f[k]) << id.toStdString() << " " << k;
  }

  // Three shards: every id in exactly one, each line as in the whole run.
  std::map<QString, QJsonObject> vereint;
  for (int i = 1; i <= 3; ++i) {
    const KalibraOutcome teil = RunKalibra(fit + QStringList{"--shard", QString("%1/3").arg(i)});
    ASSERT_EQ(teil.exitCode, 0) << teil.err.toStdString();
    for (const auto& [id, o] : NachId(teil.out)) {
      EXPECT_TRUE(vereint.emplace(id, o).second) << id.toStdString() << " in two shards";
    }
  }
  EXPECT_EQ(vereint, alle);
}

// `auto --table --top 2` lists, per data set, the two best fitted members of `auto FILE --sort
// p`, and a bad data set is reported while the others go on (the exit status says some failed).
TEST(KalibraTable, AutoOverATableListsTheBestOfEachDataSet) {
  QTemporaryDir dir;
  const QByteArray gut = Tabelle(1);
  const QString tabelle = vk::test::Datendatei(
      dir, "korpus.csv", gut + "kaputt,0,1\nkaputt,1,zwei\n");
  const KalibraOutcome r = RunKalibra(
      {"auto", "--table", tabelle, "--top", "2", "--format", "jsonl", "--jobs", "2"});
  EXPECT_NE(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("id 'kaputt', line")) << r.err.toStdString();
  const auto m = NachId(r.out);
  ASSERT_EQ(m.size(), static_cast<std::size_t>(Musterdateien().size() + 1));
  EXPECT_EQ(m.at("kaputt")["status"].toInt(), 12);
  const QString datei = QString(VK_DATA_DIR) + "/horse-kicks.dat";
  const KalibraOutcome einzeln = RunKalibra({"auto", datei, "--sort", "p", "--format", "json"});
  const QJsonArray liste = QJsonDocument::fromJson(einzeln.out).object()["distributions"].toArray();
  const QJsonArray top = m.at("horse-kicks-0")["top"].toArray();
  ASSERT_EQ(top.size(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(top[i].toObject()["index"], liste[i].toObject()["index"]) << i;
    EXPECT_EQ(top[i].toObject()["chiSquare"], liste[i].toObject()["chiSquare"]) << i;
  }
}

}  // namespace
