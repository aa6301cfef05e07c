# The month page: its layout, the page on screen, and
# the page on a screen scaled to 200 %.
dovrin_add_test(test_monthlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/test_monthlayout.cpp LIBS dovrin_core)
dovrin_add_test(test_screenpage
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwin/pagepixels.h
  LIBS dovrin_mainwin)
foreach(percent 200)
  dovrin_add_test(test_screenpage_scaled${percent}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage_scaled.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwin/pagepixels.h
    LIBS dovrin_mainwin)
  target_compile_definitions(test_screenpage_scaled${percent} PRIVATE PAGE_SCALE_PERCENT=${percent})
endforeach()
