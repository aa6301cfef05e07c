# The month page: its layout, the page on screen, and on a screen scaled to 200 %.
dovrin_add_test(test_monthlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/test_monthlayout.cpp LIBS dovrin_core)
dovrin_add_test(test_screenpage SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage.cpp LIBS dovrin_mainwin)
add_test(NAME test_screenpage_scaled200 COMMAND test_screenpage)
set_tests_properties(test_screenpage_scaled200 PROPERTIES TIMEOUT 120
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;QTEST_FUNCTION_TIMEOUT=60000;LC_ALL=C.UTF-8")
