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

}  // namespace vk::members
