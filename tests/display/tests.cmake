list(APPEND SLIDE_NATIVE_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/frame_clock_core_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dim_in_plan_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scale_brightness_test.cpp)
