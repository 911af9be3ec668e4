# Window benchmarks: program start-up against a bare main window, and one key to updated reports.
if(TARGET qx_ui_shell)
  # Not named bench_*: it is started by bench_ui, not run on its own.
  add_executable(qx_ui_startup_probe ${CMAKE_CURRENT_SOURCE_DIR}/bench_ui_probe.cpp)
  target_link_libraries(qx_ui_startup_probe PRIVATE qx_ui_shell)

  add_executable(bench_ui ${CMAKE_CURRENT_SOURCE_DIR}/bench_ui.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/WizardRunCounts.cpp)
  target_link_libraries(bench_ui PRIVATE qx_ui_shell benchmark::benchmark Qt6::Test)
  # The counted functions of WizardRunCounts.cpp, by their mangled names.
  target_link_options(bench_ui PRIVATE
    -Wl,--wrap=_ZN25CKXC2280RegisterWizardDoc13ComputeTimingEb
    -Wl,--wrap=_Z17ListPllCandidatesRK10PllRequest
    -Wl,--wrap=_Z9SearchPlldddii
    -Wl,--wrap=_Z21FindMinimumSystemFreqRK10PllRequestRK13CImageContext)
  add_dependencies(bench_ui qx_ui_startup_probe)
  target_compile_definitions(bench_ui PRIVATE
    QX_STARTUP_PROBE="$<TARGET_FILE:qx_ui_startup_probe>")
  set_target_properties(bench_ui qx_ui_startup_probe PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
