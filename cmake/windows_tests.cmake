# The Windows test programs link GoogleTest, which needs std::mutex: GCC's
# win32 thread model has none, so they are built in a nested build with the
# posix-model compilers. They only ever run under Wine; the shipped program
# stays on the win32 model, whose runtime imports nothing Windows XP lacks.
include(ExternalProject)

set(_tests_build ${CMAKE_BINARY_DIR}/tests-build)
ExternalProject_Add(windows_tests
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${_tests_build}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-${CMAKE_SYSTEM_PROCESSOR}-posix.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DVEILMARK_WINDOWS_TESTS_ONLY=ON
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(_wine_arch win32)
else()
  set(_wine_arch win64)
endif()

set(_reports ${CMAKE_BINARY_DIR}/reports)
foreach(_program veilmark_tests veilmark_win_tests)
  add_test(NAME ${_program}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine_exec.sh ${CMAKE_BINARY_DIR}/test-prefix ${_wine_arch}
            ${_tests_build}/tests/${_program}.exe --gtest_output=xml:Z:${_reports}/${_program}.xml)
  # The runner answers 77 where this machine cannot run the programs at all.
  set_tests_properties(${_program} PROPERTIES SKIP_RETURN_CODE 77 ENVIRONMENT "VEILMARK_SCREENSHOTS=Z:${_reports}")
endforeach()

# End to end: veilmark.exe started and driven from outside by veilmark_e2e.exe,
# which prepares and reads the registry of its own prefix while it runs, in
# the locale of the first language (Traditional Chinese, code page 950, as
# the users' systems are). Alone, so no other program on the display takes
# the keyboard focus.
list(GET languages 0 _first)
set(_first_locale ${language_${_first}_locale}.UTF-8)
add_test(NAME app_e2e
  COMMAND ${PROJECT_SOURCE_DIR}/tools/wine_exec.sh ${CMAKE_BINARY_DIR}/app-test-prefix ${_wine_arch}
          ${_tests_build}/tests/veilmark_e2e.exe --gtest_filter=-*HelpViewer*
          --gtest_output=xml:Z:${_reports}/app_e2e.xml)
set_tests_properties(app_e2e PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900 RUN_SERIAL TRUE
  ENVIRONMENT "LANG=${_first_locale};LC_ALL=${_first_locale};VEILMARK_EXE=Z:$<TARGET_FILE:veilmark>;VEILMARK_SCREENSHOTS=Z:${_reports}")
# The program in the locale of each other language, each in a prefix of its own.
foreach(_language IN LISTS languages)
  if(_language STREQUAL _first)
    continue()
  endif()
  set(_locale ${language_${_language}_locale})
  add_test(NAME app_e2e_${_locale}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine_exec.sh ${CMAKE_BINARY_DIR}/app-test-prefix-${_locale} ${_wine_arch}
            ${_tests_build}/tests/veilmark_e2e.exe --gtest_filter=*Language*
            --gtest_output=xml:Z:${_reports}/app_e2e_${_locale}.xml)
  set_tests_properties(app_e2e_${_locale} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL TRUE
    ENVIRONMENT "LANG=${_locale}.UTF-8;LC_ALL=${_locale}.UTF-8;VEILMARK_EXE=Z:$<TARGET_FILE:veilmark>;VEILMARK_SCREENSHOTS=Z:${_reports}")
endforeach()
# The help viewer in the first language's locale, in a prefix made in that locale.
add_test(NAME help_viewer_e2e
  COMMAND ${PROJECT_SOURCE_DIR}/tools/wine_exec.sh ${CMAKE_BINARY_DIR}/help-test-prefix ${_wine_arch}
          ${_tests_build}/tests/veilmark_e2e.exe --gtest_filter=*HelpViewer*
          --gtest_output=xml:Z:${_reports}/help_viewer_e2e.xml)
set_tests_properties(help_viewer_e2e PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300 RUN_SERIAL TRUE
  ENVIRONMENT "LANG=${_first_locale};LC_ALL=${_first_locale};VEILMARK_EXE=Z:$<TARGET_FILE:veilmark>;VEILMARK_SCREENSHOTS=Z:${_reports}")

# Each compiled help file holds every page of its sources, in its language.
add_test(NAME help_file COMMAND ${PROJECT_SOURCE_DIR}/tools/check_help_file.sh ${help_checks})

if(_wine_arch STREQUAL "win32")
  # The program users get must load on Windows XP SP3.
  add_test(NAME xp_imports COMMAND ${PROJECT_SOURCE_DIR}/tools/check_imports.sh $<TARGET_FILE:veilmark>)
  add_test(NAME xp_imports_selftest COMMAND ${PROJECT_SOURCE_DIR}/tools/check_imports_selftest.sh)
  # On 64-bit Windows the program runs under WOW64: what it writes below
  # HKLM\SOFTWARE must land in the 64-bit view the system reads. Needs 32-bit
  # Wine in a 64-bit prefix of its own; 77 where 32-bit Wine cannot start.
  add_test(NAME wow64_view
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wow64_check.sh ${CMAKE_BINARY_DIR}/test-prefix-wow64
            ${_tests_build}/tests/veilmark_win_tests.exe)
  set_tests_properties(wow64_view PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
endif()
