# Where an installed Ormeline puts its files, and the Debian package that
# holds them.

install(TARGETS ormeline RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# What a new user's data folder starts with.
install(FILES seed/bq_GENDS.txt seed/bq_GENGA.txt seed/fc_img_024.gif
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ormeline)
install(FILES packaging/fr.ormeline.Ormeline.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/fr.ormeline.Ormeline.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/artwork/ormeline.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME fr.ormeline.Ormeline.svg)
install(FILES packaging/ormeline.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ormeline RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ormeline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ormeline")
set(CPACK_PACKAGE_CONTACT "Ormeline <ormeline@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remplir les chèques bancaires sur une imprimante de bureau")
set(CPACK_PACKAGE_DESCRIPTION
    "Ormeline imprime sur un chèque bancaire français le montant en chiffres, le montant en lettres, le \
bénéficiaire, le lieu et la date, aux places que la banque du chèque demande, avec un réglage de \
l'imprimante en trois étapes et la mise en page de chaque banque.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the fonts the layouts name, the printing
# system's commands, Qt's plugins for the screen and its French texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, cups-client, qt6-qpa-plugins, qt6-translations-l10n, libqt6sql6-sqlite")
include(CPack)
