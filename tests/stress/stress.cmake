# The stress build: the product's Windows code once more, with every creating platform call
# routed through the seams of fault_seams.h, plus a build of the product whose pictures are
# missing or corrupt. Neither is ever shipped.
add_library(slide_win_stress STATIC ${SLIDE_WIN_SOURCES})
target_compile_options(slide_win_stress PRIVATE ${SLIDE_WARNINGS}
                       -include ${CMAKE_CURRENT_LIST_DIR}/fault_seams.h)
target_link_libraries(slide_win_stress PUBLIC slide_core slide_jpeg ${SLIDE_WIN_LIBS} psapi)

add_executable(slide_stress WIN32 ${CMAKE_CURRENT_LIST_DIR}/stress_main.cpp ${CMAKE_CURRENT_LIST_DIR}/fault_seams.cpp
               ${SLIDE_RC})
set_target_properties(slide_stress PROPERTIES SUFFIX .scr)
target_compile_options(slide_stress PRIVATE ${SLIDE_WARNINGS})
target_link_libraries(slide_stress PRIVATE slide_win_stress)
target_link_options(slide_stress PRIVATE ${SLIDE_STATIC_LINK})

# Damaged pictures, made from the generated ones: cut short, overwritten in the middle of the
# entropy-coded data, empty, not a picture at all; the fifth is left out of the executable.
set(SLIDE_DAMAGED_DIR ${CMAKE_BINARY_DIR}/damaged_pictures)
add_custom_command(
  OUTPUT ${SLIDE_DAMAGED_DIR}/picture_1.jpg ${SLIDE_DAMAGED_DIR}/picture_2.jpg ${SLIDE_DAMAGED_DIR}/picture_3.jpg
         ${SLIDE_DAMAGED_DIR}/picture_4.jpg ${SLIDE_DAMAGED_DIR}/picture_6.jpg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SLIDE_DAMAGED_DIR}
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/damage_pictures.sh ${SLIDE_ARTWORK_DIR} ${SLIDE_DAMAGED_DIR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/damage_pictures.sh ${SLIDE_ARTWORK_DIR}/picture_1.jpg)
add_custom_target(damaged_pictures DEPENDS ${SLIDE_DAMAGED_DIR}/picture_1.jpg)

add_executable(slide_damaged WIN32 ${CMAKE_CURRENT_LIST_DIR}/stress_main.cpp ${CMAKE_CURRENT_LIST_DIR}/fault_seams.cpp
               ${CMAKE_CURRENT_LIST_DIR}/damaged_pictures.rc)
set_target_properties(slide_damaged PROPERTIES SUFFIX .scr)
target_include_directories(slide_damaged PRIVATE ${SLIDE_DAMAGED_DIR})
target_link_libraries(slide_damaged PRIVATE slide_win_stress)
target_link_options(slide_damaged PRIVATE ${SLIDE_STATIC_LINK})
add_dependencies(slide_damaged damaged_pictures)

# Changes the display mode under a running saver, for the stress scripts and the soak.
add_executable(change_mode ${CMAKE_CURRENT_LIST_DIR}/change_mode.cpp)
target_compile_options(change_mode PRIVATE ${SLIDE_WARNINGS})
target_link_libraries(change_mode PRIVATE user32)
target_link_options(change_mode PRIVATE ${SLIDE_STATIC_LINK})

set(SLIDE_STRESS_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})
foreach(call GetDC CreateCompatibleDC CreateCompatibleBitmap CreateDIBSection LoadImageA FindResourceA
             RegisterClassA CreateWindowExA CreateMutexA RegCreateKeyExA ExtCreateRegion)
  add_test(NAME Stress.FailingCall.${call}
           COMMAND bash ${SLIDE_STRESS_SCRIPTS}/failing_call.sh $<TARGET_FILE:slide_stress> ${call})
endforeach()
add_test(NAME Stress.ExceptionRunsTheTeardown
         COMMAND bash ${SLIDE_STRESS_SCRIPTS}/exception_teardown.sh $<TARGET_FILE:slide_stress> $<TARGET_FILE:slide>)
add_test(NAME Stress.KilledSaverLeavesNothingBehind
         COMMAND bash ${SLIDE_STRESS_SCRIPTS}/killed_saver.sh $<TARGET_FILE:slide>)
add_test(NAME Stress.DamagedPictures
         COMMAND bash ${SLIDE_STRESS_SCRIPTS}/damaged_pictures.sh $<TARGET_FILE:slide_damaged>)
add_test(NAME Stress.FailingRebuildEndsTheSaver
         COMMAND bash ${SLIDE_STRESS_SCRIPTS}/failing_rebuild.sh $<TARGET_FILE:slide_stress> $<TARGET_FILE:change_mode>)
add_test(NAME Stress.SecureSaverDesktopGivesEverythingBack
         COMMAND ${CMAKE_COMMAND} -E env SLIDE_SEAM_LOG=${CMAKE_BINARY_DIR}/secure_desktop_seams.log
                 bash ${CMAKE_SOURCE_DIR}/tests/display/secure_saver_desktop.sh $<TARGET_FILE:slide_stress>
                 $<TARGET_FILE:change_mode>)
