# The Debian package: `cpack -G DEB` in a build folder packs what `cmake --install` installs,
# below /usr. Included last from the top-level CMakeLists.txt, after every install rule.
#
# The package's dependencies are computed from the installed programs by dpkg-shlibdeps, which
# needs dpkg-dev and file; both are required, as a package without its dependencies would
# install and then fail to start.
find_program(VK_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(VK_FILE file)
if(NOT VK_DPKG_SHLIBDEPS OR NOT VK_FILE)
  message(FATAL_ERROR
    "The Debian package computes its dependencies with dpkg-shlibdeps and file. On Debian "
    "install: dpkg-dev file (or run tools/install-deps.sh).")
endif()

# No address is published yet: a real package sets its maintainer with -DVK_PACKAGE_MAINTAINER.
set(VK_PACKAGE_MAINTAINER "Vostra Kalibra maintainers <maintainers@vostra-kalibra.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

# Installed directories get the usual modes whatever the umask of the person building.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The documentation every Debian package carries: its copyright and its changelog, compressed
# reproducibly (no name or time stamp in the gzip header).
set(vk_doc share/doc/vostra-kalibra)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in
               ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${VK_GZIP} -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(vk_package_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
              ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${vk_doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vostra-kalibra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fit discrete distributions to counted data")
# The long description as the control file shows it: lines of fewer than 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vostra Kalibra fits discrete probability distributions to observed\n"
    "frequencies of the values 0, 1, 2, ... by minimum chi-square, choosing from a\n"
    "catalog of 223 distributions, and judges each fit by X², its degrees of\n"
    "freedom, P(X²), C and R².\n"
    "The package holds the desktop application vostra-kalibra, the command-line\n"
    "tool kalibra for scripts and large batches (with bash completion), the\n"
    "distribution catalog and kalibra-catalog, which packs and unpacks the catalog\n"
    "file.")
if(VK_BUILD_PYTHON)
  string(APPEND CPACK_PACKAGE_DESCRIPTION
      "\nThe Python module vostra_kalibra gives the engine to Python programs.")
  # The compiled module suits the interpreter version it was built for only; numpy is what it
  # hands out. dpkg-shlibdeps adds the libraries it links.
  math(EXPR vk_python_next "${VK_PYTHON_VERSION_MINOR} + 1")
  set(vk_python_version ${VK_PYTHON_VERSION_MAJOR}.${VK_PYTHON_VERSION_MINOR})
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "python3 (>= ${vk_python_version}~), python3 (<< ${VK_PYTHON_VERSION_MAJOR}.${vk_python_next}), python3-numpy")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
