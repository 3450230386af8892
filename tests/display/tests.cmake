list(APPEND SLIDE_NATIVE_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/frame_clock_core_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dim_in_plan_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monitor_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wallpaper_placement_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scale_brightness_test.cpp)
list(APPEND SLIDE_WIN_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/display_test_support.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_surfaces_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/backdrop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_window_proc_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screen_view_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_change_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_power_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_palette_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/repaint_readback_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawn_desktop_test.cpp
    ${CMAKE_SOURCE_DIR}/tests/import_redirect.cpp
    ${CMAKE_SOURCE_DIR}/tests/images/bitmap_resource_palette.cpp
    ${CMAKE_SOURCE_DIR}/tests/settings/stored_settings.cpp
    ${CMAKE_SOURCE_DIR}/tests/host/saver_process.cpp)

if(SLIDE_WINDOWS)
  # The saver run as Windows starts it on its secure screen-saver desktop, with another window
  # and a wallpaper there: it shows the desktop drawn from its settings.
  add_test(NAME Display.SecureSaverDesktop
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/secure_saver_desktop.sh $<TARGET_FILE:slide>
                   $<TARGET_FILE:change_mode>)
endif()
