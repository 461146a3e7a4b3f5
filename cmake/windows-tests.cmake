# GoogleTest from Debian's source package, built with the -posix compilers.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
enable_testing()

function(huepeek_windows_test name)
    add_executable(${name} ${ARGN})
    target_compile_options(${name} PRIVATE ${HUEPEEK_WARNINGS})
    target_link_libraries(${name} PRIVATE huepeek_app gtest_main)
    target_link_options(${name} PRIVATE -static)
    # The emulator (Wine) is put in front of the command by CMake.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

huepeek_windows_test(win_readout_tests tests/readout_test.cpp tests/placement_test.cpp)
huepeek_windows_test(win_main_window_tests tests/win/main_window_test.cpp)
target_include_directories(win_main_window_tests PRIVATE tests/win)
huepeek_windows_test(win_real_input_tests tests/win/real_input_test.cpp)
target_include_directories(win_real_input_tests PRIVATE tests/win)
add_dependencies(win_real_input_tests Huepeek)
huepeek_windows_test(win_sampler_tests tests/win/sampler_test.cpp)
target_include_directories(win_sampler_tests PRIVATE tests/win)

# A winmm.dll planted in a folder of its own, with a program that imports it plainly.
add_library(planted_winmm SHARED tests/win/planted_winmm.cpp)
set_target_properties(planted_winmm PROPERTIES OUTPUT_NAME winmm PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
target_link_options(planted_winmm PRIVATE -static)
add_executable(plain_winmm_import tests/win/plain_winmm_import.cpp)
set_target_properties(plain_winmm_import PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
target_link_libraries(plain_winmm_import PRIVATE winmm)
target_link_options(plain_winmm_import PRIVATE -static)

huepeek_windows_test(win_program_tests tests/win/program_test.cpp)
target_include_directories(win_program_tests PRIVATE tests/win)
add_dependencies(win_program_tests Huepeek planted_winmm plain_winmm_import)
set_tests_properties(win_program_tests PROPERTIES ENVIRONMENT WINEDLLOVERRIDES=winmm=n,b)

# Run in a prefix of its own whose display is scaled to 200 % (scripts/lib.sh makes it).
add_executable(win_dpi_tests tests/win/dpi_test.cpp)
target_include_directories(win_dpi_tests PRIVATE tests/win)
target_compile_options(win_dpi_tests PRIVATE ${HUEPEEK_WARNINGS})
target_link_libraries(win_dpi_tests PRIVATE huepeek_app gtest_main)
target_link_options(win_dpi_tests PRIVATE -static)
add_test(NAME win_dpi_tests
         COMMAND /usr/bin/env WINEPREFIX=${CMAKE_SOURCE_DIR}/build/wineprefix-dpi WINEDEBUG=-all
                 /usr/lib/wine/wine64 $<TARGET_FILE:win_dpi_tests>)
set_tests_properties(win_dpi_tests PROPERTIES TIMEOUT 600)
