#include "launcher/ActionRunner.h"
#include "launcher/Launcher.h"

namespace orvex {

void RefreshButtons(PlatformServices& platform, SplashState& state) {
  ButtonTable fresh = state.buttons;
  PackButtons(platform, fresh);
  // The window is activated often, also while it is being shown: it is laid
  // out again only when what it shows has changed.
  const ButtonTable& now = state.buttons;
  if (fresh.count != now.count || fresh.sectionOf != now.sectionOf ||
      fresh.captions != now.captions || fresh.commands != now.commands) {
    state.buttons = std::move(fresh);
    ShowCaptions(platform, state.buttons);
    ResetButtonPlaces(platform);
    ApplyButtonLayout(platform, state.buttons.count);
  }
  for (int slot = 0; slot < state.buttons.count; ++slot) {
    platform.SetButtonEnabled(slot, state.running.at(state.buttons.sectionOf[slot]) == 0);
  }
}

void OnButtonClick(PlatformServices& platform, SplashState& state, int index) {
  const Command& command = state.buttons.commands.at(index);
  if (!state.stayOpen) RunCommand(platform, command);
  const int section = state.buttons.sectionOf.at(index);
  if (RunCommandStayingOpen(platform, command, section)) {
    // No second installer from a double click.
    ++state.running.at(section);
    platform.SetButtonEnabled(index, false);
  }
}

void OnProgramEnded(PlatformServices& platform, SplashState& state, int tag) {
  if (state.running.at(tag) > 0) --state.running.at(tag);
  RefreshButtons(platform, state);
}

void OnWindowActivated(PlatformServices& platform, SplashState& state) {
  if (state.stayOpen) RefreshButtons(platform, state);
}

void OnWindowClose(PlatformServices& platform) { platform.EndProgram(ExitStatus::Normal); }

}  // namespace orvex
