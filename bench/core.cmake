# Calculation core benchmarks: the PLL search and candidate list, the minimum clock, the timing run and the clock form's whole chain.
add_executable(bench_core ${CMAKE_CURRENT_SOURCE_DIR}/bench_core.cpp)
target_link_libraries(bench_core PRIVATE qx_core benchmark::benchmark)
set_target_properties(bench_core PROPERTIES
  AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
