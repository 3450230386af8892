# Tests of the saver host.
list(APPEND SLIDE_NATIVE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_tail_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mode_dispatch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cursor_movement_test.cpp)
list(APPEND SLIDE_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/close_policy_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_runner_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/import_redirect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_test.cpp)

if(SLIDE_WINDOWS)
  # Stand-in password providers, in a folder of their own where a copy of the product
  # runs beside them (LoadLibrary looks beside the executable first).
  set(SLIDE_HOST_PROVIDER_DIR ${CMAKE_BINARY_DIR}/host_win9x)
  add_library(host_password_verifier SHARED ${CMAKE_CURRENT_LIST_DIR}/scripted_password_verifier.cpp)
  add_library(host_password_changer SHARED ${CMAKE_CURRENT_LIST_DIR}/recording_password_changer.cpp)
  set_target_properties(host_password_verifier PROPERTIES OUTPUT_NAME PASSWORD PREFIX "" SUFFIX .CPL)
  set_target_properties(host_password_changer PROPERTIES OUTPUT_NAME MPR PREFIX "" SUFFIX .DLL)
  foreach(provider host_password_verifier host_password_changer)
    set_target_properties(${provider} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SLIDE_HOST_PROVIDER_DIR})
    target_include_directories(${provider} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${provider} PRIVATE ${SLIDE_WARNINGS})
    target_link_libraries(${provider} PRIVATE user32 advapi32)
    target_link_options(${provider} PRIVATE -static-libgcc -static-libstdc++)
  endforeach()

  # End-to-end runs of slide.scr, which it finds beside itself.
  add_executable(saver_host
    ${CMAKE_CURRENT_LIST_DIR}/saver_host.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saver_process.cpp
    ${CMAKE_CURRENT_LIST_DIR}/saver_password_test.cpp)
  target_compile_options(saver_host PRIVATE ${SLIDE_WARNINGS})
  target_include_directories(saver_host PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(saver_host PRIVATE slide_gtest user32 gdi32 advapi32 kernel32)
  target_link_options(saver_host PRIVATE -static -static-libgcc -static-libstdc++)
  add_dependencies(saver_host slide host_password_verifier host_password_changer)
  gtest_discover_tests(saver_host DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
                       PROPERTIES TIMEOUT 120)
endif()
