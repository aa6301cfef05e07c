dovrin_add_test(test_navigation SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_navigation.cpp LIBS dovrin_mainwin TIMEOUT 180)
dovrin_add_test(test_scrollbar SOURCES ${CMAKE_CURRENT_LIST_DIR}/../platform/test_scrollbar.cpp LIBS dovrin_platform)
