// What a button shows and does, given what its section says and whether
// what its "Installed" names is installed.
#pragma once

#include <optional>
#include <string>

#include "settings/InstalledCheck.h"

namespace orvex {

// The values of one button section that decide its face. The Installed*
// alternatives count where they are not empty.
struct ButtonValues {
  std::string caption;
  std::string action;
  std::optional<InstalledCheck> installed;
  std::string installedCaption;
  std::string installedAction;
  std::string installedOpen;
  bool installedShow = true;
};

struct ButtonFace {
  bool shown = true;
  std::string caption;
  std::string action;
  // The document or address to open; only InstalledOpen gives one so far.
  std::string open;
};

// Not installed (or no "Installed"): caption and action as written.
// Installed: InstalledShow=False leaves the button out; InstalledCaption
// replaces the caption; InstalledAction or InstalledOpen, where either is
// given, replace action and document together, so that InstalledOpen alone
// opens its document instead of running the action.
ButtonFace ChooseButtonFace(const ButtonValues& values, bool installed);

}  // namespace orvex
