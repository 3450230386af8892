list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll_rule_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_corner_test.cpp)
# Under Wine against the real registry of the prefix and the real dialog templates.
list(APPEND SLIDE_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/settings_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_store_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_end_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_drag_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_palette_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/images/bitmap_resource_palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scaled_dialog_test.cpp)

if(SLIDE_WINDOWS)
  # Finds the settings dialog of a running slide.scr for tools/capture-dialog.sh, which
  # looks for it beside slide.scr.
  add_executable(dialog_probe ${CMAKE_CURRENT_LIST_DIR}/dialog_probe.cpp)
  target_compile_options(dialog_probe PRIVATE ${SLIDE_WARNINGS})
  target_link_libraries(dialog_probe PRIVATE user32)
  target_link_options(dialog_probe PRIVATE ${SLIDE_STATIC_LINK})
endif()
