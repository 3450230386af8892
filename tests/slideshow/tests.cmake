list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/random_generator_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fade_kernel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transition_kernels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_changes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_placement_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catch_up_plan_test.cpp)
list(APPEND SLIDE_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/slideshow_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transition_surface_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slideshow_scene_test.cpp)
