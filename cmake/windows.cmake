# Windows builds: the shipped program (win32) and the same sources with the
# Windows-side tests (win64, run under Wine).
enable_language(RC)

set(HUEPEEK_WINDOWS_FLAGS -Os -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti
    -fno-asynchronous-unwind-tables "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.")
target_compile_options(huepeek_readout PRIVATE ${HUEPEEK_WINDOWS_FLAGS})

add_library(huepeek_app STATIC
    src/app/shared.cpp
    src/app/main_window.cpp
    src/app/program.cpp
    src/sampling/pixel_buffer.cpp
    src/sampling/sampler.cpp)
target_include_directories(huepeek_app PUBLIC src)
target_compile_definitions(huepeek_app PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_compile_options(huepeek_app PRIVATE ${HUEPEEK_WARNINGS} ${HUEPEEK_WINDOWS_FLAGS})
target_link_libraries(huepeek_app PUBLIC huepeek_readout user32 gdi32 kernel32)

add_executable(Huepeek WIN32 src/app/winmain.cpp res/huepeek.rc)
target_compile_options(Huepeek PRIVATE ${HUEPEEK_WARNINGS} ${HUEPEEK_WINDOWS_FLAGS})
target_link_libraries(Huepeek PRIVATE huepeek_app)
# Hardened (ASLR with its relocations, DEP, terminal-server aware) and reproducible.
target_link_options(Huepeek PRIVATE -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(Huepeek PRIVATE -Wl,--large-address-aware)
endif()

if(HUEPEEK_WINDOWS_TESTS)
    include(cmake/windows-tests.cmake)
    include(cmake/bench.cmake)
endif()
