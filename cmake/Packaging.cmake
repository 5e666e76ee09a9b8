# Installing and packaging the programs for the Linux desktop.
#
#   cmake --install <build> --prefix <prefix>     programs, launcher entry, icons, metainfo
#   cmake --install <build> --component desktop   the desktop files alone (no build needed)
#   cpack --config <build>/CPackConfig.cmake      a Debian package (tarvex_<version>_<arch>.deb)
#
# The programs carry their data (language pack, icons, pictures) compiled
# in, so the desktop files below are all that is installed beside them.
include(GNUInstallDirs)

set(tarvex_desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
set(tarvex_icons_dir ${PROJECT_SOURCE_DIR}/resources/icons)

install(FILES ${tarvex_desktop_dir}/tarvex.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
install(FILES ${tarvex_desktop_dir}/org.zorq.Tarvex.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT desktop)
foreach(size 16 32 48 64 128 256)
    install(FILES ${tarvex_icons_dir}/tarvex-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tarvex.png COMPONENT desktop)
endforeach()
install(FILES ${tarvex_icons_dir}/tarvex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT desktop)

# Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR Zorq)
set(CPACK_PACKAGE_CONTACT "Zorq <tarvex@zorq.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fast, dependable batch image resizer")
set(CPACK_PACKAGE_DESCRIPTION
    "Drop JPEG, PNG, GIF, BMP or icon files on a small window and Tarvex writes a resized copy of every image beside it, at one size or at several sizes at once. tarvex-resize does the same from a terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zorq <tarvex@zorq.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zorq.org/tarvex/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debug information stays in the build tree, not in the package.
set(CPACK_STRIP_FILES ON)
# Library dependencies are read from the installed programs.
find_program(TARVEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TARVEX_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6, libqt6dbus6, libqt6network6, libjpeg62-turbo, libpng16-16, libsqlite3-0, libcurl4")
endif()
include(CPack)
