# The Debian package, made by CPack from the same install rules as `cmake --install`:
#   cpack -G DEB --config BUILD/CPackConfig.cmake   (tools/make-deb.sh does it for a release build)
# Its dependencies are read from the program's libraries by dpkg-shlibdeps, never typed here.
set(debian_doc ${CMAKE_INSTALL_DATADIR}/doc/lirra-reader)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright DESTINATION ${debian_doc})
lirra_gzip(${PROJECT_SOURCE_DIR}/resources/debian/changelog ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.Debian.gz DESTINATION ${debian_doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lirra-reader)
set(CPACK_PACKAGE_VENDOR "The Lirra Reader developers")
set(CPACK_PACKAGE_CONTACT "The Lirra Reader developers <maintainers@lirra.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "e-book reader for DOS plain-text and RTF books")
set(CPACK_PACKAGE_DESCRIPTION
    "Lirra Reader opens plain-text books written in the DOS code page 866 and RTF\n"
    "books, and shows them in a read-only view with a status line of line, column\n"
    "and percentage and a clock. It keeps bookmarks across all books, a history of\n"
    "the books read, your font and colours, and scrolls a book on its own at a\n"
    "speed you set.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://lirra.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Directories in the package are 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
