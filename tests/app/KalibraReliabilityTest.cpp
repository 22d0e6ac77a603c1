// SPDX-License-Identifier: GPL-3.0-or-later
// The executable where the world around it fails: output that cannot be written, data that
// arrives in pieces, Ctrl-C at any moment.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "tests/support/KalibraProcess.h"

namespace {

QString Data(const char* name) {
  return QString(VK_DATA_DIR) + "/" + name;
}

// The process set up as RunKalibra sets it up, but left to the test to drive.
void Vorbereiten(QProcess& p, const QTemporaryDir& config) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C.UTF-8");
  env.insert("XDG_CONFIG_HOME", config.path());
  p.setProcessEnvironment(env);
}

struct Schreibfall {
  const char* name;
  QStringList args;
};

class FullDisk : public ::testing::TestWithParam<Schreibfall> {};

// /dev/full takes nothing: every command must say so and fail, never report success.
TEST_P(FullDisk, AFailedWriteIsAnErrorWithItsReason) {
  QTemporaryDir config;
  QProcess p;
  Vorbereiten(p, config);
  p.setStandardOutputFile("/dev/full");
  p.start(VK_KALIBRA_EXE, GetParam().args);
  ASSERT_TRUE(p.waitForFinished(120000));
  EXPECT_EQ(p.exitCode(), 74);
  const QString err = QString::fromUtf8(p.readAllStandardError());
  EXPECT_TRUE(err.contains("cannot write the output")) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kalibra, FullDisk,
    ::testing::Values(
        Schreibfall{"StatsJson", {"stats", Data("horse-kicks.dat"), "--format", "json"}},
        Schreibfall{"StatsText", {"stats", Data("alpha-particles.dat")}},
        Schreibfall{"FitCsv", {"fit", Data("horse-kicks.dat"), "-d", "Poisson", "--format", "csv"}},
        Schreibfall{"BatchJson",
                    {"batch", "-d", "Poisson", Data("horse-kicks.dat"), Data("alpha-particles.dat"),
                     "--format", "json"}},
        Schreibfall{"ListText", {"list"}}, Schreibfall{"Help", {"--help"}}),
    [](const auto& i) { return std::string(i.param.name); });

// A reader that leaves (`| head`) ends the program quietly: no message, killed by SIGPIPE as
// Unix tools are, or an exit without complaint.
TEST(Kalibra, AClosedPipeEndsQuietly) {
  int rohr[2];
  ASSERT_EQ(::pipe(rohr), 0);
  ::close(rohr[0]);
  const pid_t kind = ::fork();
  ASSERT_GE(kind, 0);
  if (kind == 0) {
    ::dup2(rohr[1], STDOUT_FILENO);
    const int leer = ::open("/dev/null", O_WRONLY);
    ::dup2(leer, STDERR_FILENO);
    ::execl(VK_KALIBRA_EXE, VK_KALIBRA_EXE, "list", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(rohr[1]);
  int st = 0;
  ASSERT_EQ(::waitpid(kind, &st, 0), kind);
  const bool stillBeendet = (WIFSIGNALED(st) && WTERMSIG(st) == SIGPIPE) ||
                            (WIFEXITED(st) && WEXITSTATUS(st) == 128 + SIGPIPE);
  EXPECT_TRUE(stillBeendet) << st;
}

// The horse-kick table at x = 10..14, its "1" delivered alone before the rest.
TEST(Kalibra, APipeThatDeliversOneByteFirstReadsAsTheFile) {
  QTemporaryDir config;
  QProcess p;
  Vorbereiten(p, config);
  p.start(VK_KALIBRA_EXE, {"stats", "/dev/stdin", "--format", "csv"});
  ASSERT_TRUE(p.waitForStarted());
  p.write("1");
  p.waitForBytesWritten();
  QThread::msleep(300);
  p.write("0 109\n11 65\n12 22\n13 3\n14 1\n");
  p.closeWriteChannel();
  ASSERT_TRUE(p.waitForFinished(30000));
  EXPECT_EQ(p.exitCode(), 0);
  const QByteArray out = p.readAllStandardOutput();
  EXPECT_TRUE(out.contains("\"x\",\"f\"\n\"10\",\"109\"\n\"11\",\"65\"")) << out.toStdString();
  EXPECT_FALSE(out.contains("\"0\",\"109\"")) << out.toStdString();
}

// Whether process `pid` catches SIGINT yet: before its own code runs (while the system loads
// its libraries) no program can.
bool FaengtSigint(qint64 pid) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& zeile : status.readAll().split('\n')) {
    if (!zeile.startsWith("SigCgt:")) continue;
    bool ok = false;
    const qulonglong maske = zeile.mid(7).trimmed().toULongLong(&ok, 16);
    return ok && (maske & (1ull << (SIGINT - 1))) != 0;
  }
  return false;
}

