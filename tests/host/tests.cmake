# Tests of the saver host.
list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_tail_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mode_dispatch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursor_movement_test.cpp)
