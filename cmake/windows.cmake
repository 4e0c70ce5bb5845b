# The Windows build: the Win32 backend, the program's resources (icon "ICON0" and the
# common-controls 6.0 manifest), and executables that need no DLL beyond Windows itself.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 UNICODE _UNICODE)
# libstdc++, libgcc and winpthread go into every executable.
add_link_options(-static -static-libgcc -static-libstdc++)

set(VELTRANE_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/veltrane.rc)
set_source_files_properties(${VELTRANE_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/veltrane.manifest;${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons/veltrane.ico")

file(GLOB_RECURSE WIN32_BACKEND_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/widgets/win32/*.cpp)
add_library(veltrane_win32 STATIC ${WIN32_BACKEND_SOURCES})
target_link_libraries(veltrane_win32 PUBLIC veltrane_widgets comctl32 comdlg32 shell32 gdi32 user32 uxtheme)
# The core downloads the subscribed web lists through WinHTTP, part of every Windows.
set(VELTRANE_DOWNLOAD_LIBRARIES winhttp)

# GCC 12 warns falsely about overlapping copies in inlined std::string code at -O3 (its bug 105651).
set(VELTRANE_TEST_COMPILE_OPTIONS -include ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/posix_compat.h -Wno-restrict)
# Test programs that exercise POSIX file permissions, links and environment calls, or run
# a server of their own on POSIX sockets.
set(VELTRANE_POSIX_ONLY_TESTS
    "/tests/(runtime/platform/files_test|runtime/platform/elevation_test|app/veltrane_write_test|runtime/platform/http_test|lists/web_list_update_test|app/web_list_modes_test|elements/strlist/str_list_test|targets/line_reader_test|targets/target_files_test|targets/config_writer_test)\\.cpp$")

# Scenario scripts run the Windows driver under the emulator, with the program folder
# given as a Windows path, and sessions on real widgets (--qt) on the Win32 controls.
set(VELTRANE_SCENARIO_OPTIONS -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR} -DWINDOWS_DRIVE=Z: -DREAL_WIDGETS=--win32)
