# Saver host: entry and switches, the saver window and its loop, close and password policy.
list(APPEND SLIDE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_tail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mode_dispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursor_movement.cpp)
