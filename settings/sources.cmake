list(APPEND SLIDE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll_rule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_corner.cpp)
list(APPEND SLIDE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp)
