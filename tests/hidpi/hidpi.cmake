# Every window and the printed page at 100 %, 150 % and 200 % screen scale,
# one test program per scale (the scale is read once, at start-up). The
# month page itself is checked by the page tests; these check the windows
# around it. Pictures at 200 % go to test-output/.
foreach(percent 100 150 200)
  dovrin_add_test(test_hidpi${percent}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_hidpi.cpp ${CMAKE_CURRENT_LIST_DIR}/windowpixels.h
    LIBS dovrin_mainwin TIMEOUT 120)
  target_compile_definitions(test_hidpi${percent} PRIVATE
    HIDPI_SCALE_PERCENT=${percent}
    HIDPI_SCREEN_CONFIG="${CMAKE_CURRENT_LIST_DIR}/screen.json")
endforeach()
