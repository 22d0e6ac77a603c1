// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <span>
#include <string>

#include "catalog/Festparameter.h"
#include "catalog/Katalogeintrag.h"

namespace vk::py {

// The values a caller gives for fixed parameters, by name. Like the command line's --fixed they
// take precedence over the values read off the data.
class Festwerte {
 public:
  Festwerte() = default;
  explicit Festwerte(std::map<std::string, double> gegeben) : gegeben_(std::move(gegeben)) {}

  // Every given name is a fixed parameter of one of `eintraege` and its value suits that
  // parameter's condition; raises a usage error naming the valid names or the rule otherwise.
  void Pruefen(std::span<const TKatalogeintrag> eintraege) const;
  // Automatic values first, then the given ones; 16 when one is still missing (see Fehlend).
  // The callback refers to this object and to `daten`: both outlive the fit.
  FestparameterErfragen Rueckruf(const TDatensatz& daten);
  // The fixed parameter that had no value, after a fit that ended in 16; empty otherwise.
  const std::string& Fehlend() const { return fehlend_; }
  // After a fit of `e` that ended with `st`: a usage error naming the fixed parameter that had
  // no value, if that is why it ended.
  void FehlendMelden(Status st, const TKatalogeintrag& e) const;

 private:
  std::map<std::string, double> gegeben_;
  std::string fehlend_;
};

}  // namespace vk::py
