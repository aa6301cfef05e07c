# The month page: its layout, the page on screen, and on a screen scaled to 200 %.
dovrin_add_test(test_monthlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/test_monthlayout.cpp LIBS dovrin_core)
dovrin_add_test(test_screenpage
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwin/pagepixels.h
  LIBS dovrin_mainwin)
dovrin_add_test(test_screenpage_scaled200
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage_scaled.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwin/pagepixels.h
  LIBS dovrin_mainwin)
target_compile_definitions(test_screenpage_scaled200 PRIVATE PAGE_SCALE_PERCENT=200)
