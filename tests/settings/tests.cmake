list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll_rule_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_corner_test.cpp)
