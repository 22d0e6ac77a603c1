// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace vk::cli {

// Each subcommand parses its own arguments (the first is the program and subcommand name)
// and returns the process exit code.
int RunStats(const QStringList& args);
int RunList(const QStringList& args);
int RunFit(const QStringList& args);
int RunEvaluate(const QStringList& args);
int RunAuto(const QStringList& args);
// `auto --table`: the best members of every data set of a long table.
int RunAutoTabelle(const QStringList& args);
int RunBatch(const QStringList& args);
int RunSpecial(const QStringList& args);

}  // namespace vk::cli
