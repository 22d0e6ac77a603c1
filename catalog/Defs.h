// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vk {

inline constexpr std::uint32_t kMaxParameter = 10;       // free parameters of a distribution
inline constexpr std::uint32_t kMaxFestparameter = 3;    // fixed parameters of a distribution
inline constexpr std::uint32_t kVerteilungsSlots = 223;  // distribution indices 0..222
inline constexpr std::uint32_t kSpezialIndex = 205;      // the special-fitting model
inline constexpr std::uint32_t kMaxAlternativen = 50;    // one estimate slot per row each
inline constexpr std::uint32_t kDomaenenBits = 10;       // a parameter's "Eigenschaften"
inline constexpr std::uint32_t kGruppenBits = 4;         // an entry's "Gruppen"

// The parameter vector: free parameters in catalog order; only the first parZahl are used.
using Parametervektor = std::array<double, kMaxParameter>;

// The short form of a catalog entry that lists, list items and result records carry.
struct TVerteilung {
  std::string Bezeichnung;
  std::uint32_t Index = 0;
  bool automatik = false;
  bool spezial = false;
};

// A parameter as reported to the window.
struct TParameter {
  std::string Bezeichnung;
  double Wert = 0;
};

// A fixed parameter as reported to the window and asked of the user.
struct TFestparameter {
  std::string Bezeichnung;
  std::string Bedingung;
  std::string Beschreibung;
  double Wert = 0;
};

// A distribution's parameter set as reported to the main window and stored with batch results.
struct TVerteilungsparameter {
  std::array<TParameter, kMaxParameter> Parameter{};
  std::array<TFestparameter, kMaxFestparameter> Festparameter{};
  std::uint32_t ParZahl = 0;
  std::uint32_t FestParZahl = 0;
};

// Domain flags of the free parameters; element k is the flag of parameter k. Bit k of a catalog
// parameter's "Eigenschaften" sets flag array number k, in this order.
using ParameterFlags = std::array<bool, kMaxParameter>;

// The parameter properties of the distribution being fitted.
struct TParameterEigenschaften {
  std::array<double, kMaxFestparameter> festparameter{};
  std::array<std::string, kMaxFestparameter> festparNamen{};
  std::array<std::string, kMaxParameter> parNamen{};
  std::uint32_t parZahl = 0;
  std::uint32_t alternativen = 0;
  std::uint32_t festparZahl = 0;
  ParameterFlags zwischenNullundEins{};       // bit 0
  ParameterFlags ueberEins{};                 // bit 1
  ParameterFlags unterMinusEins{};            // bit 2
  ParameterFlags zwischenMinusEinsundEins{};  // bit 3
  ParameterFlags natuerlicheZahl{};           // bit 4
  ParameterFlags positiveZahl{};              // bit 5
  ParameterFlags natuerlicheZahlMit0{};       // bit 6
  ParameterFlags groesserNull{};              // bit 7
  ParameterFlags kleinerEins{};               // bit 8
  ParameterFlags groesserGleichMinusEins{};   // bit 9
};

}  // namespace vk
