// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vk::cli {

// Exit status when standard output could not be written (a full disk, /dev/full, a lost
// device): the result is incomplete, whatever the fit said.
inline constexpr int kExitOutput = 74;

// Installs the Ctrl-C handler and resets SIGPIPE to its default; the first thing main does, so
// that no moment of the run is left where Ctrl-C kills the process unanswered. `command` names
// the command in the message of the last resort (see below). A Ctrl-C only sets a flag that the
// reads and fits ask; should the command not end within kFrist after it (an evaluation that
// asks nothing for seconds), the process says so on standard error and ends with `status`.
void InstallAbortHandler(const char* command = "kalibra");
bool AbortRequested();
// The status a Ctrl-C ends the command with when nothing asked in time: 11 (Abort), 16 during
// the preflight grid of the special fitting.
void SetAbortStatus(int status);
// From here on the command is printing what it has: the last resort no longer cuts it short.
void FinishingOutput();

// Flushes and closes standard output. When that, or an earlier write, failed: a message on
// standard error and kExitOutput. A reader that went away (a closed pipe, `| head`) ends the
// process quietly, as Unix tools do. Otherwise `code`.
int FinishOutput(int code);

// A write that failed outside standard output (the spool file of a long table): remembered and
// reported by FinishOutput.
void OutputLost(const char* what, int fehler);

}  // namespace vk::cli
