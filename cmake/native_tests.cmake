find_package(GTest REQUIRED)
if(SLIDE_NATIVE_TESTS)
  add_executable(core_tests ${SLIDE_NATIVE_TESTS})
  target_compile_options(core_tests PRIVATE ${SLIDE_WARNINGS} ${SLIDE_SANITIZER_FLAGS})
  target_link_libraries(core_tests PRIVATE slide_core GTest::gtest_main)
  gtest_discover_tests(core_tests DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
endif()

# Set-up's derivation of source-package entries from sample package sources.
add_test(NAME Tools.DebSrcEntries COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/deb_src_entries_test.sh)

# Set-up on machines with none, some or all of its packages, with apt played by stand-ins.
add_test(NAME Tools.Setup COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/setup_test.sh)

# The stills the recordings choose from made-up runs.
add_test(NAME Tools.PickStills COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/tools/pick_stills_test.py)
