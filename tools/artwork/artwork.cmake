# The artwork generator: a native tool that paints every picture the saver embeds. It is
# built optimised and without sanitizers so the whole set is painted in a few seconds.
set(ARTWORK_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/about_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_quantiser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ico_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icon_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_ops.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/noise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/palette_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_aurora.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_dusk_lake.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_fractal_spiral.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_nebula.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_rose_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_sunset_sea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_font_glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shader_render.cpp)

find_package(JPEG REQUIRED)
find_package(Threads REQUIRED)

add_library(artwork_core STATIC ${ARTWORK_CORE_SOURCES})
target_include_directories(artwork_core PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${SLIDE_GENERATED_DIR})
target_compile_options(artwork_core PRIVATE ${SLIDE_WARNINGS} -O2)
target_link_libraries(artwork_core PUBLIC JPEG::JPEG Threads::Threads)

add_executable(artwork_generator ${CMAKE_CURRENT_LIST_DIR}/artwork_generator.cpp)
target_compile_options(artwork_generator PRIVATE ${SLIDE_WARNINGS} -O2)
target_link_libraries(artwork_generator PRIVATE artwork_core)

set(ARTWORK_OUTPUTS)
foreach(name picture_1.jpg picture_2.jpg picture_3.jpg picture_4.jpg picture_5.jpg picture_6.jpg
             palette.bmp sample.bmp about.bmp sample_150.bmp about_150.bmp sample_200.bmp about_200.bmp slide.ico)
  list(APPEND ARTWORK_OUTPUTS ${SLIDE_ARTWORK_DIR}/${name})
endforeach()
add_custom_command(
  OUTPUT ${ARTWORK_OUTPUTS}
  COMMAND artwork_generator ${SLIDE_ARTWORK_DIR}
  DEPENDS artwork_generator
  COMMENT "Painting the embedded artwork into ${SLIDE_ARTWORK_DIR}"
  VERBATIM)
add_custom_target(artwork ALL DEPENDS ${ARTWORK_OUTPUTS})
