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
extern const Member kM098PoissonShiftedMixtureFreeM;
extern const Member kM101PoissonUniformMixture;

// Waring (beta-geometric) family
extern const Member kM017WaringAlphaTwo;
extern const Member kM018Yule;
extern const Member kM019Waring;
extern const Member kM053PositiveWaring;

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
extern const Member kM110UniformHarmonicMixture;

// Special-fitting model
extern const Member kM205SpecialModel;

}  // namespace vk::members
