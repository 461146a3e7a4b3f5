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
