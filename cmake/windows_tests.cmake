# Windows tests run under Wine, each Google test in its own process, one test executable
# per subsystem: win_<subsystem>_tests.exe.
set(SLIDE_GTEST_DIR ${SLIDE_THIRD_PARTY_DIR}/googletest)
add_library(slide_gtest STATIC IMPORTED)
set_target_properties(slide_gtest PROPERTIES
  IMPORTED_LOCATION ${SLIDE_GTEST_DIR}/lib/libgtest.a
  INTERFACE_INCLUDE_DIRECTORIES ${SLIDE_GTEST_DIR}/include)

foreach(subsystem host settings images slideshow display resources)
  if(NOT SLIDE_WIN_TESTS_${subsystem})
    continue()
  endif()
  set(target win_${subsystem}_tests)
  add_executable(${target} ${CMAKE_SOURCE_DIR}/tests/win_test_main.cpp ${SLIDE_WIN_TESTS_${subsystem}}
                 ${SLIDE_RC} ${SLIDE_WIN_TEST_RESOURCES_${subsystem}})
  target_compile_options(${target} PRIVATE ${SLIDE_WARNINGS})
  target_compile_definitions(${target} PRIVATE SLIDE_SCR_PATH="$<TARGET_FILE:slide>")
  target_link_libraries(${target} PRIVATE slide_win slide_gtest)
  target_link_options(${target} PRIVATE ${SLIDE_STATIC_LINK})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES)
endforeach()

include(${CMAKE_SOURCE_DIR}/tests/stress/stress.cmake)
