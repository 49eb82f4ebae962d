# Read by CPack for each generator: where the program's folder goes in each kind of package.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX /opt/testryn)
elseif(CPACK_GENERATOR STREQUAL "TGZ")
    # Unpacked anywhere, the folder runs as it is; the desktop's files belong to the Debian package.
    set(CPACK_PACKAGING_INSTALL_PREFIX /)
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL program)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_ARCHIVE_FILE_NAME testryn-${CPACK_PACKAGE_VERSION}-portable)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
