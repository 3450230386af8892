# Tests of the artwork writers and painters. They link the generator's code, which the
# product's core library does not carry, so they get an executable of their own.
if(NOT SLIDE_WINDOWS AND ARTWORK_CORE_SOURCES)
  find_package(GTest REQUIRED)
  add_executable(artwork_tests
    ${CMAKE_CURRENT_LIST_DIR}/bmp_writer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/colour_quantiser_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ico_writer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg_writer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_script_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/small_artwork_test.cpp
    ${ARTWORK_CORE_SOURCES})
  target_include_directories(artwork_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tools/artwork ${SLIDE_GENERATED_DIR})
  # The resource script test compiles the resource scripts against the generated artwork.
  target_compile_definitions(artwork_tests PRIVATE SLIDE_SOURCE_FOLDER="${CMAKE_SOURCE_DIR}"
                             SLIDE_ARTWORK_FOLDER="${SLIDE_ARTWORK_DIR}"
                             SLIDE_GENERATED_FOLDER="${SLIDE_GENERATED_DIR}")
  add_dependencies(artwork_tests artwork)
  target_compile_options(artwork_tests PRIVATE ${SLIDE_WARNINGS} ${SLIDE_SANITIZER_FLAGS})
  target_link_options(artwork_tests PRIVATE ${SLIDE_SANITIZER_FLAGS})
  target_link_libraries(artwork_tests PRIVATE GTest::gtest_main JPEG::JPEG Threads::Threads)
  gtest_discover_tests(artwork_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
endif()
