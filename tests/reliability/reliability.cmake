# Reliability: hostile input through the real windows, injected faults, and
# a long run of random user actions.
dovrin_add_test(test_hostile_input
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_hostile_input.cpp ${CMAKE_CURRENT_LIST_DIR}/drive.h
  LIBS dovrin_mainwin dovrin_convert dovrin_print TIMEOUT 300)
dovrin_add_test(test_soak
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_soak.cpp ${CMAKE_CURRENT_LIST_DIR}/drive.h
  LIBS dovrin_mainwin TIMEOUT 300)
