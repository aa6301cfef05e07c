# The month page: its layout, the drawing surface, the page on screen, and
# the page on screens scaled to 150 % and 200 %.
dovrin_add_test(test_monthlayout SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/test_monthlayout.cpp LIBS dovrin_core)
dovrin_add_test(test_drawingsurface SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform/test_drawingsurface.cpp
  LIBS dovrin_platform)
