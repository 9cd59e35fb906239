# `cpack -G DEB` (or the `package` target) in the build folder makes
# lumo_<version>_<arch>.deb with Debian's games layout under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(LUMO_MAINTAINER "The Lumo developers <lumo@example.org>" CACHE STRING "Maintainer field of the package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LUMO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from the libraries the program links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer a smiling face and dodge four enemies")
set(CPACK_PACKAGE_DESCRIPTION
"Lumo is a small arcade game about a smiling face that never stops moving.
You only steer it, left or right, while a countdown runs: collect the item
on the field for two more seconds, bounce off the walls and keep away from
the four enemies that come in one by one, each costing you time when it
catches you.

The time you last is your result, and the ten longest games are kept in a
ranking. There are three levels, a park, a pool and a plaza, and you can
make your own: a level is a short text file of numbers.")

include(CPack)
