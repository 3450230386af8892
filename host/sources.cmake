# Saver host: entry and switches, the saver window and its loop, close and password policy.
list(APPEND SLIDE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_tail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mode_dispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursor_movement.cpp)
# main.cpp holds WinMain and goes into the product only.
list(APPEND SLIDE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/class_registration_hook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/close_policy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_providers.cpp)
