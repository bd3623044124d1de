# What an installation adds for the desktop (the icon at the usual sizes, AppStream metadata,
# manual pages in English and Russian, the package's own documents) and the Debian package that
# `cpack` makes of it.

set(OSTREL_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(OSTREL_PACKAGING_OUT ${CMAKE_CURRENT_BINARY_DIR}/packaging)

foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES ${OSTREL_PACKAGING_DIR}/icons/ostrel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ostrel.png)
endforeach()
install(FILES ${OSTREL_PACKAGING_DIR}/icons/ostrel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${OSTREL_PACKAGING_DIR}/org.ostrel.Ostrel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the change log are installed compressed, without a time stamp in the
# compressed file, so that a rebuild gives the same bytes.
function(ostrel_gzip source output)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${OSTREL_PACKAGING_OUT}
                     COMMAND gzip -9n -c ${source} > ${output}
                     DEPENDS ${source} VERBATIM)
endfunction()
ostrel_gzip(${OSTREL_PACKAGING_DIR}/man/ostrel.1 ${OSTREL_PACKAGING_OUT}/ostrel.1.gz)
ostrel_gzip(${OSTREL_PACKAGING_DIR}/man/ostrel.ru.1 ${OSTREL_PACKAGING_OUT}/ru/ostrel.1.gz)
ostrel_gzip(${OSTREL_PACKAGING_DIR}/changelog ${OSTREL_PACKAGING_OUT}/changelog.gz)
add_custom_target(ostrel_packaging_files ALL DEPENDS
                  ${OSTREL_PACKAGING_OUT}/ostrel.1.gz ${OSTREL_PACKAGING_OUT}/ru/ostrel.1.gz
                  ${OSTREL_PACKAGING_OUT}/changelog.gz)
install(FILES ${OSTREL_PACKAGING_OUT}/ostrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${OSTREL_PACKAGING_OUT}/ru/ostrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
install(FILES ${OSTREL_PACKAGING_DIR}/copyright ${OSTREL_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ostrel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Ostrel XP developers")
set(CPACK_PACKAGE_CONTACT "The Ostrel XP developers <developers@ostrel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text editor with Cyrillic code pages, HTML aids and macros")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop text editor with a Russian interface and a large tool set around
the editing surface: conversion between the Cyrillic code pages, text
transformations, HTML aids, user highlight definitions, a macro language with
event macros, templates and snippets, external filter programs, plug-ins,
batch processing, multiple replacement, bookmarks, password encryption,
interface languages and hot keys.")
# Packages install under /usr whatever prefix the build tree was configured with: the program
# finds its data beside itself, in ../share/ostrel.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The standard dialogs in the user's language, and the icons of the tool bar.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, tango-icon-theme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Only what a user installs: not the test programs and plug-ins of the build tree.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_CURRENT_BINARY_DIR};${PROJECT_NAME};ALL;/")
include(CPack)
