// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

#include "core/DatenLesen.h"
#include "core/TextRecordSource.h"

namespace {

// Reading and the statistics of a data set with L + 1 classes.
void BM_DatenLesen(benchmark::State& state) {
  const auto klassen = static_cast<unsigned>(state.range(0));
  std::string text;
  for (unsigned x = 0; x < klassen; ++x)
    text += std::to_string(x) + " " + std::to_string(1 + x % 17) + "\n";
  auto d = std::make_unique<vk::TDatensatz>();
  vk::TDateneigenschaften e;
  for (auto _ : state) {
    std::istringstream in(text);
    vk::TextRecordSource quelle(in);
    benchmark::DoNotOptimize(vk::DatenLesen(*d, quelle, e));
  }
  state.SetItemsProcessed(state.iterations() * klassen);
}
BENCHMARK(BM_DatenLesen)->Arg(11)->Arg(101)->Arg(1001)->Arg(20001);

}  // namespace
