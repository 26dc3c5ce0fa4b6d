# Installation and the Debian package.
#
# Installed layout (under the prefix, /usr for the package):
#   bin/quillhaven
#   share/quillhaven/help/*.html, share/quillhaven/Sample.qhv
#   share/applications/quillhaven.desktop
#   share/metainfo/org.example.quillhaven.metainfo.xml
#   share/mime/packages/quillhaven.xml
#   share/icons/hicolor/<n>x<n>/apps/quillhaven.png, scalable/apps/quillhaven.svg
#   share/doc/quillhaven/copyright
#
# The program finds its bundled files through BundledFiles::find: beside the
# executable, then ../share/quillhaven, then the data folder compiled in from
# CMAKE_INSTALL_PREFIX. Configure a package build with
# -DCMAKE_INSTALL_PREFIX=/usr so the compiled-in folder is the packaged one.

include(GNUInstallDirs)

set(QH_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(QH_DATA_DEST ${CMAKE_INSTALL_DATADIR}/quillhaven)

install(TARGETS quillhaven RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The help pages as the build tree holds them beside the executable.
install(DIRECTORY ${CMAKE_BINARY_DIR}/help/
        DESTINATION ${QH_DATA_DEST}/help
        FILES_MATCHING PATTERN "*.html" PATTERN "*.png" PATTERN "*.css")

# The sample loan is written at build time by makesample; without that tool
# there is no sample to install, and a first start opens an empty loan.
if(TARGET makesample)
  install(FILES ${CMAKE_BINARY_DIR}/Sample.qhv DESTINATION ${QH_DATA_DEST})
else()
  message(WARNING "Install: no makesample target, so Sample.qhv is not installed")
endif()

# Desktop integration: launcher, AppStream data, the loan files' MIME type.
install(FILES ${QH_PACKAGING_DIR}/quillhaven.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QH_PACKAGING_DIR}/org.example.quillhaven.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QH_PACKAGING_DIR}/quillhaven-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME quillhaven.xml)

foreach(size 16 32 48 64 128 256)
  install(FILES ${QH_PACKAGING_DIR}/icons/quillhaven-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME quillhaven.png)
endforeach()
install(FILES ${QH_PACKAGING_DIR}/icons/quillhaven.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian's copyright file names the licence and points to the GPL text that
# every Debian system has, rather than copying it.
install(FILES ${QH_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillhaven)

# ---------------------------------------------------------------- CPack: DEB
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillhaven)
set(CPACK_PACKAGE_VENDOR "The Quillhaven authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillhaven authors <support@quillhaven.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillhaven.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mortgage loan calculator and payment ledger")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillhaven helps a home buyer or owner understand and follow one mortgage\n"
    "loan: it works out the monthly payment, the total interest and the last\n"
    "payment from the loan terms, builds the amortization schedule, keeps a\n"
    "ledger of the payments made and quotes what a planned extra principal\n"
    "saves. Each loan is kept in a .qhv file of its own.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME quillhaven)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillhaven authors <support@quillhaven.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time dependencies (the Debian Qt 6 libraries) come from
# dpkg-shlibdeps, part of dpkg-dev.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's layout was drawn for an Arial-sized font; main.cpp picks
# Liberation Sans where it is installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation")

find_program(QH_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT QH_DPKG_SHLIBDEPS)
  message(STATUS "Install: dpkg-shlibdeps not found (apt-get install dpkg-dev); "
                 "cpack -G DEB needs it to work out the package's dependencies")
endif()

if(NOT CMAKE_INSTALL_PREFIX STREQUAL CPACK_PACKAGING_INSTALL_PREFIX)
  message(STATUS "Install: CMAKE_INSTALL_PREFIX is ${CMAKE_INSTALL_PREFIX}, the package "
                 "installs under ${CPACK_PACKAGING_INSTALL_PREFIX}; the packaged program "
                 "still finds its files through ../share/quillhaven, but configure with "
                 "-DCMAKE_INSTALL_PREFIX=${CPACK_PACKAGING_INSTALL_PREFIX} for a package build")
endif()

include(CPack)
