# Command-line wizard benchmark: the whole process, start to settings file written.
add_executable(bench_cli ${CMAKE_CURRENT_SOURCE_DIR}/bench_cli.cpp)
target_link_libraries(bench_cli PRIVATE benchmark::benchmark)
target_compile_definitions(bench_cli PRIVATE QX_CLI_PATH="$<TARGET_FILE:qx7r310-wizard-cli>")
add_dependencies(bench_cli qx7r310-wizard-cli)
set_target_properties(bench_cli PROPERTIES
  AUTOMOC OFF
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
