# Reliability: hostile input through the real windows.
dovrin_add_test(test_hostile_input SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_hostile_input.cpp
  LIBS dovrin_mainwin dovrin_convert dovrin_print TIMEOUT 300)
