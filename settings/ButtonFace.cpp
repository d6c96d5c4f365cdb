#include "settings/ButtonFace.h"

namespace orvex {

ButtonFace ChooseButtonFace(const ButtonValues& values, bool installed) {
  ButtonFace face{true, values.caption, values.action, ""};
  if (!installed || !values.installed) return face;
  face.shown = values.installedShow;
  if (!values.installedCaption.empty()) face.caption = values.installedCaption;
  if (!values.installedAction.empty() || !values.installedOpen.empty()) {
    face.action = values.installedAction;
    face.open = values.installedOpen;
  }
  return face;
}

}  // namespace orvex
