# Images: byte sources, the JPEG decoding core and the pixel rules are platform-free;
# resource access, bitmaps and drawing contexts are the Win32 layer.
list(APPEND SLIDE_CORE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/memory_byte_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg_source_manager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg_decode_job.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bottom_up_row_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/transparency_mask.cpp
    ${CMAKE_CURRENT_LIST_DIR}/four_three_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_scale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_resampler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_source.cpp)
list(APPEND SLIDE_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/resource_stream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shared_memory_dcs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/memory_surface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/logical_palette.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg_image.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_list.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixel_section.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screen_dpi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resampled_section.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_file_decoder.cpp)
