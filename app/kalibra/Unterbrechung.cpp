// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kalibra/Unterbrechung.h"

#include <semaphore.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace vk::cli {

namespace {

// How long a command may take after Ctrl-C before the last resort ends it.
constexpr auto kFrist = std::chrono::milliseconds(150);

std::atomic<bool> gAbbruch{false};
std::atomic<bool> gAusgabe{false};
std::atomic<int> gStatus{11};
std::atomic<int> gVerloren{0};
std::string gVerlorenWas;
sem_t gSignal;
char gBefehl[64] = "kalibra";

void OnInterrupt(int) {
  const int gesichert = errno;
  gAbbruch.store(true);
  sem_post(&gSignal);  // async-signal-safe: wakes the watch below
  errno = gesichert;
}

// Waits for Ctrl-C; then gives the command kFrist to end by itself.
void Wache() {
  while (sem_wait(&gSignal) != 0) {
  }
  const auto ende = std::chrono::steady_clock::now() + kFrist;
  while (std::chrono::steady_clock::now() < ende) {
    if (gAusgabe.load()) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (gAusgabe.load()) return;
  char text[160];
  const int n = std::snprintf(text, sizeof text,
                              "%s: Abort (Ctrl-C; the computation under way did not stop in "
                              "time, so nothing of it is printed)\n",
                              gBefehl);
  if (n > 0) {
    const ssize_t geschrieben = ::write(STDERR_FILENO, text, static_cast<std::size_t>(n));
    (void)geschrieben;
  }
  ::_exit(gStatus.load());
}

bool gInstalliert = false;

void HandlerSetzen() {
  if (gInstalliert) return;
  gInstalliert = true;
  sem_init(&gSignal, 0, 0);
  struct sigaction sa {};
  sa.sa_handler = OnInterrupt;
  sigemptyset(&sa.sa_mask);
  // No SA_RESTART: a wait in poll() returns at once and asks the flag.
  sa.sa_flags = 0;
  sigaction(SIGINT, &sa, nullptr);
  std::signal(SIGPIPE, SIG_DFL);
}

// The static initialisation of the libraries takes tens of milliseconds before main; the
// handler is there before it. The watch thread waits for main (a Ctrl-C before it stays
// counted in the semaphore).
__attribute__((constructor(101))) void FruehInstallieren() {
  HandlerSetzen();
}

}  // namespace

void InstallAbortHandler(const char* command) {
  static bool wacheLaeuft = false;
  if (command != nullptr && std::strcmp(command, "kalibra") != 0)
    std::snprintf(gBefehl, sizeof gBefehl, "kalibra %s", command);
  HandlerSetzen();
  if (wacheLaeuft) return;
  wacheLaeuft = true;
  std::thread(Wache).detach();
}

bool AbortRequested() {
  return gAbbruch.load();
}

void SetAbortStatus(int status) {
  gStatus.store(status);
}

void FinishingOutput() {
  gAusgabe.store(true);
}

void OutputLost(const char* what, int fehler) {
  if (gVerloren.load() != 0) return;
  gVerlorenWas = what;
  gVerloren.store(fehler != 0 ? fehler : EIO);
}

int FinishOutput(int code) {
  gAusgabe.store(true);
  int fehler = 0;
  // A write that failed earlier leaves only the error flag, not its reason.
  const bool frueher = std::ferror(stdout) != 0;
  if (std::fflush(stdout) != 0) fehler = errno;
  if (std::fclose(stdout) != 0 && fehler == 0) fehler = errno;
  if (fehler == EPIPE) {
    // SIGPIPE was blocked or ignored by whoever started us; end as it would have ended us.
    std::fflush(stderr);
    ::_exit(128 + SIGPIPE);
  }
  if (fehler != 0 || frueher) {
    std::fprintf(stderr, "%s: cannot write the output: %s; the output is incomplete\n", gBefehl,
                 fehler != 0 ? std::strerror(fehler) : "a write to it failed");
    return kExitOutput;
  }
  if (const int verloren = gVerloren.load(); verloren != 0) {
    std::fprintf(stderr, "%s: %s: %s; the output is incomplete\n", gBefehl, gVerlorenWas.c_str(),
                 std::strerror(verloren));
    return kExitOutput;
  }
  return code;
}

}  // namespace vk::cli
