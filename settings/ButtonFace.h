// What a button shows and does, given what its section says and whether
// what its "Installed" names is installed.
#pragma once

#include <optional>
#include <string>

#include "settings/Command.h"
#include "settings/InstalledCheck.h"

namespace orvex {

// The values of one button section that decide its face. The Installed*
// alternatives count where they are not empty.
struct ButtonValues {
  std::string caption;
  CommandValues command;
  std::optional<InstalledCheck> installed;
  std::string installedCaption;
  std::string installedAction;
  std::string installedOpen;
  bool installedShow = true;
};

struct ButtonFace {
  bool shown = true;
  std::string caption;
  Command command;
};

// Not installed (or no "Installed"): caption as written, ChooseCommand of
// the section's keys. Installed: InstalledShow=False leaves the button out;
// InstalledCaption replaces the caption; InstalledAction or InstalledOpen,
// where either is given, replace every action and the document together
// (an action still winning over a document), so that InstalledOpen alone
// opens its document instead of running the action.
ButtonFace ChooseButtonFace(const ButtonValues& values, bool installed);

}  // namespace orvex
