# libFuzzer target over the JPEG decoding path (native, clang): make fuzz runs it from the
# generated pictures as seeds.
if(SLIDE_FUZZ)
  add_executable(jpeg_fuzzer ${CMAKE_CURRENT_LIST_DIR}/jpeg_fuzzer.cpp ${CMAKE_CURRENT_LIST_DIR}/jpeg_memory_decode.cpp)
  target_compile_options(jpeg_fuzzer PRIVATE ${SLIDE_WARNINGS} -fsanitize=fuzzer,address,undefined)
  target_link_options(jpeg_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(jpeg_fuzzer PRIVATE slide_core)
endif()
