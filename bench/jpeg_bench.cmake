# Picture decode through JpegImage::Load beside the plain library decode, under Wine (a
# Windows program, not a test): make win BUILD_ROOT=... TARGET=jpeg_bench, then
# bench/jpeg_bench.sh WIN_BUILD_DIR.
if(SLIDE_WINDOWS)
  add_executable(jpeg_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/jpeg_bench.cpp ${SLIDE_RC})
  target_compile_options(jpeg_bench PRIVATE ${SLIDE_WARNINGS})
  target_link_libraries(jpeg_bench PRIVATE slide_win)
  target_link_options(jpeg_bench PRIVATE ${SLIDE_STATIC_LINK})
endif()
