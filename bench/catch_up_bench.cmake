# One Advance of the most frames a tick can carry, under Wine (a Windows program, not a test):
# make win BUILD_ROOT=... TARGET=catch_up_bench, then bench/catch_up_bench.sh WIN_BUILD_DIR.
if(SLIDE_WINDOWS)
  add_executable(catch_up_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/catch_up_bench.cpp ${SLIDE_RC})
  target_compile_options(catch_up_bench PRIVATE ${SLIDE_WARNINGS})
  target_link_libraries(catch_up_bench PRIVATE slide_win)
  target_link_options(catch_up_bench PRIVATE ${SLIDE_STATIC_LINK})
endif()
