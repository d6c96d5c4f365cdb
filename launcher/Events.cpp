#include "launcher/ActionRunner.h"
#include "launcher/Launcher.h"

namespace orvex {

void OnButtonClick(PlatformServices& platform, const SplashState& state, int index) {
  RunCommand(platform, state.buttons.commands.at(index));
}

void OnWindowClose(PlatformServices& platform) { platform.EndProgram(ExitStatus::Normal); }

}  // namespace orvex
