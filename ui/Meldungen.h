// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "core/Status.h"

class QWidget;

namespace vk::ui {

// Every warning of the desktop goes through here, so that a test can take the place of the modal
// box (which would otherwise wait for a click nobody makes).
using WarnungsAnzeige = std::function<void(QWidget* eltern, const QString& text)>;

// Shows a warning box with an OK button, or hands the text to the replacement.
void Warnung(QWidget* eltern, const QString& text);

// A read error as the command line gives it: the message, then where and what on a line of its
// own.
QString LesefehlerMitDetail(const std::string& pfad, Status st, const std::string& detail);

// Replaces the warning box; an empty function restores it. Returns the previous replacement.
WarnungsAnzeige WarnungsAnzeigeSetzen(WarnungsAnzeige anzeige);

}  // namespace vk::ui
