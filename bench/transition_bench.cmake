# Transition steps beside the memory-bandwidth bound: native, optimised, no sanitizers.
if(SLIDE_BENCH AND NOT SLIDE_WINDOWS)
  find_package(benchmark REQUIRED)
  add_executable(transition_bench ${CMAKE_CURRENT_LIST_DIR}/transition_bench.cpp)
  target_compile_options(transition_bench PRIVATE ${SLIDE_WARNINGS} -O2)
  target_link_libraries(transition_bench PRIVATE slide_core benchmark::benchmark)
endif()
