# Compiler settings shared by every target of ours (not by GoogleTest).
add_library(timer_options INTERFACE)
target_compile_features(timer_options INTERFACE cxx_std_17)
target_compile_options(timer_options INTERFACE
  -Wall -Wextra -Werror
  # Sources are UTF-8; the program's texts are GBK bytes.
  -finput-charset=UTF-8 -fexec-charset=GBK)

if(WIN32)
  # Small release binaries: optimised for size (after CMake's own -O3, so
  # this one wins), unused code dropped, symbols stripped.
  target_compile_options(timer_options INTERFACE $<$<CONFIG:Release>:-Os> -ffunction-sections -fdata-sections)
  target_link_options(timer_options INTERFACE -Wl,--gc-sections $<$<CONFIG:Release>:-s>)
  # Sections start on page boundaries in the file as in memory. The loader
  # can then map the exe as it lies on disk, and only the pages the program
  # touches cost memory; Wine copies an image whose sections do not line up
  # (the linker's default alignment is 512 bytes) into private memory whole,
  # the 5 MB alarm sound included.
  target_link_options(timer_options INTERFACE -Wl,--file-alignment,4096)
  # The same bytes from the same source, wherever and whenever it is built:
  # no link time in the PE header, and paths that reach the binary (__FILE__)
  # written relative to the tree, not as this machine's absolute paths. The
  # build tree's map comes last, so it wins for files generated there. (No
  # source uses __DATE__ or __TIME__.)
  target_compile_options(timer_options INTERFACE
    "-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=" "-ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/")
  target_link_options(timer_options INTERFACE -Wl,--no-insert-timestamp)
  target_compile_definitions(timer_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
endif()

option(TIMER_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TIMER_SANITIZE)
  target_compile_options(timer_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(timer_options INTERFACE -fsanitize=address,undefined)
endif()

# timer_add_test(NAME SOURCES... LIBS ...): one GoogleTest binary, one ctest entry.
function(timer_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} timer_options GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

# timer_add_gui_test(NAME SOURCES... LIBS... [ARGS...] [ENVIRONMENT...]): a
# Windows GoogleTest binary that creates windows. It runs in a Wine virtual
# desktop named after the test, so that windows behave as on a Windows
# desktop, in a display lane of its own (cmake/display_lanes.json).
function(timer_add_gui_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ARGS;ENVIRONMENT" ${ARGN})
  # Each binary also checks that its run has the ANSI code page its entry
  # names (TIMER_EXPECT_ACP: 936 here, 1252 in timer_add_cp1252_run).
  add_executable(${name} ${T_SOURCES} "${PROJECT_SOURCE_DIR}/tests/code_page_test.cpp")
  target_link_libraries(${name} PRIVATE ${T_LIBS} timer_options GTest::gtest_main)
  add_test(NAME ${name}
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run" --desktop ${name} $<TARGET_FILE:${name}> ${T_ARGS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 180)
  endif()
  # Every virtual desktop of one X display shares its pointer and keyboard
  # focus: a test that shows windows takes a display lane of its own (a Wine
  # session and Xvfb of its own, scripts/wine-run), which it shares with no
  # other test while it runs.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} RESOURCE_GROUPS display:1)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "TIMER_EXPECT_ACP=936;${T_ENVIRONMENT}")
endfunction()

# timer_add_cp1252_run(TARGET [ARGS...]): runs a GUI test binary once more in
# a Wine whose ANSI code page is 1252 instead of 936. The program's Chinese
# texts must come through intact there too, because every text crosses into
# Windows as UTF-16. The binary checks GetACP() against TIMER_EXPECT_ACP.
function(timer_add_cp1252_run target)
  set(name ${target}_cp1252)
  add_test(NAME ${name}
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run" --desktop ${name} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 RESOURCE_GROUPS display:1
    ENVIRONMENT "WINE_RUN_LANG=en_US.UTF-8;TIMER_EXPECT_ACP=1252")
endfunction()
