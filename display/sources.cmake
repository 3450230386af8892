list(APPEND SLIDE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/frame_clock_core.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dim_in_plan.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scale_brightness.cpp)
