# `cpack` in the build folder makes a Debian package of the installed tree
# (prefix /usr). dpkg-shlibdeps finds the libraries the programs link, so the
# package depends on the Qt 6 runtime of the Debian release it was built on.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvik)
set(CPACK_PACKAGE_VENDOR "The Zelvik developers")
set(CPACK_PACKAGE_CONTACT "The Zelvik developers <zelvik@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bitmap font editor for small monochrome displays")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelvik draws bitmap fonts pixel by pixel, or renders them from a system font, \
and exports them as 8051 or AVR assembler or as C/C++ source for the firmware of \
microcontrollers that drive small monochrome displays. zelvik-cli does the same \
jobs from scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/zelvik/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# F1 and the about box's links open files and addresses through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
