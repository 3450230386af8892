# The display loop's pace and processor time under Wine (a Windows program, not a test):
# make win BUILD_ROOT=... TARGET=display_loop_bench, then bench/display_loop_bench.sh.
if(SLIDE_WINDOWS)
  # With the product's manifest, so that it sees the desktop's scale as the saver does.
  add_executable(display_loop_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/display_loop_bench.cpp ${SLIDE_RC}
                 ${SLIDE_PRODUCT_RC})
  target_compile_options(display_loop_bench PRIVATE ${SLIDE_WARNINGS})
  target_link_libraries(display_loop_bench PRIVATE slide_win psapi)
  target_link_options(display_loop_bench PRIVATE ${SLIDE_STATIC_LINK})
endif()

# The brightness kernel beside a plain copy of the same buffer (the bandwidth bound).
if(SLIDE_BENCH AND NOT SLIDE_WINDOWS)
  find_package(benchmark REQUIRED)
  add_executable(scale_brightness_bench ${CMAKE_CURRENT_LIST_DIR}/scale_brightness_bench.cpp)
  target_compile_options(scale_brightness_bench PRIVATE ${SLIDE_WARNINGS} -O2)
  target_link_libraries(scale_brightness_bench PRIVATE slide_core benchmark::benchmark)
endif()
