list(APPEND SLIDE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frame_clock_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dim_in_plan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monitor_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wallpaper_placement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scale_brightness.cpp)
list(APPEND SLIDE_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/monitor_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_surfaces.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_change.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktop_look.cpp
    ${CMAKE_CURRENT_LIST_DIR}/drawn_desktop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/secure_desktop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_power.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frame_clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/invalidation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/painting.cpp
    ${CMAKE_CURRENT_LIST_DIR}/palette.cpp
    ${CMAKE_CURRENT_LIST_DIR}/display_window_proc.cpp)
