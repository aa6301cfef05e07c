# Desktop integration: install layout, desktop entry, metainfo, package.
foreach(mode layout package)
  add_test(NAME test_install_${mode}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${mode} ${CMAKE_BINARY_DIR})
  set_tests_properties(test_install_${mode} PROPERTIES TIMEOUT 180 RUN_SERIAL ON)
endforeach()
