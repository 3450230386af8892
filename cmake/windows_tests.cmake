# Windows tests run under Wine, each Google test in its own process.
set(SLIDE_GTEST_DIR ${SLIDE_THIRD_PARTY_DIR}/googletest)
add_library(slide_gtest STATIC IMPORTED)
set_target_properties(slide_gtest PROPERTIES
  IMPORTED_LOCATION ${SLIDE_GTEST_DIR}/lib/libgtest.a
  INTERFACE_INCLUDE_DIRECTORIES ${SLIDE_GTEST_DIR}/include)

if(SLIDE_WIN_TESTS)
  add_executable(win_tests ${CMAKE_SOURCE_DIR}/tests/win_test_main.cpp ${SLIDE_WIN_TESTS}
                 ${SLIDE_RC} ${SLIDE_WIN_TEST_RESOURCES})
  target_compile_options(win_tests PRIVATE ${SLIDE_WARNINGS})
  target_compile_definitions(win_tests PRIVATE SLIDE_SCR_PATH="$<TARGET_FILE:slide>")
  target_link_libraries(win_tests PRIVATE slide_win slide_gtest)
  target_link_options(win_tests PRIVATE ${SLIDE_STATIC_LINK})
  add_dependencies(win_tests slide)
  gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endif()
