# The Debian package: `cmake --build build --target package` writes zubbo_VERSION_ARCH.deb
# into the build folder from the install rules. The version has no Debian revision: the
# package is made here, with the game, so it is a native package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zubbo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZUBBO_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: hit the eyes that pop out of a wall")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${ZUBBO_DESCRIPTION}
A wall with eleven holes: once a round starts, a pair of cartoon eyes pops
out of one hole after another on a fixed beat. The mouse pointer is a
hammer; every hit on the eyes scores 10 points. A round lasts 60 seconds.
Three levels differ in the beat, and each keeps a table of the players'
best scores.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZUBBO_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries the program and the sound module link, and what Qt loads at run time that
# no library reveals: the X11 platform plugin, and the fonts with the Arial metrics that the
# board's labels are laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian 13's fonts-liberation is the 2.x series that Debian 12 packs as fonts-liberation2.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation (>= 1:2) | fonts-liberation2")
# Qt's own translations of the buttons it makes (OK, Cancel) in the game's languages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)
