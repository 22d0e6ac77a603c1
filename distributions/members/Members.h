// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "distributions/Member.h"

// The member objects, one declaration per member, grouped by family. Each is defined in its own
// unit members/MnnnName.cpp and listed once in the table of Registry.cpp.
namespace vk::members {

// Binomial family
extern const Member kM000Binomial;
extern const Member kM001BinomialFixedN;
extern const Member kM003NegativeHypergeometric;
extern const Member kM007NegativeHypergeometricFreeN;
extern const Member kM009BinomialFixedP;
extern const Member kM014PolyaFixedN;
extern const Member kM015Polya;
extern const Member kM021PositiveBinomial;
extern const Member kM022PositiveBinomialFixedN;
extern const Member kM023LeftTruncatedBinomial;
extern const Member kM024LeftTruncatedBinomialFixedN;
extern const Member kM033FiniteSourceQueue;
extern const Member kM040InverseHypergeometric;
extern const Member kM070ThreeRangeBinomialRatios;
extern const Member kM102ZeroInflatedBinomialFixedN;
extern const Member kM103ZeroInflatedBinomial;
extern const Member kM109ZeroModifiedBinomialFixedN;

// Pascal (negative binomial) family
extern const Member kM006HyperPascal;
extern const Member kM004NegativeBinomial;
extern const Member kM005NegativeBinomialRightTruncated;
extern const Member kM008Geometric;
extern const Member kM025PositiveNegativeBinomial;
extern const Member kM026NegativeBinomialFixedK;
extern const Member kM027NegativeBinomialRatio;
extern const Member kM028NegativeBinomialMixture;
extern const Member kM037UniformGeometric;
extern const Member kM038ModifiedGeometric;
extern const Member kM041HyperPascalRatios;
extern const Member kM042GeneralisedPascal;
extern const Member kM051ModifiedPositiveNegativeBinomial;
extern const Member kM054TruncatedGeometric;
extern const Member kM066DoublyTruncatedGeometric;
extern const Member kM100LinearlyModifiedGeometric;
extern const Member kM108ZeroInflatedNegativeBinomial;

// Poisson family
extern const Member kM002Poisson;
extern const Member kM010PositivePoisson;
extern const Member kM011LeftTruncatedPoisson;
extern const Member kM012RightTruncatedPoisson;
extern const Member kM013HyperPoissonFixedB;
extern const Member kM020HyperPoisson;
extern const Member kM029TwoRatePoisson;
extern const Member kM044PoissonDisplacedClass;
extern const Member kM045ZeroInflatedPoisson;
extern const Member kM046OneInflatedPositivePoisson;
extern const Member kM047PositivePoissonInflatedAtM;
extern const Member kM048PoissonInflatedAtM;
extern const Member kM049ModifiedPositivePoisson;
extern const Member kM050PositivePoissonRatios;
extern const Member kM052ReflectedTruncatedPoisson;
extern const Member kM058FinitePoissonType;
extern const Member kM061GroupedPoisson;
extern const Member kM065PoissonTailOverMeanPlusOne;
extern const Member kM068PoissonTailOverMean;
extern const Member kM071MirroredTruncatedPoisson;
extern const Member kM073ZeroModifiedPositivePoisson;
extern const Member kM083PoissonShareMovedToZero;
extern const Member kM098PoissonShiftedMixtureFreeM;
extern const Member kM101PoissonUniformMixture;

// Waring (beta-geometric) family
extern const Member kM017WaringAlphaTwo;
extern const Member kM018Yule;
extern const Member kM019Waring;
extern const Member kM053PositiveWaring;
extern const Member kM059YuleSimonFromOne;
extern const Member kM063PositiveWaringRhoOne;
extern const Member kM074GeneralizedWaring;

// Compound (stopped-sum) family
extern const Member kM016PoissonNegativeBinomial;
extern const Member kM030GammaPascal;
extern const Member kM031PoissonLindley;
extern const Member kM034PoissonLevy;
extern const Member kM039GeometricPascal;
extern const Member kM099PolyaAeppli;
extern const Member kM104LogarithmicPoisson;
extern const Member kM105LogarithmicPoissonUnitMean;
extern const Member kM106GeometricPoisson;
extern const Member kM107GeometricPoissonUnitMean;
extern const Member kM111Hermite;

// Logarithmic, zeta and related families
extern const Member kM032BetaHarmonic;
extern const Member kM035Good;
extern const Member kM036LogarithmicHarmonic;
extern const Member kM043LostGames;
extern const Member kM055TruncatedLogarithmic;
extern const Member kM060LeftTruncatedLogarithmic;
extern const Member kM062Logarithmic;
extern const Member kM064OddPowerDifferences;
extern const Member kM067TruncatedLogarithmicFromFirstValue;

// Queue family
extern const Member kM056FiniteWaitingRoomQueue;
extern const Member kM057UnlimitedQueue;
extern const Member kM069ThreePhaseQueue;
extern const Member kM072ZeroModifiedLogarithmic;

// Mixtures of uniform distributions on 0..v-1
extern const Member kM075UniformBinomialMixture;
extern const Member kM076UniformBinomialMixtureFixedN;
extern const Member kM077UniformBinomialMixtureFixedP;
extern const Member kM078UniformGeometricMixture;
extern const Member kM079UniformPoissonMixture;
extern const Member kM080UniformNegativeBinomialMixture;

// Borel family
extern const Member kM081Borel;
extern const Member kM082BorelTanner;

// Members 84 to 97: corrected, modified and mixed Poisson, zeta and Zipf, modified binomial
extern const Member kM084PoissonSecondOrder;
extern const Member kM085PoissonGeometricTail;
extern const Member kM086Zeta;
extern const Member kM087Zipf;
extern const Member kM088PoissonPositivePoisson;
extern const Member kM089BinomialShareFixedN;
extern const Member kM090BinomialShare;
extern const Member kM091ZeroModifiedPositiveBinomial;
extern const Member kM092PositiveBinomialShare;
extern const Member kM093RightTruncatedBinomial;
extern const Member kM094BinomialInflatedAtM;
extern const Member kM095ZeroModifiedPositiveNegativeBinomial;
extern const Member kM096PoissonShiftedMixture;
extern const Member kM097PoissonShiftMixture;
extern const Member kM110UniformHarmonicMixture;

// Members 112 to 125: gapped and truncated forms, stopped sums of Poisson and binomial summands
extern const Member kM112PoissonWithGap;
extern const Member kM113LeftTruncatedNegativeBinomial;
extern const Member kM114DoublyTruncatedNegativeBinomial;
extern const Member kM115DoublyTruncatedBinomialFixedN;
extern const Member kM116DoublyTruncatedBinomial;
extern const Member kM117NegativeBinomialShareMovedToZero;
extern const Member kM118NeymanTypeA;
extern const Member kM119Thomas;
extern const Member kM120PoissonBinomialFixedN;
extern const Member kM121PoissonBinomial;
extern const Member kM122BinomialPoissonFixedM;
extern const Member kM123BinomialPoisson;
extern const Member kM124NegativeBinomialPoisson;
extern const Member kM125BinomialBinomial;
// Stopped sums of geometric, logarithmic and binomial summands (126 to 130)
extern const Member kM126BinomialStoppedGeometric;
extern const Member kM127GeometricStoppedLogarithmic;
extern const Member kM128GeometricStoppedBinomial;
extern const Member kM129GeometricStoppedGeometric;
extern const Member kM130BinomialStoppedLogarithmic;

// Two-component mixtures (131 to 139)
extern const Member kM131BinomialMixture;
extern const Member kM132BinomialMixtureFreeN;
extern const Member kM133PoissonMixture;
extern const Member kM134LogarithmicMixture;
extern const Member kM135GeometricMixture;
extern const Member kM136PoissonBinomialMixture;
extern const Member kM137PositivePoissonMixture;
extern const Member kM138NegativeBinomialShiftMixture;
extern const Member kM139GeometricLogarithmicMixture;
// Members 153 to 166: corrected, continued and truncated binomial and Poisson forms, a queue, the
// Stirling distribution of the second kind
extern const Member kM153BinomialCorrected;
extern const Member kM154BinomialLatentCount;
extern const Member kM155PoissonThinnedFromM;
extern const Member kM156BinomialSlowedFromM;
extern const Member kM157QueueConstantService;
extern const Member kM158PowerQuadraticExponent;
extern const Member kM159GeometricShareMovedToZero;
extern const Member kM160PoissonGeometricPlateau;
extern const Member kM161TelescopingHarmonic;
extern const Member kM162BinomialDisplacedMixture;
extern const Member kM163StirlingSecondKind;
extern const Member kM164BinomialHyperTailFromM;
extern const Member kM165BinomialGeometricFromM;
extern const Member kM166PoissonHyperTailFromM;
// Members 181 to 194: Lagrangian, weighted Poisson, second-order and convolution forms, urn chain
extern const Member kM181QuasiBinomial;
extern const Member kM182GeneralizedLogarithmicSeries;
extern const Member kM183PoissonOverShiftedIndex;
extern const Member kM184PoissonPowerWeighted;
extern const Member kM185SecondOrderNegativeBinomial;
extern const Member kM186LinearRatioPower;
extern const Member kM187LinearMeanPoisson;
extern const Member kM188NegBinPolyaAeppli;
extern const Member kM189NegBinPolyaAeppliFixedA;
extern const Member kM190NegBinPolyaAeppliFixedB;
extern const Member kM191OddHarmonicParts;
extern const Member kM192NegativeBinomialLinearFactor;
extern const Member kM193StirlingFirstKind;
extern const Member kM194UrnChain;
// Members 195 to 208: urn chain, generalized Hermite and other Poisson stopped sums, corrected
// and weighted binomials, Waring-type and Sibuya distributions from 1, harmonic
extern const Member kM195UrnChainDampedSuccess;
extern const Member kM196PoissonMixedPoissonSummands;
extern const Member kM197GeneralizedHermite;
extern const Member kM198GeneralizedHermiteFixedM;
extern const Member kM199PairWeightedBinomial;
extern const Member kM200BinomialSecondOrder;
extern const Member kM201BinomialGammaRatioSum;
extern const Member kM202TrigammaWaring;
extern const Member kM203BetaLogarithmic;
extern const Member kM204PoissonTermsGeometricBeyondM;
extern const Member kM206HarmonicUpToK;
extern const Member kM207Sibuya;
extern const Member kM208SibuyaRightTruncated;
// Members 140 to 152: negative binomial and binomial stopped sums, a beta-Poisson stopped sum,
// the hypergeometric and further two-parameter forms
extern const Member kM140NegativeBinomialBinomial;
extern const Member kM141NegativeBinomialGeometric;
extern const Member kM142NegativeBinomialLogarithmic;
extern const Member kM143PoissonBetaPoisson;
extern const Member kM144LogarithmicDifference;
extern const Member kM145Hypergeometric;
extern const Member kM146PoissonStirling;
extern const Member kM147ZeroModifiedGeometric;
extern const Member kM148NegativeBinomialNegativeBinomial;
extern const Member kM149BinomialNegativeBinomial;
extern const Member kM150Catalan;
extern const Member kM151FiniteDifferenceBinomial;
extern const Member kM152PoissonSecondDifference;
// Members 167 to 180: power laws with a modified first class, changed-ratio geometric, weighted
// Poisson forms, Lagrangian (generalized Poisson and negative binomial) and Abel-type
extern const Member kM167ZipfAlekseev;
extern const Member kM168GeometricModifiedFirst;
extern const Member kM169GeometricChangedRatio;
extern const Member kM170ConwayMaxwellPoisson;
extern const Member kM171HypergeometricTypeTruncated;
extern const Member kM172PoissonChangedTail;
extern const Member kM173PoissonTypeDoubleSum;
extern const Member kM174NeymanAPlusPoisson;
extern const Member kM175GeneralizedPoisson;
extern const Member kM176ZeroInflatedGeneralizedPoisson;
extern const Member kM177GeneralizedNegativeBinomial;
extern const Member kM178ZipfMandelbrot;
extern const Member kM179LagrangianTruncatedBinomial;
extern const Member kM180LagrangianNegativeBinomial;

// Special-fitting model
extern const Member kM205SpecialModel;

// Members 209 to 222: right-truncated Yule and Waring, power and Catalan forms, urn and finite
// forms
extern const Member kM209YuleRightTruncated;
extern const Member kM210WaringRightTruncated;
extern const Member kM211PowerGeometricRightTruncated;
extern const Member kM212CatalanPower;
extern const Member kM213CatalanPowerRightTruncated;
extern const Member kM214FirstSuccessUrn;
extern const Member kM215BetaBinomialShares;
extern const Member kM216DiscreteArcsine;
extern const Member kM217FirstSuccessUrnShifted;
extern const Member kM218UniformHarmonicShares;
extern const Member kM219FallingRatioFinite;
extern const Member kM220FirstSuccessUrnFromRange;
extern const Member kM221FirstSuccessUrnTotal;
extern const Member kM222RightTruncatedAffineTerms;

}  // namespace vk::members
