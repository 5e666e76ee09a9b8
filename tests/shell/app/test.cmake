set(TEST_LIBS tarvex::app)

# The installed desktop files validate (launcher entry, icons, metainfo).
add_test(NAME desktop_files_install_and_validate
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR}
                 ${CMAKE_BINARY_DIR}/desktop-install-check)
set_tests_properties(desktop_files_install_and_validate PROPERTIES LABELS shell_app)
