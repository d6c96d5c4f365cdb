#include "settings/ButtonFace.h"

namespace orvex {

ButtonFace ChooseButtonFace(const ButtonValues& values, bool installed) {
  ButtonFace face{true, values.caption, ChooseCommand(values.command)};
  if (!installed || !values.installed) return face;
  face.shown = values.installedShow;
  if (!values.installedCaption.empty()) face.caption = values.installedCaption;
  if (!values.installedAction.empty() || !values.installedOpen.empty()) {
    face.command = ChooseCommand({values.installedAction, "", values.installedOpen});
  }
  return face;
}

}  // namespace orvex
