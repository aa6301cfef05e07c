# What screen readers are told: names and descriptions of every control,
# the month grid as a table of days, the conversion as one sentence.
dovrin_add_test(test_accessibility SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_accessibility.cpp
  LIBS dovrin_mainwin)
