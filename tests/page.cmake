# The month page: its layout, the drawing surface, the page on screen, and
# the page on screens scaled to 150 % and 200 %.
dovrin_add_test(test_monthlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/test_monthlayout.cpp LIBS dovrin_core)
dovrin_add_test(test_drawingsurface SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform/test_drawingsurface.cpp
  LIBS dovrin_platform)
dovrin_add_test(test_screenpage
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwin/pagepixels.h
  LIBS dovrin_mainwin)
foreach(percent 150 200)
  dovrin_add_test(test_screenpage_scaled${percent}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainwin/test_screenpage_scaled.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwin/pagepixels.h
    LIBS dovrin_mainwin)
  target_compile_definitions(test_screenpage_scaled${percent} PRIVATE PAGE_SCALE_PERCENT=${percent})
endforeach()
