# Settings output benchmarks: Serialize of a default document.
add_executable(bench_output ${CMAKE_CURRENT_SOURCE_DIR}/bench_output.cpp)
target_link_libraries(bench_output PRIVATE qx_output qx_core benchmark::benchmark)
# The recording prompt of the tests, a header of its own.
target_include_directories(bench_output PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
set_target_properties(bench_output PROPERTIES
  AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
