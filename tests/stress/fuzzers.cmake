# libFuzzer targets over hostile input the saver can meet: the command line and the values
# found in the settings store. `make fuzz` runs every *_fuzzer for a bounded time.
foreach(fuzzer command_tail settings_rules)
  add_executable(${fuzzer}_fuzzer ${CMAKE_CURRENT_LIST_DIR}/${fuzzer}_fuzzer.cpp)
  target_compile_options(${fuzzer}_fuzzer PRIVATE ${SLIDE_WARNINGS} -fsanitize=fuzzer,address,undefined)
  target_link_options(${fuzzer}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${fuzzer}_fuzzer PRIVATE slide_core)
endforeach()
