# Checks a built launcher without running it:
#   cmake -DEXE=autorun.exe -DOBJDUMP=<objdump> -DFORMAT=PE32|PE32+
#         [-DBUDGET=<bytes>] [-DWINDRES=<windres> -DVERSION=<x.y.z>]
#         -P CheckExecutable.cmake
# - the file is a FORMAT Windows GUI program;
# - every DLL it imports is a KnownDLL, which Windows loads only from its own
#   directory, so nothing planted beside the launcher can stand in for it;
# - it is no larger than BUDGET bytes;
# - with VERSION: it carries the icon (16-colour and 32-bit images), the
#   manifest and the version resource.
# Prints every problem found and fails if there is any.
cmake_minimum_required(VERSION 3.25)

foreach(required EXE OBJDUMP FORMAT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "CheckExecutable: ${required} is not set")
  endif()
endforeach()
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "CheckExecutable: ${EXE} does not exist")
endif()

# KnownDLLs of every Windows from Vista to 11.
set(known_dlls
  advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi
  ole32 oleaut32 psapi rpcrt4 setupapi shell32 shlwapi user32 wldap32 ws2_32)

set(problems "")
get_filename_component(name "${EXE}" NAME)

execute_process(COMMAND ${OBJDUMP} -p "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "CheckExecutable: ${OBJDUMP} cannot read ${EXE}")
endif()

string(REGEX MATCH "Magic[ \t]+[0-9a-fA-F]+[ \t]+\\(([^)]*)\\)" magic "${headers}")
set(found_format "${CMAKE_MATCH_1}")
if(NOT found_format STREQUAL FORMAT)
  list(APPEND problems "${name} is \"${found_format}\", not ${FORMAT}")
endif()

string(REGEX MATCH "Subsystem[ \t]+[0-9a-fA-F]+[ \t]+\\(([^)]*)\\)" subsystem "${headers}")
if(NOT CMAKE_MATCH_1 STREQUAL "Windows GUI")
  list(APPEND problems "${name} is not a GUI program (subsystem \"${CMAKE_MATCH_1}\")")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  list(APPEND problems "${name} has no import table")
endif()
set(imported "")
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: ([^ \t\r]+).*" "\\1" dll "${line}")
  string(TOLOWER "${dll}" dll)
  list(APPEND imported ${dll})
  string(REGEX REPLACE "\\.dll$" "" base "${dll}")
  if(NOT base IN_LIST known_dlls)
    list(APPEND problems "${name} imports ${dll}, which is not a KnownDLL")
  endif()
endforeach()

file(SIZE "${EXE}" size)
if(DEFINED BUDGET)
  if(size GREATER BUDGET)
    list(APPEND problems "${name} has ${size} bytes, over its budget of ${BUDGET} bytes")
  endif()
endif()

if(DEFINED VERSION)
  if(NOT DEFINED WINDRES)
    message(FATAL_ERROR "CheckExecutable: VERSION needs WINDRES")
  endif()
  # windres reads the resources of a PE file back as a resource script.
  execute_process(COMMAND ${WINDRES} -i "${EXE}" -O rc OUTPUT_VARIABLE resources
                  RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    list(APPEND problems "${name}: its resources cannot be read: ${errors}")
  endif()
  string(REPLACE "." ", " version_numbers "${VERSION}")
  # Each: what must appear, and what it means when it does not.
  set(expectations
    "1 14 /\\* RT_GROUP_ICON \\*/" "no icon group 1"
    "\"\\\\040\\\\040\\\\020\\\\000\", 1, 4," "no 32 x 32 icon in 16 colours"
    "\"\\\\020\\\\020\\\\020\\\\000\", 1, 4," "no 16 x 16 icon in 16 colours"
    "1 24 /\\* RT_MANIFEST \\*/" "no manifest (RT_MANIFEST 1)"
    "level=\"\"asInvoker\"\"" "the manifest does not ask for asInvoker"
    "<dpiAware[^>]*>true</dpiAware>" "the manifest does not declare DPI awareness"
    "<dpiAwareness[^>]*>system</dpiAwareness>" "the manifest does not declare system DPI awareness"
    "<longPathAware[^>]*>true</longPathAware>" "the manifest does not declare long paths"
    "e2011457-1546-43c5-a5fe-008deee3d3f0" "the manifest does not name Windows Vista"
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a" "the manifest does not name Windows 7"
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38" "the manifest does not name Windows 8"
    "1f676c76-80e1-4239-95bb-83d0f6d0da78" "the manifest does not name Windows 8.1"
    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a" "the manifest does not name Windows 10 and 11"
    "name=\"\"Microsoft.Windows.Common-Controls\"\" version=\"\"6.0.0.0\"\""
    "the manifest does not depend on Common Controls 6"
    "FILEVERSION ${version_numbers}, 0" "the file version is not ${VERSION}"
    "PRODUCTVERSION ${version_numbers}, 0" "the product version is not ${VERSION}"
    "VALUE \"ProductName\", \"Orvex AutoRun\"" "the product name is not Orvex AutoRun"
    "VALUE \"FileVersion\", \"${VERSION}\"" "the version text is not ${VERSION}"
    "VALUE \"ProductVersion\", \"${VERSION}\"" "the product version text is not ${VERSION}"
    "VALUE \"FileDescription\", \"[^\"]+\"" "there is no file description"
  )
  # Line breaks and indentation of the manifest do not matter.
  string(REGEX REPLACE "\"\n[ \t]*\"" "" joined "${resources}")
  string(REGEX REPLACE "\\\\n\"?[ \t]*\"?" " " joined "${joined}")
  string(REGEX REPLACE "[ \t]+" " " joined "${joined}")
  while(expectations)
    list(POP_FRONT expectations pattern meaning)
    string(REGEX REPLACE "[ \t]+" " " pattern "${pattern}")
    if(NOT joined MATCHES "${pattern}")
      list(APPEND problems "${name}: ${meaning}")
    endif()
  endwhile()
  # The 32-bit icon images: size in pixels, as the icon group writes it in
  # octal (256 as 0), and above 48 pixels PNG data ("\x89PNG" as the first
  # word of the image).
  set(true_colour_icons 16 020 20 024 24 030 32 040 40 050 48 060 64 100 256 000)
  while(true_colour_icons)
    list(POP_FRONT true_colour_icons pixels octal)
    set(entry "\"\\\\${octal}\\\\${octal}\\\\000\\\\000\", 1, 32, 0x[0-9a-f]+L, ([0-9]+)")
    if(NOT resources MATCHES "${entry}")
      list(APPEND problems "${name}: no ${pixels} x ${pixels} icon in 32 bits")
    elseif(pixels GREATER 48 AND
           NOT resources MATCHES "\n${CMAKE_MATCH_1} 3 /\\* RT_ICON \\*/\nBEGIN\n *0x474e5089L")
      list(APPEND problems "${name}: the ${pixels} x ${pixels} icon is not PNG-compressed")
    endif()
  endwhile()
endif()

list(JOIN imported ", " imported_text)
message(STATUS "${name}: ${found_format}, ${size} bytes, imports ${imported_text}")
if(problems)
  list(JOIN problems "\n  " problem_text)
  message(FATAL_ERROR "CheckExecutable found problems:\n  ${problem_text}")
endif()