struct Abbruchfall {
  const char* name;
  QStringList args;
  int nachMs;           // when Ctrl-C comes
  QList<int> status;    // the statuses the command may end with (where the moment decides)
  const char* meldung;  // what standard error must say, when not empty
};

class CtrlC : public ::testing::TestWithParam<Abbruchfall> {};

// Every command answers Ctrl-C with its status, at once, whenever it comes; "%FIFO%" stands for
// a FIFO that no one writes to, where the read waits.
TEST_P(CtrlC, EndsWithItsStatusAtOnce) {
  const Abbruchfall& c = GetParam();
  QTemporaryDir config, dir;
  const QString fifo = dir.filePath("leer.fifo");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  QStringList args = c.args;
  args.replaceInStrings("%FIFO%", fifo);
  QProcess p;
  Vorbereiten(p, config);
  p.start(VK_KALIBRA_EXE, args);
  ASSERT_TRUE(p.waitForStarted());
  // At the first moment the program's own code runs, or later as the case says.
  QElapsedTimer start;
  start.start();
  while (!FaengtSigint(p.processId()) && start.elapsed() < 5000) QThread::usleep(200);
  if (start.elapsed() < c.nachMs)
    QThread::msleep(static_cast<unsigned long>(c.nachMs - start.elapsed()));
  ASSERT_EQ(p.state(), QProcess::Running) << "the command ended before Ctrl-C";
  ::kill(static_cast<pid_t>(p.processId()), SIGINT);
  QElapsedTimer uhr;
  uhr.start();
  ASSERT_TRUE(p.waitForFinished(20000));
  // Generous against a loaded machine; without an answer the command runs for many seconds.
  EXPECT_LT(uhr.elapsed(), 2000);
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "killed instead of answering";
  EXPECT_TRUE(c.status.contains(p.exitCode())) << p.exitCode();
  const QString err = QString::fromUtf8(p.readAllStandardError());
  EXPECT_TRUE(err.contains(c.meldung)) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kalibra, CtrlC,
    ::testing::Values(
        // At the first moment, or a hundredth of a second in, before the command has started
        // its work.
        Abbruchfall{"FitAtOnce",
                    {"fit", Data("alpha-particles.dat"), "-d", "14", "--fixed", "n=1e7"},
                    10,
                    {11},
                    "Abort"},
        Abbruchfall{"AutoAtOnce", {"auto", Data("gpl3-word-letters.dat")}, 0, {11}, "Abort"},
        Abbruchfall{"StatsAtOnce", {"stats", Data("alpha-particles.dat")}, 0, {11}, "Abort"},
        Abbruchfall{"SpecialAtOnce", {"special", Data("alpha-particles.dat")}, 0, {11}, "Abort"},
        Abbruchfall{"ListAtOnce", {"list"}, 0, {11}, "Abort"},
        // In the middle of a long fit.
        Abbruchfall{"FitAfterASecond",
                    {"fit", Data("alpha-particles.dat"), "-d", "14", "--fixed", "n=1e7"},
                    1000,
                    {11},
                    "Polya (fixed n): Abort"},
        // While a read waits for a writer that never comes.
        Abbruchfall{"StatsOnAFifo", {"stats", "%FIFO%"}, 300, {11}, "cancelled (Ctrl-C)"},
        Abbruchfall{"FitOnAFifo", {"fit", "%FIFO%", "-d", "Poisson"}, 300, {11}, "Abort"},
        Abbruchfall{"EvaluateOnAFifo",
                    {"evaluate", "%FIFO%", "-d", "Poisson", "-p", "1"},
                    300,
                    {11},
                    "Abort"},
        Abbruchfall{"BatchOnAFifo",
                    {"batch", "-d", "Poisson", "--jobs", "1", Data("horse-kicks.dat"), "%FIFO%",
                     Data("alpha-particles.dat")},
                    300,
                    {11},
                    "alpha-particles.dat: not started"}),
    [](const auto& i) { return std::string(i.param.name); });

}  // namespace

