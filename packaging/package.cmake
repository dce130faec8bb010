# The Debian packages zorgem and zorgem-dev, built by scripts/package.sh
# (cpack -G DEB in a configured build directory).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorgem)
set(CPACK_PACKAGE_VENDOR "ZorGem")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZorGem maintainers <zorgem@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps finds our own libraries in the staging tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/textscan ${CMAKE_BINARY_DIR}/zoredit)

# The library cache is refreshed by dpkg's ldconfig trigger; the empty
# maintainer scripts stand in for the ones that would call ldconfig. The
# symbols file is checked against the libraries by the test library_symbols.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/symbols
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME zorgem)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "SECS/GEM equipment definition toolset
ZorGem describes one piece of semiconductor equipment to an equipment-side
SECS/GEM communication library. ZorCompile compiles a definition source
(Shift-JIS text) into the object file, the ID definition files and an ID
list; ZorInspect checks an object file's definitions as a whole; ZorGemSet
is the Qt editor, with a Japanese user interface, of equipment definitions
and environment files. The package also holds the shared libraries
libtextscan (text scanning of definition sources) and libzoredit (loading,
editing and writing back equipment definitions).")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME zorgem-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "zorgem (= ${PROJECT_VERSION}-1)")
set(CPACK_DEBIAN_DEV_PACKAGE_ARCHITECTURE_FROM_RUNTIME ON)
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "SECS/GEM equipment definition toolset (development files)
Headers, pkg-config files (textscan, zoredit) and the CMake package ZorGem
for programs that scan definition sources with libtextscan or load, edit
and write back equipment definitions with libzoredit.")

include(CPack)
