# Linux host build: the pure code with its tests, plus checks of the shipped exe.
find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()

add_executable(readout_tests tests/readout_test.cpp tests/placement_test.cpp)
target_link_libraries(readout_tests PRIVATE huepeek_readout GTest::gtest_main)
target_include_directories(readout_tests PRIVATE src)
target_compile_options(readout_tests PRIVATE ${HUEPEEK_WARNINGS})
gtest_discover_tests(readout_tests)

set(HUEPEEK_SHIPPED_EXE "${CMAKE_SOURCE_DIR}/build/win32/Huepeek.exe"
    CACHE FILEPATH "The shipped 32-bit program that the exe checks read")
add_executable(exe_checks tests/native/pe_image.cpp tests/native/exe_check_test.cpp)
target_include_directories(exe_checks PRIVATE tests/native)
target_link_libraries(exe_checks PRIVATE GTest::gtest_main)
target_compile_options(exe_checks PRIVATE ${HUEPEEK_WARNINGS})
target_compile_definitions(exe_checks PRIVATE HUEPEEK_SHIPPED_EXE="${HUEPEEK_SHIPPED_EXE}")
gtest_discover_tests(exe_checks)

add_test(NAME shipped_exe_resources
         COMMAND ${CMAKE_SOURCE_DIR}/tests/native/resources_check.sh ${HUEPEEK_SHIPPED_EXE})

add_test(NAME shipped_exe_is_reproducible
         COMMAND ${CMAKE_SOURCE_DIR}/tests/native/reproducible_check.sh ${CMAKE_SOURCE_DIR}
                 ${HUEPEEK_SHIPPED_EXE})
set_tests_properties(shipped_exe_is_reproducible PROPERTIES TIMEOUT 600)