namespace {

struct Nutzungsfall {
  QStringList args;
  const char* meldung;
};

// Values that ran (or ran for hours) although they make no sense are usage errors that say why.
TEST(Kalibra, AbsurdValuesAreUsageErrors) {
  const QString alpha = Data("alpha-particles.dat");
  const Nutzungsfall faelle[] = {
      {{"special", alpha, "--b1", "0:1:0"}, "--b1: DELTA must be greater than 0"},
      {{"special", alpha, "--b1", "0:1:-1"}, "--b1: DELTA must be greater than 0"},
      {{"special", alpha, "--b2", "1:0:1"}, "--b2: START must be below STOP"},
      {{"special", alpha, "--b1", "0:999999:1", "--b2", "0:999999:1"},
       "the preflight grid has 999998000001 points"},
      {{"special", alpha, "--b1", "0:10000:1", "--b2", "0:1001:1"}, "has 10010000 points"},
      {{"fit", alpha, "-d", "0", "--reflection", "1e308"}, "--reflection takes a number above 0"},
      {{"auto", alpha, "--expansion", "0"}, "--expansion takes a number above 0"},
      {{"fit", alpha, "-d", "0", "--contraction", "2"}, "--contraction takes a number above 0"},
      {{"fit", alpha, "-d", "0", "--min-class-size", "-1"}, "--min-class-size takes a number"},
      {{"fit", alpha, "-d", "0", "--max-steps", "2.5"}, "--max-steps takes a whole number"},
      {{"fit", alpha, "-d", "0", "--max-steps", "4294967296"}, "--max-steps takes a whole number"},
      {{"fit", alpha, "-d", "33", "--fixed", "m=2.5", "--fixed", "n=20"},
       "m must be a whole number greater than 0"},
      {{"fit", alpha, "-d", "37", "--fixed", "m=0"}, "m must be a whole number greater than 0"},
      {{"fit", alpha, "-d", "37", "--fixed", "m=-1"}, "m must be a whole number greater than 0"},
  };
  for (const Nutzungsfall& f : faelle) {
    const vk::test::KalibraOutcome r = vk::test::RunKalibra(f.args);
    EXPECT_EQ(r.exitCode, 64) << f.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(f.meldung)) << r.err.toStdString();
  }
}

}  // namespace

namespace {

// A file name in Latin-1 under a UTF-8 locale once read "No such file or directory".
TEST(Kalibra, AFileNameThatIsNotUtf8Opens) {
  QTemporaryDir dir;
  const QByteArray name = dir.path().toLocal8Bit() + "/latin\xff\xe9.dat";
  {
    std::FILE* f = std::fopen(name.constData(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("0 109\n1 65\n2 22\n3 3\n4 1\n", f);
    std::fclose(f);
  }
  int rohr[2];
  ASSERT_EQ(::pipe(rohr), 0);
  const pid_t kind = ::fork();
  ASSERT_GE(kind, 0);
  if (kind == 0) {
    ::dup2(rohr[1], STDOUT_FILENO);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    ::execl(VK_KALIBRA_EXE, VK_KALIBRA_EXE, "stats", name.constData(), "--format", "csv",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(rohr[1]);
  QByteArray out;
  char puffer[4096];
  for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) > 0;) out.append(puffer, n);
  ::close(rohr[0]);
  int st = 0;
  ASSERT_EQ(::waitpid(kind, &st, 0), kind);
  EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << st;
  EXPECT_TRUE(out.contains("\"N\",\"200\"")) << out.toStdString();
}

}  // namespace

namespace {

// Tiny frequencies ended every fit in a bare "Exception"; the reason now follows it. Bounds:
// sqrt of the smallest normal and of the largest double (python3: math.sqrt(sys.float_info.min)
// = 1.4916681462400413e-154, math.sqrt(sys.float_info.max) = 1.3407807929942596e154).
TEST(Kalibra, AnExceptionFromTheScaleOfTheDataSaysSo) {
  QTemporaryDir dir;
  const struct {
    QByteArray inhalt;
    const char* grund;
  } faelle[] = {
      {"0 1.09e-298\n1 6.5e-299\n2 2.2e-299\n3 3e-300\n4 1e-300\n", "too small"},
      {"0 1.09e-198\n1 6.5e-199\n2 2.2e-199\n3 3e-200\n4 1e-200\n", "too small"},
  };
  for (const auto& f : faelle) {
    const QString pfad = vk::test::Datendatei(dir, "klein.dat", f.inhalt);
    const vk::test::KalibraOutcome r = vk::test::RunKalibra({"fit", pfad, "-d", "Poisson"});
    EXPECT_EQ(r.exitCode, 12) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(f.grund)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("scale the frequencies")) << r.err.toStdString();
    const vk::test::KalibraOutcome a = vk::test::RunKalibra({"auto", pfad});
    EXPECT_TRUE(a.err.contains("the exceptions have a reason")) << a.err.toStdString();
  }
}

}  // namespace

namespace {

// A FIFO where the settings file belongs once blocked every fitting command before it began.
TEST(Kalibra, AFifoAsTheSettingsFileDoesNotBlock) {
  QTemporaryDir config;
  QDir(config.path()).mkpath("Tessaro");
  ASSERT_EQ(::mkfifo((config.path() + "/Tessaro/Vostra-Kalibra.conf").toLocal8Bit().constData(),
                     0600),
            0);
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C.UTF-8");
  env.insert("XDG_CONFIG_HOME", config.path());
  p.setProcessEnvironment(env);
  p.start(VK_KALIBRA_EXE, {"fit", Data("horse-kicks.dat"), "-d", "Poisson"});
  ASSERT_TRUE(p.waitForFinished(20000)) << "blocked on the settings file";
  EXPECT_EQ(p.exitCode(), 0);
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("is not a regular file"));
}

}  // namespace
