// Program start. The two entry points from the system, start-up here and the
// window's events, each turn a failure into the fatal report in one place.
#include <windows.h>

#include <new>

#include "launcher/Launcher.h"
#include "platform/Failure.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

namespace {

template <typename Work>
void Guarded(orvex::win32::Win32Platform& platform, Work&& work) noexcept {
  using orvex::Failure;
  using orvex::FailureKind;
  try {
    work();
  } catch (const Failure& failure) {
    platform.ReportFatalFailure(failure);
  } catch (const std::bad_alloc&) {
    platform.ReportFatalFailure(Failure(FailureKind::OutOfMemory, ""));
  } catch (const std::exception& unexpected) {
    platform.ReportFatalFailure(Failure(FailureKind::Internal, unexpected.what()));
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything else can load a DLL from the medium or the current
  // directory.
  orvex::win32::HardenDllSearch();

  orvex::win32::Win32Platform platform(instance);
  orvex::SplashState state;
  Guarded(platform, [&] {
    orvex::win32::SplashWindow& splash = platform.CreateSplash();
    splash.SetHandlers(
        [&](int index) {
          Guarded(platform, [&] { orvex::OnButtonClick(platform, state, index); });
        },
        [&] { Guarded(platform, [&] { orvex::OnWindowClose(platform); }); });
    splash.SetStayOpenHandlers(
        [&] { Guarded(platform, [&] { orvex::OnWindowActivated(platform, state); }); },
        [&](int tag) { Guarded(platform, [&] { orvex::OnProgramEnded(platform, state, tag); }); });
    orvex::StartUp(platform, state);
  });
  return platform.Splash().ShowAndRun();
}
