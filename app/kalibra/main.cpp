// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/kalibra/CliSupport.h"
#include "app/kalibra/Commands.h"
#include "app/kalibra/Output.h"
#include "app/kalibra/Unterbrechung.h"

namespace {

constexpr const char* kUsage =
    "Usage: kalibra COMMAND [OPTIONS] ...\n"
    "Fits discrete distributions to counted data.\n"
    "\n"
    "Commands:\n"
    "  stats FILE [--format text|csv|json]   descriptive statistics and class table\n"
    "  list [--automatic] [--special] [--assisted FILE] [--format text|csv|json]\n"
    "                                        the distributions of the catalog\n"
    "  fit FILE -d DIST [--all-methods] [--fixed NAME=VALUE]...\n"
    "                                        fit one distribution, method by method\n"
    "  auto FILE [--sort p|c|x2|r2|df|name] [--jobs N]\n"
    "                                        fit every automatic distribution\n"
    "  batch -d DIST FILE... [--jobs N]      fit one distribution to many files\n"
    "  special FILE [--a0 V] [--a1 V] [--a2 V] [--fix a0,a1,a2] [--b1 R] [--b2 R]\n"
    "                                        the five-parameter model with preflight grid\n"
    "                                        (R: START:STOP:DELTA)\n"
    "  evaluate FILE -d DIST -p V1,V2,...    evaluate given parameters without optimising\n"
    "\n"
    "Every command takes --format text|csv|json; the fitting commands take the optimisation\n"
    "options --reflection, --expansion, --contraction, --abort-criterion, --min-class-size and\n"
    "--max-steps (defaults: the saved settings, else the built-in ones). Ctrl-C ends a fit with\n"
    "\"Abort\" and prints what it had.\n"
    "\n"
    "Options:\n"
    "  -h, --help      this text; 'kalibra COMMAND --help' describes a command\n"
    "  -v, --version   the program version\n"
    "\n"
    "Exit status: 0 on success; the status code (1..18) of a failed read or fit;\n"
    "64 on a usage error; 74 when the output could not be written.\n";

int Ausfuehren(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // QCoreApplication adopts the user's locale; numbers must always print with ".".
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setApplicationName("kalibra");
  QCoreApplication::setApplicationVersion(VK_VERSION);

  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2) {
    std::fputs(kUsage, stderr);
    return vk::cli::kExitUsage;
  }
  const QString command = args.at(1);
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "-v" || command == "--version") {
    std::printf("kalibra %s\n", VK_VERSION);
    return 0;
  }
  QStringList rest = args.mid(2);
  rest.prepend(args.at(0) + " " + command);
  if (command == "stats") return vk::cli::RunStats(rest);
  if (command == "fit") return vk::cli::RunFit(rest);
  if (command == "evaluate") return vk::cli::RunEvaluate(rest);
  if (command == "auto") return vk::cli::RunAuto(rest);
  if (command == "batch") return vk::cli::RunBatch(rest);
  if (command == "special") return vk::cli::RunSpecial(rest);
  if (command == "list") return vk::cli::RunList(rest);

  std::fprintf(stderr, "kalibra: unknown command '%s'\n\n%s", qPrintable(command), kUsage);
  return vk::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything else: a Ctrl-C at any moment is answered, never left to kill the process.
  vk::cli::InstallAbortHandler(argc > 1 ? argv[1] : "kalibra");
  vk::cli::RoheArgumente(argc, argv);
  return vk::cli::FinishOutput(Ausfuehren(argc, argv));
}
