// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the kalibra executable as a user would and checks what it prints and returns.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/KalibraProcess.h"
#include "tests/support/Tolerance.h"

namespace {

using vk::test::Datendatei;
using vk::test::KalibraOutcome;

KalibraOutcome Kalibra(const QStringList& args, const QString& locale = "C.UTF-8") {
  return vk::test::RunKalibra(args, {}, locale);
}

QString Data(const char* name) {
  return QString(VK_DATA_DIR) + "/" + name;
}

TEST(KalibraStats, JsonAgreesWithTheHorseKickTable) {
  const KalibraOutcome r = Kalibra({"stats", Data("horse-kicks.dat"), "--format", "json"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject root = QJsonDocument::fromJson(r.out).object();
  const QJsonObject s = root["statistics"].toObject();
  // Bortkiewicz: 109, 65, 22, 3, 1 deaths 0..4; sum x f = 122, sum x^2 f = 196.
  EXPECT_EQ(s["N"].toDouble(), 200);
  EXPECT_TRUE(vk::test::Near(s["m1"].toDouble(), 0.61, vk::test::kTight));
  EXPECT_TRUE(vk::test::Near(s["m2"].toDouble(), 0.98 - 0.61 * 0.61, vk::test::kTight));
  EXPECT_TRUE(vk::test::Near(s["ordI"].toDouble(), (0.98 - 0.61 * 0.61) / 0.61, vk::test::kTight));
  EXPECT_EQ(s["lastClassIndex"].toInt(), 4);
  EXPECT_EQ(s["modeGroupIndex"].toInt(), 1);
  const QJsonArray classes = root["classes"].toArray();
  ASSERT_EQ(classes.size(), 5);
  EXPECT_EQ(classes[4].toObject()["x"].toInt(), 4);
  EXPECT_EQ(classes[4].toObject()["f"].toDouble(), 1);
}

TEST(KalibraStats, TextUsesAPointEvenInACommaLocale) {
  const KalibraOutcome r = Kalibra({"stats", Data("horse-kicks.dat")}, "de_DE.UTF-8");
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("0.6100")) << r.out.toStdString();
  EXPECT_FALSE(r.out.contains("0,6100"));
}

TEST(KalibraStats, CsvListsTheFilledGap) {
  const KalibraOutcome r = Kalibra({"stats", Data("alpha-particles.dat"), "--format", "csv"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("\"N\",\"2608\"")) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains("\"12\",\"0\"\n\"13\",\"1\""));
}

TEST(KalibraStats, FailedReadNamesFileAndLineAndReturnsTheStatus) {
  QTemporaryDir dir;
  const QString path = Datendatei(dir, "bad.dat", "1 2\n2 3\n2 4\n");
  const KalibraOutcome r = Kalibra({"stats", path});
  EXPECT_EQ(r.exitCode, 9);
  EXPECT_TRUE(r.err.startsWith("Error encountered while scanning input data (" + path +
                               "); debug info: Error in data"))
      << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("line 3"));
  EXPECT_TRUE(r.out.isEmpty());
}

TEST(KalibraStats, MissingFileIsAnException) {
  const KalibraOutcome r = Kalibra({"stats", "/nonexistent/file.dat"});
  EXPECT_EQ(r.exitCode, 12);
  EXPECT_TRUE(r.err.contains("debug info: Exception"));
  EXPECT_TRUE(r.err.contains("cannot open"));
}

TEST(Kalibra, UsageErrorsExitWith64) {
  EXPECT_EQ(Kalibra({}).exitCode, 64);
  EXPECT_EQ(Kalibra({"nonsense"}).exitCode, 64);
  EXPECT_EQ(Kalibra({"stats"}).exitCode, 64);
  EXPECT_EQ(Kalibra({"stats", Data("horse-kicks.dat"), "--format", "xml"}).exitCode, 64);
  EXPECT_EQ(Kalibra({"stats", "--bogus"}).exitCode, 64);
}

TEST(Kalibra, HelpAndVersion) {
  const KalibraOutcome help = Kalibra({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("stats FILE"));
  const KalibraOutcome version = Kalibra({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith("kalibra " VK_VERSION_TEXT)) << version.out.toStdString();
}

}  // namespace
