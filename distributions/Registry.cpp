// SPDX-License-Identifier: GPL-3.0-or-later
#include "distributions/Registry.h"

#include <array>

#include "distributions/members/Members.h"

namespace vk {

namespace {

// The registration table: one line per member, ascending by number. Listing members here,
// rather than letting each unit register itself from a static initialiser, keeps every member in
// the link even from a static library, and makes the set of members visible in one place.
constexpr std::array kTabelle{
    &members::kM000Binomial,
    &members::kM001BinomialFixedN,
    &members::kM002Poisson,
    &members::kM003NegativeHypergeometric,
    &members::kM004NegativeBinomial,
    &members::kM005NegativeBinomialRightTruncated,
    &members::kM006HyperPascal,
    &members::kM007NegativeHypergeometricFreeN,
    &members::kM008Geometric,
    &members::kM009BinomialFixedP,
    &members::kM010PositivePoisson,
    &members::kM011LeftTruncatedPoisson,
    &members::kM012RightTruncatedPoisson,
    &members::kM013HyperPoissonFixedB,
    &members::kM014PolyaFixedN,
    &members::kM015Polya,
    &members::kM016PoissonNegativeBinomial,
    &members::kM017WaringAlphaTwo,
    &members::kM018Yule,
    &members::kM019Waring,
    &members::kM020HyperPoisson,
    &members::kM021PositiveBinomial,
    &members::kM022PositiveBinomialFixedN,
    &members::kM023LeftTruncatedBinomial,
    &members::kM024LeftTruncatedBinomialFixedN,
    &members::kM025PositiveNegativeBinomial,
    &members::kM026NegativeBinomialFixedK,
    &members::kM027NegativeBinomialRatio,
    &members::kM028NegativeBinomialMixture,
    &members::kM029TwoRatePoisson,
    &members::kM030GammaPascal,
    &members::kM031PoissonLindley,
    &members::kM032BetaHarmonic,
    &members::kM033FiniteSourceQueue,
    &members::kM034PoissonLevy,
    &members::kM035Good,
    &members::kM036LogarithmicHarmonic,
    &members::kM037UniformGeometric,
    &members::kM038ModifiedGeometric,
    &members::kM039GeometricPascal,
    &members::kM040InverseHypergeometric,
    &members::kM041HyperPascalRatios,
    &members::kM042GeneralisedPascal,
    &members::kM043LostGames,
    &members::kM044PoissonDisplacedClass,
    &members::kM045ZeroInflatedPoisson,
    &members::kM046OneInflatedPositivePoisson,
    &members::kM047PositivePoissonInflatedAtM,
    &members::kM048PoissonInflatedAtM,
    &members::kM049ModifiedPositivePoisson,
    &members::kM050PositivePoissonRatios,
    &members::kM051ModifiedPositiveNegativeBinomial,
    &members::kM052ReflectedTruncatedPoisson,
    &members::kM053PositiveWaring,
    &members::kM054TruncatedGeometric,
    &members::kM055TruncatedLogarithmic,
    &members::kM056FiniteWaitingRoomQueue,
    &members::kM057UnlimitedQueue,
    &members::kM058FinitePoissonType,
    &members::kM059YuleSimonFromOne,
    &members::kM060LeftTruncatedLogarithmic,
    &members::kM061GroupedPoisson,
    &members::kM062Logarithmic,
    &members::kM063PositiveWaringRhoOne,
    &members::kM064OddPowerDifferences,
    &members::kM065PoissonTailOverMeanPlusOne,
    &members::kM066DoublyTruncatedGeometric,
    &members::kM067TruncatedLogarithmicFromFirstValue,
    &members::kM068PoissonTailOverMean,
    &members::kM069ThreePhaseQueue,
    &members::kM070ThreeRangeBinomialRatios,
    &members::kM071MirroredTruncatedPoisson,
    &members::kM072ZeroModifiedLogarithmic,
    &members::kM073ZeroModifiedPositivePoisson,
    &members::kM074GeneralizedWaring,
    &members::kM075UniformBinomialMixture,
    &members::kM076UniformBinomialMixtureFixedN,
    &members::kM077UniformBinomialMixtureFixedP,
    &members::kM078UniformGeometricMixture,
    &members::kM079UniformPoissonMixture,
    &members::kM080UniformNegativeBinomialMixture,
    &members::kM081Borel,
    &members::kM082BorelTanner,
    &members::kM083PoissonShareMovedToZero,
    &members::kM084PoissonSecondOrder,
    &members::kM085PoissonGeometricTail,
    &members::kM086Zeta,
    &members::kM087Zipf,
    &members::kM088PoissonPositivePoisson,
    &members::kM089BinomialShareFixedN,
    &members::kM090BinomialShare,
    &members::kM091ZeroModifiedPositiveBinomial,
    &members::kM092PositiveBinomialShare,
    &members::kM093RightTruncatedBinomial,
    &members::kM094BinomialInflatedAtM,
    &members::kM095ZeroModifiedPositiveNegativeBinomial,
    &members::kM096PoissonShiftedMixture,
    &members::kM097PoissonShiftMixture,
    &members::kM098PoissonShiftedMixtureFreeM,
    &members::kM099PolyaAeppli,
    &members::kM100LinearlyModifiedGeometric,
    &members::kM101PoissonUniformMixture,
    &members::kM102ZeroInflatedBinomialFixedN,
    &members::kM103ZeroInflatedBinomial,
    &members::kM104LogarithmicPoisson,
    &members::kM105LogarithmicPoissonUnitMean,
    &members::kM106GeometricPoisson,
    &members::kM107GeometricPoissonUnitMean,
    &members::kM108ZeroInflatedNegativeBinomial,
    &members::kM109ZeroModifiedBinomialFixedN,
    &members::kM110UniformHarmonicMixture,
    &members::kM111Hermite,
    &members::kM167ZipfAlekseev,
    &members::kM168GeometricModifiedFirst,
    &members::kM169GeometricChangedRatio,
    &members::kM170ConwayMaxwellPoisson,
    &members::kM171HypergeometricTypeTruncated,
    &members::kM172PoissonChangedTail,
    &members::kM173PoissonTypeDoubleSum,
    &members::kM174NeymanAPlusPoisson,
    &members::kM175GeneralizedPoisson,
    &members::kM176ZeroInflatedGeneralizedPoisson,
    &members::kM177GeneralizedNegativeBinomial,
    &members::kM178ZipfMandelbrot,
    &members::kM179LagrangianTruncatedBinomial,
    &members::kM180LagrangianNegativeBinomial,
    &members::kM205SpecialModel,
};

using Nachschlagetabelle = std::array<const Member*, kVerteilungsSlots>;

Nachschlagetabelle NachschlagetabelleBauen() {
  Nachschlagetabelle t{};
  // A number outside the slots or a second member with the same number is left out here; the
  // registry test reports both.
  for (const Member* m : kTabelle) {
    if (m->nummer < t.size() && t[m->nummer] == nullptr) t[m->nummer] = m;
  }
  return t;
}

}  // namespace

std::span<const Member* const> Mitglieder() {
  return kTabelle;
}

const Member* MitgliedSuchen(std::uint32_t nummer) {
  // Built once, on first use; the initialisation of a function-local static is thread-safe.
  static const Nachschlagetabelle tabelle = NachschlagetabelleBauen();
  return nummer < tabelle.size() ? tabelle[nummer] : nullptr;
}

}  // namespace vk
