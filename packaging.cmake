# Installation and the Debian package (cpack -G DEB, from the build folder).

# The desktop id names the menu entry and the AppStream metadata; the
# repository gives the home page and the screenshot's address.
set(FILMOREL_APP_ID "io.github.filmorel.Filmorel" CACHE STRING "AppStream and desktop id")
set(FILMOREL_DEPOT "https://github.com/filmorel/filmorel" CACHE STRING "Home page (public repository)")
set(FILMOREL_MAINTAINER "Filmorel <filmorel@users.noreply.github.com>" CACHE STRING "Debian maintainer")
string(REPLACE "https://github.com/" "https://raw.githubusercontent.com/" FILMOREL_CAPTURE
  "${FILMOREL_DEPOT}/main/docs/fenetre.png")

# Directories 0755 whatever the umask (lintian checks them).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(gen ${PROJECT_BINARY_DIR}/share)
configure_file(share/metainfo/filmorel.metainfo.xml.in ${gen}/${FILMOREL_APP_ID}.metainfo.xml @ONLY)
configure_file(share/debian/copyright ${gen}/copyright @ONLY)
configure_file(share/debian/changelog ${gen}/changelog @ONLY)
# Debian wants the manual page and the changelog compressed, without a time stamp.
foreach(source ${PROJECT_SOURCE_DIR}/share/man/filmorel.1 ${gen}/changelog)
  get_filename_component(nom ${source} NAME)
  add_custom_command(OUTPUT ${gen}/${nom}.gz COMMAND gzip -9nc ${source} > ${gen}/${nom}.gz
                     DEPENDS ${source} VERBATIM)
  list(APPEND FILMOREL_GZ ${gen}/${nom}.gz)
endforeach()
add_custom_target(filmorel_docs ALL DEPENDS ${FILMOREL_GZ})

install(TARGETS filmorel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY share/catalogue DESTINATION ${CMAKE_INSTALL_DATADIR}/filmorel PATTERN .gitkeep EXCLUDE)
install(FILES share/filmorel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${FILMOREL_APP_ID}.desktop)
foreach(s 48 64 128 256)
  install(FILES share/icons/filmorel-${s}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${s}x${s}/apps
          RENAME filmorel.png)
endforeach()
install(FILES share/icons/filmorel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${gen}/${FILMOREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${gen}/filmorel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${gen}/copyright ${gen}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/filmorel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME filmorel)
set(CPACK_PACKAGE_VENDOR Filmorel)
set(CPACK_PACKAGE_CONTACT ${FILMOREL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of a private DVD collection, with loans")
set(CPACK_PACKAGE_DESCRIPTION "Filmorel keeps the catalogue of a private DVD collection, one card per DVD:
bar code, title, region, year, language, genre, publisher, director, actors,
synopsis, purchase and cover picture. DVDs are lent and taken back with a loan
history; lists by genre, publisher, director, actor or borrower are shown and
printed; the catalogue is exported for a spreadsheet and a selection of cards
is exchanged with another installation. The interface is in French.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FILMOREL_DEPOT})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link reveals: Qt's French texts and the fonts of the window
# and the printed lists, as the run set of tools/deps.sh names them.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS tools/deps.sh)
file(READ tools/deps.sh deps)
string(REGEX MATCH "\nRUN=\\(([^)]*)\\)" deps "${deps}")
string(REGEX MATCHALL "(qt6-translations-l10n|fonts-[a-z0-9.+-]+)" deps "${CMAKE_MATCH_1}")
# libcups is opened when a print job is checked, not linked.
list(APPEND deps libcups2)
list(JOIN deps ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
