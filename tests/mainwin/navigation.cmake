dovrin_add_test(test_navigation SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_navigation.cpp LIBS dovrin_mainwin TIMEOUT 180)
