# Installation and the Debian package: the three programs, the desktop
# entry with its icon and AppStream data, man pages and bash completion.
# `cpack -G DEB` in a build folder makes vovor_<version>_<arch>.deb.

include(GNUInstallDirs)

set(vovor_app_id org.vovor.Configurator)
set(vovor_packaging ${PROJECT_SOURCE_DIR}/packaging)

foreach(program IN ITEMS vovor vovorctl vovor-modem-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET vovor)
  install(FILES ${vovor_packaging}/${vovor_app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${vovor_packaging}/${vovor_app_id}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${vovor_packaging}/${vovor_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
install(FILES ${vovor_packaging}/vovorctl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vovorctl)

# Man pages: vovor's is written by hand; the command-line programs' come from
# their own --help, so every command and option is in them. Debian wants
# them compressed without a time stamp.
find_program(HELP2MAN help2man)
find_program(GZIP gzip)
set(man_pages)
if(GZIP)
  set(vovor_man_gz ${CMAKE_BINARY_DIR}/man/vovor.1.gz)
  add_custom_command(OUTPUT ${vovor_man_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${GZIP} -9nc ${vovor_packaging}/vovor.1 > ${vovor_man_gz}
    DEPENDS ${vovor_packaging}/vovor.1 VERBATIM)
  list(APPEND man_pages ${vovor_man_gz})
  if(HELP2MAN)
    set(vovorctl_man_name "command-line front end of the VO_Vor modem configurator")
    set(vovor-modem-sim_man_name "simulated ORVA modem on a pseudo-terminal")
    foreach(program IN ITEMS vovorctl vovor-modem-sim)
      if(TARGET ${program})
        set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
        add_custom_command(OUTPUT ${page}.gz
          COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
          COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1 "--name=${${program}_man_name}"
                  --include=${vovor_packaging}/${program}.h2m --output=${page} $<TARGET_FILE:${program}>
          COMMAND ${GZIP} -9nf ${page}
          DEPENDS ${program} ${vovor_packaging}/${program}.h2m VERBATIM)
        list(APPEND man_pages ${page}.gz)
      endif()
    endforeach()
  endif()
  add_custom_target(vovor_man_pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# Debian wants the copyright and a compressed changelog in the doc folder
# (a native package's is changelog.gz).
set(vovor_changelog_gz ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${vovor_changelog_gz}
  COMMAND ${GZIP} -9nc ${vovor_packaging}/changelog > ${vovor_changelog_gz}
  DEPENDS ${vovor_packaging}/changelog VERBATIM)
add_custom_target(vovor_changelog ALL DEPENDS ${vovor_changelog_gz})
install(FILES ${vovor_packaging}/copyright ${vovor_changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME vovor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VO_Vor developers")
set(CPACK_PACKAGE_CONTACT "VO_Vor developers <vovor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator and diagnostic console for ORVA mesh radio modems")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "VO_Vor talks to an ORVA mesh radio modem on a serial port, and through it
to any node of the mesh: it reads and writes the configuration, opens
virtual channels, shows registers, clock, radio and network state, and
logs every exchange. It comes with vovorctl, the same operations on the
command line, and a simulated modem for use without hardware.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
