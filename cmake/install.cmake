# What `cmake --install` and the package put on a machine: the programs in bin/, the shipped data
# in share/t640/ (where the programs look for it beside bin/), the desktop entry, its icon, the
# AppStream metainfo and the manual pages. The udev rule has its own component (see the top file).
include(GNUInstallDirs)

install(TARGETS t640ctl t640-msg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET t640-skinview)
  install(TARGETS t640-skinview RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
foreach(folder skin DefaultData Font Update)
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${folder})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/${folder} DESTINATION ${CMAKE_INSTALL_DATADIR}/t640)
  endif()
endforeach()

install(FILES packaging/t640.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Copied into ~/.config/autostart/ by a user who wants T640 in the tray from the login on.
install(FILES packaging/t640-autostart.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/t640)
install(FILES packaging/t640.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/t640.1 packaging/t640ctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The metainfo lists the supported devices, so it is made from their table at build time.
set(T640_MODALIASES "@T640_MODALIASES@")
configure_file(packaging/com.kestrune.t640.metainfo.xml.in ${CMAKE_BINARY_DIR}/packaging/metainfo.xml.in @ONLY)
set(T640_METAINFO ${CMAKE_BINARY_DIR}/packaging/com.kestrune.t640.metainfo.xml)
add_custom_command(OUTPUT ${T640_METAINFO}
                   COMMAND t640-modaliases ${CMAKE_BINARY_DIR}/packaging/metainfo.xml.in ${T640_METAINFO}
                   DEPENDS t640-modaliases ${CMAKE_BINARY_DIR}/packaging/metainfo.xml.in
                   COMMENT "Listing the supported devices in the AppStream metainfo")
add_custom_target(t640_metainfo ALL DEPENDS ${T640_METAINFO})
install(FILES ${T640_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# ---- the Debian package: `cpack -G DEB` in the build folder ----
set(CPACK_PACKAGE_NAME t640)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings of gaming mice, mouse pads, headsets and keyboards")
set(CPACK_PACKAGE_DESCRIPTION "T640 finds gaming mice, mouse pads, headsets and keyboards among the \
computer's HID interfaces and sets what they store: sensitivity stages, polling rate, buttons, macros, \
recoil tables, lighting and the headset's sound, with up to 50 profiles per kind of device.")
set(CPACK_PACKAGE_CONTACT "T640 developers <t640@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link, found by dpkg-shlibdeps; the tray and the fonts are recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei, qt6-translations-l10n")
include(CPack)
