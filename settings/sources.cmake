# Settings: the record and its rules are platform-free; the store, the dialog and the
# About box are the Win32 layer.
list(APPEND SLIDE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll_rule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_corner.cpp)
list(APPEND SLIDE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp)
