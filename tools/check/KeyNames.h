// The sections and keys the launcher reads, and the nearest of them to a
// name it does not read (a probable typo).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::check {

// "Show", "DefaultAction", "BackColor", "Picture", "Caption", then the keys
// read after them: "DefaultOpen", "DefaultAction.<architecture>" and
// "StayOpen".
const std::vector<std::string>& DialogKeys();
// "Show", "Caption", "Action", "Open", "Action.<architecture>", "Installed"
// and the four Installed* keys.
const std::vector<std::string>& ButtonKeys();
// "DIALOG", "BUTTON1" to "BUTTON4".
const std::vector<std::string>& KnownSections();

// Letter case ignored, as the launcher matches names.
bool SameName(std::string_view a, std::string_view b);

// The known name closest to name in edits (insert, delete, change, swap two
// neighbours; letter case ignored), when it is close enough to be the one
// meant.
std::optional<std::string> NearestName(std::string_view name,
                                       const std::vector<std::string>& known);

}  // namespace orvex::check
