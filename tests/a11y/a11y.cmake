dovrin_add_test(test_accessibility SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_accessibility.cpp LIBS dovrin_mainwin)
