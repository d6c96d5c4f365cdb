// What a button, or headless mode, does: start a command line or open a
// document, folder or web address, chosen from the keys of its section.
#pragma once

#include <string>

#include "platform/PlatformServices.h"
#include "settings/Profile.h"

namespace orvex {

// The key names of one kind of section.
struct CommandKeys {
  const char* action;
  const char* open;
};
inline constexpr CommandKeys kButtonCommandKeys{"Action", "Open"};
inline constexpr CommandKeys kDefaultCommandKeys{"DefaultAction", "DefaultOpen"};

// The values of those keys in one section, as written.
struct CommandValues {
  std::string action;
  // The action for the native architecture ("Action.x64"); empty where
  // there is none.
  std::string machineAction;
  std::string open;
};

struct Command {
  enum class Kind { Run, Open };
  Kind kind = Kind::Run;
  std::string text;  // the command line, or what to open

  friend bool operator==(const Command&, const Command&) = default;
};

// The machine's action where it is not empty, else the action; what to open
// only where that is empty too, so an action always wins. With neither, the
// empty action, which fails when it is run.
Command ChooseCommand(const CommandValues& values);

// "x86", "x64", "arm64"; empty for any other.
std::string ArchitectureName(Architecture architecture);

// "Action.x64" for "Action" on x64; empty where the architecture has no
// key of its own.
std::string MachineKey(const std::string& key, Architecture architecture);

// Reads the action, the machine's action and what to open, in that order:
// the keys that came later are read after the ones before them.
CommandValues ReadCommandValues(PlatformServices& platform, const ProfileFiles& profilePath,
                                const std::string& section, const CommandKeys& keys,
                                Architecture native);

// Whether the text starts with a URL scheme and ":" ("https:", "mailto:",
// "ms-settings:"): a letter, then letters, digits, "+", "-" or ".", two
// characters at least, so that "C:\x" is a path.
bool IsWebAddress(const std::string& text);

}  // namespace orvex
