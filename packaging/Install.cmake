# Install rules of the editor and its packages (.deb and .tar.gz), included by the top-level
# CMakeLists.txt once the quintrel target exists.
#
# The program looks up Readme.txt, mini_screen/ and backup/ in its current directory. The
# package puts them in share/quintrel/, and the menu entry starts the program there, so that
# help, previews and restore work when it is started from the desktop.
include(GNUInstallDirs)

set(QUINTREL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quintrel)

install(TARGETS quintrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/app/resources/icone.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME quintrel.png)
install(FILES ${PROJECT_SOURCE_DIR}/app/resources/icone.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME quintrel.svg)

install(FILES ${PROJECT_SOURCE_DIR}/Readme.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quintrel)
install(FILES ${PROJECT_SOURCE_DIR}/Readme.txt DESTINATION ${QUINTREL_DATA_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/mini_screen/ DESTINATION ${QUINTREL_DATA_DIR}/mini_screen
        FILES_MATCHING PATTERN "*.jpg")
install(FILES ${PROJECT_SOURCE_DIR}/backup/handling.dat.backup
        DESTINATION ${QUINTREL_DATA_DIR}/backup)

# The menu entry names the working folder by its full path, which is known only at install
# time (a package installs under its own prefix, not the one configured here).
set(QUINTREL_DESKTOP_ENTRY ${CMAKE_BINARY_DIR}/packaging/quintrel.desktop)
install(CODE "
  set(QUINTREL_WORKING_DIR \"\${CMAKE_INSTALL_PREFIX}/${QUINTREL_DATA_DIR}\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/quintrel.desktop\" \"${QUINTREL_DESKTOP_ENTRY}\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
       TYPE FILE FILES \"${QUINTREL_DESKTOP_ENTRY}\")
")

set(CPACK_PACKAGE_NAME quintrel)
set(CPACK_PACKAGE_VENDOR Quintrel)
set(CPACK_PACKAGE_CONTACT "Quintrel <quintrel@quintrel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Éditeur du fichier handling.dat de Morvane")
set(CPACK_PACKAGE_DESCRIPTION
    "Quintrel ouvre le fichier handling.dat du jeu Morvane, montre chaque valeur des véhicules \
et des groupes d'animations, marque en rouge ce qui diffère des valeurs d'origine et enregistre \
le fichier dans le format du jeu.")
set(CPACK_GENERATOR DEB TGZ)
# Both packages install under /usr, whatever prefix the build was configured with.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The Qt 6 runtime packages, found by dpkg-shlibdeps from the libraries the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
