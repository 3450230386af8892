list(APPEND SLIDE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/random_generator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fade_kernel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transition_kernels.cpp)
