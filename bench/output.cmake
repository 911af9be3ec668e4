# Settings output benchmarks: Serialize of a default document.
add_executable(bench_output ${CMAKE_CURRENT_SOURCE_DIR}/bench_output.cpp)
target_link_libraries(bench_output PRIVATE qx_output qx_core benchmark::benchmark)
set_target_properties(bench_output PROPERTIES
  AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
