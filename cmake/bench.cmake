# The benchmark: a console program run under Wine by scripts/bench.
add_executable(pass_bench bench/pass_bench.cpp bench/literal_sampler.cpp bench/alloc_counter.cpp)
target_compile_options(pass_bench PRIVATE ${HUEPEEK_WARNINGS})
target_link_libraries(pass_bench PRIVATE huepeek_app)
target_link_options(pass_bench PRIVATE -static)
target_include_directories(pass_bench PRIVATE bench tests/win)

# The soak: its Windows driver, and a program that leaks one screen DC per
# pass, built only to show that the soak sees a leak.
add_executable(soak_driver bench/soak_driver.cpp)
target_include_directories(soak_driver PRIVATE bench tests/win)
target_compile_options(soak_driver PRIVATE ${HUEPEEK_WARNINGS})
target_compile_definitions(soak_driver PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(soak_driver PRIVATE user32 gdi32 kernel32)
target_link_options(soak_driver PRIVATE -static)

get_target_property(HUEPEEK_APP_SOURCES huepeek_app SOURCES)
add_library(huepeek_app_leaky STATIC ${HUEPEEK_APP_SOURCES})
target_include_directories(huepeek_app_leaky PUBLIC src)
target_compile_definitions(huepeek_app_leaky PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0601 HUEPEEK_LEAK_SCREEN_DC)
target_compile_options(huepeek_app_leaky PRIVATE ${HUEPEEK_WARNINGS} ${HUEPEEK_WINDOWS_FLAGS})
target_link_libraries(huepeek_app_leaky PUBLIC huepeek_readout user32 gdi32 kernel32)
add_executable(Huepeek_leaky WIN32 src/app/winmain.cpp res/huepeek.rc)
target_link_libraries(Huepeek_leaky PRIVATE huepeek_app_leaky)
target_link_options(Huepeek_leaky PRIVATE -static -s)

# One minute of it in every test run: no growth from the first sample to the last.
add_test(NAME soak_one_minute
         COMMAND python3 ${CMAKE_SOURCE_DIR}/bench/soak run $<TARGET_FILE:Huepeek> 1
                 ${CMAKE_BINARY_DIR}/soak-one-minute.csv --check)
set_tests_properties(soak_one_minute PROPERTIES TIMEOUT 300
    ENVIRONMENT "WINEPREFIX=${CMAKE_SOURCE_DIR}/build/wineprefix;WINEDEBUG=-all")
