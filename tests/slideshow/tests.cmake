list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/random_generator_test.cpp)
