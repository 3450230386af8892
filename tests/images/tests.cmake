# Images: the decoding core and pixel rules natively under the sanitizers; the resource
# stream, images and image list under Wine against resources of the test executable.

# The JPEG decoding core in slide_core needs the library in both builds.
if(SLIDE_WINDOWS)
  target_link_libraries(slide_core PUBLIC slide_jpeg)
else()
  target_link_libraries(slide_core PUBLIC jpeg)
endif()

list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_test_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_memory_decode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memory_byte_source_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_source_manager_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_decode_job_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bottom_up_row_writer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transparency_mask_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/four_three_box_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_resampler_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_source_test.cpp)

list(APPEND SLIDE_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/resource_stream_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shared_memory_dcs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_image_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_list_test.cpp)
list(APPEND SLIDE_WIN_TEST_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/test_resources.rc)

set(SLIDE_IMAGE_TEST_FILES ten_bytes.bin block_4096.bin empty.bin truncated.jpg random.bin grey.jpg colour.jpg
    narrow.jpg cmyk.jpg true_colour.bmp indexed_3x2.bmp)
list(TRANSFORM SLIDE_IMAGE_TEST_FILES PREPEND ${SLIDE_ARTWORK_DIR}/test/)

if(SLIDE_WINDOWS)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/test_resources.rc PROPERTIES
                              OBJECT_DEPENDS "${SLIDE_IMAGE_TEST_FILES}")
elseif(NOT SLIDE_FUZZ AND NOT SLIDE_BENCH)
  # The test resources are made natively with the native libjpeg, beside the artwork.
  add_executable(image_test_resources ${CMAKE_CURRENT_LIST_DIR}/image_test_resources.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/jpeg_test_pictures.cpp)
  target_include_directories(image_test_resources PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(image_test_resources PRIVATE ${SLIDE_WARNINGS})
  target_link_libraries(image_test_resources PRIVATE jpeg)
  add_custom_command(OUTPUT ${SLIDE_IMAGE_TEST_FILES}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${SLIDE_ARTWORK_DIR}/test
                     COMMAND image_test_resources ${SLIDE_ARTWORK_DIR}/test
                     DEPENDS image_test_resources)
  add_custom_target(image_test_resource_files ALL DEPENDS ${SLIDE_IMAGE_TEST_FILES})
  if(TARGET artwork)
    add_dependencies(artwork image_test_resource_files)
  endif()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/fuzz.cmake)
