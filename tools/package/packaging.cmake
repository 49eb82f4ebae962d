# make package: a Debian package and a portable archive of the program, built by CPack.
#
# The program reads its data files next to its executable, so both keep one folder of them: the
# Debian package under /opt/testryn (with a menu entry, an icon and /usr/bin/testryn), the archive
# as a folder to unpack anywhere. Where that folder cannot be written, the program keeps its
# settings and edited event descriptions in the user's own folders.

set(RYN_PROGRAM_FILES
    ${RYN_BIN_DIR}/languages.ini
    ${RYN_BIN_DIR}/testryn_EN.qm
)
install(TARGETS testryn ryn-sim RUNTIME DESTINATION . COMPONENT program)
install(FILES ${RYN_PROGRAM_FILES} DESTINATION . COMPONENT program)
install(FILES ${RYN_BIN_DIR}/Resources/Messages.RU ${RYN_BIN_DIR}/Resources/Messages.EN
        DESTINATION Resources COMPONENT program)
install(FILES ${RYN_BIN_DIR}/sim/demo.json DESTINATION sim COMPONENT program)

# The desktop's share: absolute places, so only the Debian package carries them.
install(FILES ${CMAKE_SOURCE_DIR}/data/testryn.desktop DESTINATION /usr/share/applications COMPONENT desktop)
install(FILES ${CMAKE_BINARY_DIR}/resources/images/testryn.png
        DESTINATION /usr/share/icons/hicolor/256x256/apps COMPONENT desktop)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package-files)
file(CREATE_LINK /opt/testryn/testryn ${CMAKE_BINARY_DIR}/package-files/testryn SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/package-files/testryn DESTINATION /usr/bin COMPONENT desktop)

set(CPACK_PACKAGE_NAME testryn)
set(CPACK_PACKAGE_VENDOR "Ostrel")
set(CPACK_PACKAGE_CONTACT "TestRYN maintainers <testryn@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service tool for RYN fire-alarm loop controllers (Modbus RTU master)")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME testryn-${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.36), libstdc++6 (>= 12), libgcc-s1, libqt5core5a (>= 5.15), libqt5gui5 (>= 5.15), libqt5widgets5 (>= 5.15), libqt5printsupport5 (>= 5.15), libqt5serialport5 (>= 5.15), libqcustomplot2.1, qttranslations5-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/generators.cmake)
include(CPack)
