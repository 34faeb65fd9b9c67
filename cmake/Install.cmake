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

# Debian's rules for a package's documents: the manual page and the changelog
# compressed, without a name or a time in the gzip header (-n) so that two
# builds give the same bytes, and a machine-readable copyright pointing to the
# licence the system already holds.
set(ORMELINE_DEB_VERSION ${PROJECT_VERSION}-1)
configure_file(packaging/changelog.Debian.in ${CMAKE_BINARY_DIR}/packaging/changelog.Debian @ONLY)
set(ORMELINE_COMPRESSED_DOCS)
foreach(document ${CMAKE_SOURCE_DIR}/packaging/ormeline.1 ${CMAKE_BINARY_DIR}/packaging/changelog.Debian)
    get_filename_component(name ${document} NAME)
    set(compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${compressed} COMMAND gzip -9 -n -c ${document} > ${compressed}
                       DEPENDS ${document} VERBATIM)
    list(APPEND ORMELINE_COMPRESSED_DOCS ${compressed})
endforeach()
add_custom_target(ormeline_docs ALL DEPENDS ${ORMELINE_COMPRESSED_DOCS})
install(FILES ${CMAKE_BINARY_DIR}/packaging/ormeline.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ormeline)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ormeline)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ormeline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ormeline")
set(CPACK_PACKAGE_CONTACT "Équipe Ormeline <equipe@ormeline.fr>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Installed without its symbols, as every Debian binary is.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remplir les chèques bancaires sur une imprimante de bureau")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Ormeline imprime sur un chèque bancaire français le montant en chiffres,
le montant en lettres sur les deux lignes du chèque, le bénéficiaire, le lieu
et la date, aux places que la banque du chèque demande.
.
Un réglage de l'imprimante en trois étapes trouve où elle pose le chèque, et
la mise en page de chaque banque se règle au millimètre, avec un aperçu du
chèque tel qu'il sera imprimé.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the fonts the layouts name, the printing
# system's commands, Qt's plugins for the screen and its French texts.
# The PostgreSQL driver is a dependency, not a recommendation: a till set up
# on a shared journal must never find it missing after an upgrade made
# without recommendations. The server itself is the shop's, not a dependency.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, cups-client, qt6-qpa-plugins, qt6-translations-l10n, libqt6sql6-sqlite, libqt6sql6-psql")
include(CPack)
