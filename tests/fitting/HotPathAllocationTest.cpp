// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation that the simplex repeats thousands of times per method must not allocate:
// this executable replaces the global allocation functions with counting ones.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>

#include "core/TextRecordSource.h"
#include "fitting/Anpassungen.h"

namespace {
std::atomic<long> gAllokationen{0};
}

void* operator new(std::size_t n) {
  ++gAllokationen;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace vk {
namespace {

std::unique_ptr<const TKatalogeintrag> Eintrag(std::uint32_t index, std::uint32_t alternativen,
                                               std::initializer_list<std::uint32_t> bits) {
  auto e = std::make_unique<TKatalogeintrag>();
  e->index = index;
  e->gruppen = 3;
  e->alternativen = alternativen;
  e->automatik = true;
  for (std::uint32_t b : bits) e->parameter[e->parameterZahl++] = {"p", b};
  return e;
}

TEST(HotPath, EvaluationsAndCyclesDoNotAllocate) {
  Verteilungstabelle t;
  t[0] = Eintrag(0, 6, {16, 1});
  t[6] = Eintrag(6, 2, {128, 128, 1});
  t[16] = Eintrag(16, 1, {128, 128, 1});
  const Verteilungsverzeichnis katalog(std::move(t));
  auto a = std::make_unique<Anpassungen>(katalog);
  std::istringstream in("0 109\n1 65\n2 22\n3 3\n4 1\n5 1\n");
  TextRecordSource q(in);
  TDateneigenschaften e;
  ASSERT_EQ(a->DatenLesen(q, e), status::kOk);

  for (std::uint32_t nummer : {0u, 6u, 16u}) {
    const TVerteilung ref = Referenz(*katalog.VerteilungHolen(nummer));
    Rueckrufe r;
    a->GewaehlteAnpassung(ref, true, r);  // sets up the properties of the distribution
    const Parametervektor v = a->BesterVektor();
    std::uint32_t k = 0;
    const long vorher = gAllokationen.load();
    for (int i = 0; i < 100; ++i) a->ChiQuadratBerechnen(nummer, v, k);
    EXPECT_EQ(gAllokationen.load() - vorher, 0) << "distribution " << nummer;
  }
}

}  // namespace
}  // namespace vk
