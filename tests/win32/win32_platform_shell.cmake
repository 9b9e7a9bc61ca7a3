# Shortcut files (platform/win32/shell_link_win.cpp, and the temporary file's
# save and flush) and special folders (win32_platform_shell.cpp).

kelvarion_wine_test(win32_shell_tests win32_platform_shell_test.cpp temp_folder_win.cpp)
target_link_libraries(win32_shell_tests PRIVATE kelvarion_test_held_files)

# An independent reading of what we write: kelvarion_write_shortcut.exe saves a .lnk
# under Wine and lnkinfo (Debian liblnk-utils) parses it.
add_executable(kelvarion_write_shortcut write_shortcut_tool.cpp)
target_link_libraries(kelvarion_write_shortcut PRIVATE kelvarion_platform_win32)
add_test(NAME win32_shortcut_lnkinfo
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/lnkinfo_check.sh ${KELVARION_WINE_RUN}
                 $<TARGET_FILE:kelvarion_write_shortcut>)
set_tests_properties(win32_shortcut_lnkinfo PROPERTIES
  ENVIRONMENT "${KELVARION_DEFAULT_ENVIRONMENT}"
  SKIP_RETURN_CODE 77
  TIMEOUT 300)
