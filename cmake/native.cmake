# Native Linux build of the platform-free code.
set(SLIDE_SANITIZER_FLAGS)
if(SLIDE_SANITIZE)
  set(SLIDE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
endif()
if(SLIDE_FUZZ)
  # The platform-free code is what the fuzzers explore: give it coverage feedback.
  list(APPEND SLIDE_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
endif()

add_library(slide_core STATIC ${SLIDE_CORE_SOURCES})
target_include_directories(slide_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(slide_core PRIVATE ${SLIDE_WARNINGS} ${SLIDE_SANITIZER_FLAGS})
target_link_options(slide_core INTERFACE ${SLIDE_SANITIZER_FLAGS})

if(NOT SLIDE_FUZZ AND NOT SLIDE_BENCH)
  include(tools/artwork/artwork.cmake OPTIONAL)
endif()
