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

huepeek_windows_test(win_readout_tests tests/readout_test.cpp)
