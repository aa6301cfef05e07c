# Reliability: hostile input through the real windows, injected faults, and
# a long run of random user actions.
dovrin_add_test(test_hostile_input
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_hostile_input.cpp ${CMAKE_CURRENT_LIST_DIR}/drive.h
  LIBS dovrin_mainwin dovrin_convert dovrin_print TIMEOUT 300)
dovrin_add_test(test_soak
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_soak.cpp ${CMAKE_CURRENT_LIST_DIR}/drive.h
  LIBS dovrin_mainwin TIMEOUT 300)

# The program's own main() in a probe that answers its message boxes on
# standard output; a test starts it beside broken or planted libraries.
add_executable(dovrin_startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(dovrin_startup_probe PRIVATE dovrin_mainwin)
target_include_directories(dovrin_startup_probe PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(dovrin_startup_probe PRIVATE DOVRIN_VERSION="${PROJECT_VERSION}")
dovrin_add_test(test_faults SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_faults.cpp LIBS dovrin_mainwin)
add_dependencies(test_faults dovrin_startup_probe zendat32_standin zendat32)
target_compile_definitions(test_faults PRIVATE
  STARTUP_PROBE="$<TARGET_FILE:dovrin_startup_probe>"
  REAL_ENGINE="$<TARGET_FILE:zendat32>"
  STAND_IN_ENGINE="$<TARGET_FILE:zendat32_standin>"
  BROKEN_ENGINE="${PROJECT_SOURCE_DIR}/tests/platform/fixtures/broken_engine.txt")
