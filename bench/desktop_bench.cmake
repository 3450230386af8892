# The desktop drawn from a large JPEG wallpaper beside a plain decode of the file, under Wine
# (a Windows program, not a test): make win TARGET=desktop_bench, then bench/desktop_bench.sh.
if(SLIDE_WINDOWS)
  add_executable(desktop_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/desktop_bench.cpp)
  target_compile_options(desktop_bench PRIVATE ${SLIDE_WARNINGS})
  target_link_libraries(desktop_bench PRIVATE slide_win)
  target_link_options(desktop_bench PRIVATE ${SLIDE_STATIC_LINK})
endif()
