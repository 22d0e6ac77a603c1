// SPDX-License-Identifier: GPL-3.0-or-later
// Building the chart window's picture of a large data set: Zeigen and the first drawing of the
// window (what "Graph" costs before the window answers again).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "ui/FrmDiagramm.h"

namespace {

QApplication& Anwendung() {
  static int argc = 1;
  static char name[] = "vk_chart_bench";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QApplication> app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
  }();
  return *app;
}

// A smooth, long-tailed data set of `klassen` classes with a fit beside it.
std::unique_ptr<vk::TDaten> Daten(int klassen) {
  auto d = std::make_unique<vk::TDaten>();
  for (int i = 0; i < klassen; ++i) {
    const double np = 1e5 / (1.0 + 0.01 * i * i / klassen);
    (*d)[static_cast<std::size_t>(i)] =
        vk::TWerte{std::floor(np * (1 + 0.1 * std::sin(i))), np, static_cast<std::uint32_t>(i),
                   static_cast<std::uint32_t>(i), false};
  }
  return d;
}

// Arguments: classes, style (0 bars, 1 lines + dots, 2 rootogram), logarithmic value axis.
void BM_DiagrammZeigen(benchmark::State& state) {
  Anwendung();
  QTemporaryDir einstellungen;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, einstellungen.path());
  const int klassen = static_cast<int>(state.range(0));
  const auto daten = Daten(klassen);
  vk::ui::TFrmDiagramm fenster("Vostra Kalibra");
  const char* stile[] = {"bars", "linesdots", "rootogram"};
  fenster.findChild<QRadioButton*>(stile[state.range(1)])->click();
  fenster.findChild<QCheckBox*>("yAxisLog")->setChecked(state.range(2) != 0);
  fenster.findChild<QCheckBox*>("showValues")->setChecked(true);
  fenster.show();
  for (auto _ : state) {
    fenster.Zeigen(klassen - 1, 0, "Binomial", "bench.dat", *daten);
    benchmark::DoNotOptimize(fenster.grab());
  }
  state.SetItemsProcessed(state.iterations() * klassen);
}
BENCHMARK(BM_DiagrammZeigen)
    ->ArgsProduct({{101, 3001, 20001}, {0, 1, 2}, {0}})
    ->Args({20001, 0, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
