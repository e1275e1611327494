# The Debian package, made by CPack from the install rules: `cmake --build build/release --target
# package` (scripts/package.sh does it from scratch). The dependencies are what dpkg-shlibdeps
# finds the programs linked against; desktop, MIME and icon caches are refreshed by the triggers
# of the packages that own them, so the package needs no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zorvel developers")
set(CPACK_PACKAGE_CONTACT "Zorvel developers <zorvel@zorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "read, analyse and export the data of Zorvel bat loggers")
# Lines under 80 columns, as Debian's tools show them in a terminal.
set(CPACK_PACKAGE_DESCRIPTION
    "A Zorvel logger records the echolocation calls of bats as the periods
and amplitudes of their waves. This package holds the desktop program
zorvel, which imports a logger's SD card, finds and classifies the calls,
shows up to six data files on one time axis, filters them and exports
counts and call details, and zorvel-cli, which does the same work from
the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Directories in the package as Debian has them, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
