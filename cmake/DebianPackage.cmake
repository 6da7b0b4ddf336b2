# `cpack` in the build folder makes quillmere_VERSION_ARCH.deb of what
# `cmake --install` installs, under /usr. Its dependencies are those of the
# libraries the program actually links, found by dpkg-shlibdeps (dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR Velden)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "XML compare and merge, node by node")
set(CPACK_PACKAGE_DESCRIPTION [[Quillmere compares two XML files, or merges three (left, right and their
common base), node by node instead of line by line, in a window or
silently from the command line, as a git difftool, mergetool or merge
driver. How the children of an element are matched comes from
per-document-type format specifications; those of Android resources,
Apache Ant, Maven POM, MSBuild, .resx, SVG and XLIFF are included.]])
set(QUILLMERE_PACKAGE_MAINTAINER "Quillmere maintainers <maintainers@quillmere.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLMERE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QUILLMERE_HOME_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLMERE_HOME_URL}")
endif()
# The window needs Qt's platform plugins, which are loaded, not linked, so
# dpkg-shlibdeps cannot see them (Qt itself only recommends them).
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "${QUILLMERE_PACKAGE_MAINTAINER}")
include(CPack)
