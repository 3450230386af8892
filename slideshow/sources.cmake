# Slideshow: the generator and the pixel kernels are platform-free; the scene and the
# transition surface own platform sections and contexts.
list(APPEND SLIDE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/random_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fade_kernel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transition_kernels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_changes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catch_up_plan.cpp)
list(APPEND SLIDE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/transition_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/slideshow_scene.cpp)
