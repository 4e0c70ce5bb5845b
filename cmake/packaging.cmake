# Installation and packages.
# Linux: the program in bin, its desktop entry and icons in the usual share folders; CPack
# makes a .deb. Windows: the program alone in a folder of its own (portable: it keeps its
# settings and lists beside itself); CPack makes a zip, holding both the 64-bit and the
# 32-bit programs when VELTRANE_PACKAGE_WITH names the other architecture's build folder.
set(CPACK_PACKAGE_NAME veltrane)
set(CPACK_PACKAGE_VENDOR "Veltrane")
set(CPACK_PACKAGE_CONTACT "Veltrane maintainers <veltrane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Keeps categorised URL ban lists and writes them for firewalls and the hosts file")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VELTRANE_ARCH_FOLDER "Veltrane-64bit")
  else()
    set(VELTRANE_ARCH_FOLDER "Veltrane-32bit")
  endif()
  install(TARGETS veltrane RUNTIME DESTINATION ${VELTRANE_ARCH_FOLDER})
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
  set(VELTRANE_PACKAGE_WITH "" CACHE PATH "Build folder of the other Windows architecture, packed into the same zip")
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "Veltrane-${PROJECT_VERSION}-windows")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  if(VELTRANE_PACKAGE_WITH)
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Veltrane;ALL;/" "${VELTRANE_PACKAGE_WITH};Veltrane;ALL;/")
  endif()
elseif(TARGET veltrane)
  include(GNUInstallDirs)
  install(TARGETS veltrane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The window, which the program starts in its place.
  install(TARGETS veltrane-window RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veltrane)
  # The helper that writes a system file with an administrator's permission, and the polkit
  # action pkexec runs it under (its path in the action is the package's: /usr/libexec).
  install(TARGETS veltrane-write RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/veltrane)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/linux/org.veltrane.write.policy
          DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/linux/veltrane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # The libraries the program links come from dpkg-shlibdeps; Qt's window-system plugins
  # are loaded at run time and named here.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # pkexec asks an administrator before the helper writes a system file. The program works
  # without it (files the user may write, the hosts file's copy in the backup folder) and
  # then says how to install it, so it is recommended rather than required.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pkexec")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

  # Icon files from the icon the Qt window draws: `cmake --build build --target icons`.
  add_executable(make_icons EXCLUDE_FROM_ALL tools/make_icons.cpp)
  target_link_libraries(make_icons PRIVATE veltrane_qt)
  add_custom_target(icons COMMAND make_icons ${CMAKE_CURRENT_SOURCE_DIR}/packaging/icons
                    COMMENT "Drawing the program icon into packaging/icons")
endif()

include(CPack)
