# The portable core's sources, relative to the project's root: the main
# build and the differential test's host build (tests/profiles/host) both
# take them from here.
set(orvex_core_sources
  platform/BitmapLayout.cpp
  platform/ColourForm.cpp
  platform/DeviceName.cpp
  platform/Failure.cpp
  platform/PathForms.cpp
  platform/PictureHeader.cpp
  platform/StartPolicy.cpp
  settings/ButtonFace.cpp
  settings/ButtonTable.cpp
  settings/Colour.cpp
  settings/Command.cpp
  settings/InstalledCheck.cpp
  settings/LanguageChoice.cpp
  settings/LetterCase.cpp
  settings/NumberText.cpp
  settings/Profile.cpp
  settings/ProfileReader.cpp
  settings/ProfileText.cpp
  settings/TextEncoding.cpp
  launcher/ActionRunner.cpp
  launcher/Appearance.cpp
  launcher/ButtonLayout.cpp
  launcher/Events.cpp
  launcher/StartUp.cpp
)
