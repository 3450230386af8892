# The Windows product: slide.scr, one self-contained GUI executable.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
set(SLIDE_JPEG_DIR ${SLIDE_THIRD_PARTY_DIR}/libjpeg)
add_library(slide_jpeg STATIC IMPORTED)
set_target_properties(slide_jpeg PROPERTIES
  IMPORTED_LOCATION ${SLIDE_JPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${SLIDE_JPEG_DIR}/include)

set(SLIDE_WIN_LIBS user32 gdi32 advapi32 winmm ole32 kernel32)
set(SLIDE_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_library(slide_core STATIC ${SLIDE_CORE_SOURCES})
target_include_directories(slide_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(slide_core PRIVATE ${SLIDE_WARNINGS})

set(SLIDE_MAIN ${CMAKE_SOURCE_DIR}/host/main.cpp)
list(REMOVE_ITEM SLIDE_WIN_SOURCES ${SLIDE_MAIN})
add_library(slide_win STATIC ${SLIDE_WIN_SOURCES})
target_compile_options(slide_win PRIVATE ${SLIDE_WARNINGS})
target_link_libraries(slide_win PUBLIC slide_core slide_jpeg ${SLIDE_WIN_LIBS})

# Resources: the generated artwork and the version header are on windres' include path.
set(SLIDE_RC ${CMAKE_SOURCE_DIR}/resources/slide.rc)
set(SLIDE_PRODUCT_RC ${CMAKE_SOURCE_DIR}/resources/product_only.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${SLIDE_ARTWORK_DIR} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/resources -I${SLIDE_GENERATED_DIR} -c65001")
file(GLOB SLIDE_ARTWORK_FILES ${SLIDE_ARTWORK_DIR}/*)
set_source_files_properties(${SLIDE_RC} ${SLIDE_PRODUCT_RC} PROPERTIES OBJECT_DEPENDS "${SLIDE_ARTWORK_FILES};${SLIDE_GENERATED_DIR}/slide_version.h")

add_executable(slide WIN32 ${SLIDE_MAIN} ${SLIDE_RC} ${SLIDE_PRODUCT_RC})
set_target_properties(slide PROPERTIES OUTPUT_NAME slide SUFFIX .scr)
target_compile_options(slide PRIVATE ${SLIDE_WARNINGS})
target_link_libraries(slide PRIVATE slide_win)
target_link_options(slide PRIVATE ${SLIDE_STATIC_LINK})
