# Installing Tivane (cmake --install BUILD --prefix PREFIX) and its Debian package
# (cpack -G DEB): the program, its sound module, the desktop entry, the icon and the AppStream
# metadata. The Debian package's dependencies are computed from the libraries the program and
# the module link (dpkg-shlibdeps), plus what they load at run time without linking it.

set(TIVANE_WEB_ADDRESS "https://tivane.example.org" CACHE STRING
  "The project's web address: the AppStream homepage; its captures/ folder holds the screenshot")
set(TIVANE_MAINTAINER "Tivane <tivane@example.org>" CACHE STRING "Maintainer of the Debian package")
set(TIVANE_APP_ID fr.tivane.Tivane)

install(TARGETS tivane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Beside the program as src/app/CMakeLists.txt tells SoundBank: <libdir>/tivane.
install(TARGETS tivane_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tivane)

set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/${TIVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop}/${TIVANE_APP_ID}.metainfo.xml.in ${PROJECT_BINARY_DIR}/${TIVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${TIVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_PACKAGE_NAME tivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TIVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzles made of pictures for nursery and primary schools")
set(CPACK_PACKAGE_DESCRIPTION
  "Tivane turns any picture into a puzzle of rectangular pieces. A teacher makes the class's\n\
puzzles (1 to 6 columns by 1 to 6 rows, turned pieces, a model, a time limit), keeps them\n\
in a numbered store, prints them and exchanges them as ZIP archives; a child solves them\n\
with the mouse or a finger on a touch screen. The interface is in French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TIVANE_WEB_ADDRESS})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked: Qt's French dialogs, the picture formats besides PNG and BMP
# (JPEG, GIF, TIFF, WebP, icons), the fonts the forms name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-image-formats-plugins, fonts-liberation")
include(CPack)
