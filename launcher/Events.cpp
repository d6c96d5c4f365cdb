#include "launcher/ActionRunner.h"
#include "launcher/Launcher.h"

namespace orvex {

void OnButtonClick(PlatformServices& platform, const SplashState& state, int index) {
  RunAction(platform, state.buttons.actions.at(index));
}

void OnWindowClose(PlatformServices& platform) { platform.EndProgram(ExitStatus::Normal); }

}  // namespace orvex
