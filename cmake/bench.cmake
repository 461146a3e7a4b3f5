# The benchmark: a console program run under Wine by scripts/bench.
add_executable(pass_bench bench/pass_bench.cpp bench/literal_sampler.cpp bench/alloc_counter.cpp)
target_compile_options(pass_bench PRIVATE ${HUEPEEK_WARNINGS})
target_link_libraries(pass_bench PRIVATE huepeek_app)
target_link_options(pass_bench PRIVATE -static)
