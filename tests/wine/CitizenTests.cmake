# Included by CMakeLists.txt: the launcher as a Windows program of its own.
# - wine.citizen: Unicode and long paths, the manifest, bitmap pictures (the
#   shared session);
# - wine.dpi: 96, 120 and 144 DPI, in a Wine prefix of its own, since the
#   tests change its LogPixels;
# - wine.planted: planted DLLs, with WINEDLLOVERRIDES preferring native
#   copies of the planted names (Wine reads it only from the environment of
#   the wine command, so it is set for the whole driver run).
target_sources(wine_tests PRIVATE CitizenTest.cpp DpiTest.cpp Modules.cpp PlantedDllTest.cpp)
target_link_libraries(wine_tests PRIVATE psapi)

# Copies of planted.dll stand for system DLLs; plant_control.exe loads them
# as a program without hardening would.
add_library(planted SHARED PlantedDll.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
target_compile_definitions(planted PRIVATE ${windows_definitions})
target_link_options(planted PRIVATE -s ${static_runtime})
add_executable(plant_control WIN32 PlantControl.cpp)
target_compile_definitions(plant_control PRIVATE ${windows_definitions})
target_link_options(plant_control PRIVATE -municode -s ${static_runtime})
# Beside the driver and recorder.exe, where the tests look for them.
set_target_properties(planted plant_control PROPERTIES
                      RUNTIME_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:recorder>)
add_dependencies(wine_tests planted plant_control)

set(citizen_environment
    "ORVEX_LAUNCHER=$<TARGET_FILE:autorun>;ORVEX_TEST_TEMP=${CMAKE_CURRENT_BINARY_DIR}/media")

orvex_add_wine_group(citizen "Citizen*:*/Citizen*")

set(dpi_session_dir ${CMAKE_CURRENT_BINARY_DIR}/session-dpi)
add_test(NAME wine.dpi.session.start
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/wine-session.sh start ${dpi_session_dir}
                 ${PROJECT_BINARY_DIR}/wineprefix-dpi ${ORVEX_WINE_LOADER})
set_tests_properties(wine.dpi.session.start PROPERTIES FIXTURES_SETUP wine_dpi_session
                                                       TIMEOUT 180 RESOURCE_LOCK wine_session)
add_test(NAME wine.dpi.session.stop
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/wine-session.sh stop ${dpi_session_dir})
set_tests_properties(wine.dpi.session.stop PROPERTIES FIXTURES_CLEANUP wine_dpi_session
                                                      TIMEOUT 60 RESOURCE_LOCK wine_session)
add_test(NAME wine.dpi
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/run-in-session.sh ${dpi_session_dir}
                 $<TARGET_FILE:wine_tests> --gtest_filter=Dpi* --gtest_color=no)
set_tests_properties(wine.dpi PROPERTIES
  FIXTURES_REQUIRED wine_dpi_session
  RESOURCE_LOCK wine_session
  SKIP_RETURN_CODE 77
  TIMEOUT 240
  ENVIRONMENT "${citizen_environment};ORVEX_DPI_PREFIX=1")

add_test(NAME wine.planted
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/run-in-session.sh ${session_dir}
                 $<TARGET_FILE:wine_tests> --gtest_filter=Planted* --gtest_color=no)
set_tests_properties(wine.planted PROPERTIES
  FIXTURES_REQUIRED wine_session
  RESOURCE_LOCK wine_session
  SKIP_RETURN_CODE 77
  TIMEOUT 240
  ENVIRONMENT
    "${citizen_environment};ORVEX_PLANTED_DLL_TEST=1;WINEDLLOVERRIDES=uxtheme,comctl32,gdiplus,windowscodecs,msimg32=n,b")

# Not in wine.other.
string(APPEND all_named ":Citizen*:*/Citizen*:Dpi*:Planted*")
