// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The data sets the benchmarks and the cost table share.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"

namespace vk::bench {

// The text of a data file. One that cannot be read ends the benchmark with a message naming it:
// timed as an empty data set it would pass for a fitting of no cost.
inline std::string DateiLesen(const std::string& pfad, const char* programm) {
  std::ifstream in(pfad);
  if (!in.is_open()) {
    std::fprintf(stderr, "%s: %s cannot be read\n", programm, pfad.c_str());
    std::exit(66);
  }
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// An engine over the catalog with `text` (records "x f") read in.
inline std::unique_ptr<Anpassungen> EngineMit(const Verteilungsverzeichnis& katalog,
                                              const std::string& text) {
  auto a = std::make_unique<Anpassungen>(katalog);
  std::istringstream in(text);
  TextRecordSource q(in);
  TDateneigenschaften e;
  a->DatenLesen(q, e);
  return a;
}

// A smooth negative-binomial shape with L = 30: k = 3, p = 0.25, N = 1000, each class + 1.
inline std::string NegBin30Text() {
  std::string text;
  for (int x = 0; x <= 30; ++x) {
    const double lp = std::lgamma(3.0 + x) - std::lgamma(3.0) - std::lgamma(x + 1.0) +
                      3 * std::log(0.25) + x * std::log(0.75);
    text += std::to_string(x) + " " + std::to_string(std::round(1000 * std::exp(lp)) + 1) + "\n";
  }
  return text;
}

}  // namespace vk::bench
