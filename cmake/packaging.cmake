# What a Debian system expects of an installed program beside the program
# itself: the manual page, bash completion, the icon in the hicolor theme,
# AppStream metainfo and the package documentation; and `cpack -G DEB`,
# which builds boltgen_<version>_amd64.deb from the install rules.

set(BOLTGEN_MAINTAINER "Quillfen <boltgen@quillfen.example>")
find_program(BOLTGEN_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(BOLTGEN_PYTHON NAMES python3 REQUIRED)
find_program(BOLTGEN_GZIP gzip REQUIRED)
set(pages ${CMAKE_SOURCE_DIR}/scripts/manual_pages.py)
set(manual ${CMAKE_SOURCE_DIR}/docs/manual.md)

# The manual page and the completion come from the manual the help document
# is typeset from.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/boltgen.1 ${CMAKE_BINARY_DIR}/boltgen.1.gz
  COMMAND ${BOLTGEN_PYTHON} ${pages} man ${manual} ${PROJECT_VERSION} ${CMAKE_BINARY_DIR}/boltgen.1
  COMMAND ${BOLTGEN_GZIP} -9nkf ${CMAKE_BINARY_DIR}/boltgen.1
  DEPENDS ${pages} ${manual}
  COMMENT "Making the manual page boltgen.1 from docs/manual.md"
  VERBATIM)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/boltgen.bash-completion
  COMMAND ${BOLTGEN_PYTHON} ${pages} completion ${manual} ${CMAKE_BINARY_DIR}/boltgen.bash-completion
  DEPENDS ${pages} ${manual}
  COMMENT "Making the bash completion from docs/manual.md"
  VERBATIM)
add_custom_target(boltgen_pages ALL
  DEPENDS ${CMAKE_BINARY_DIR}/boltgen.1.gz ${CMAKE_BINARY_DIR}/boltgen.bash-completion)
install(FILES ${CMAKE_BINARY_DIR}/boltgen.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/boltgen.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME boltgen)

# The icon is drawn once, as SVG; the sizes that menus and panels ask for
# are rendered from it.
set(BOLTGEN_ICON_SVG ${CMAKE_SOURCE_DIR}/data/icons/boltgen.svg)
set(BOLTGEN_ICON_SIZES 16 22 24 32 48 64 128 256)
if(BOLTGEN_GUI)
  find_program(BOLTGEN_RSVG rsvg-convert REQUIRED)
  set(icons)
  foreach(size IN LISTS BOLTGEN_ICON_SIZES)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/boltgen.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${BOLTGEN_RSVG} -w ${size} -h ${size} -o ${png} ${BOLTGEN_ICON_SVG}
      DEPENDS ${BOLTGEN_ICON_SVG}
      VERBATIM)
    list(APPEND icons ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(boltgen_icons ALL DEPENDS ${icons})
  install(FILES ${BOLTGEN_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The window program takes the same switches: its page is the same page.
  file(CREATE_LINK boltgen.1.gz ${CMAKE_BINARY_DIR}/boltgen-window.1.gz SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/boltgen-window.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  set(BOLTGEN_APP_ID example.quillfen.boltgen)
  configure_file(data/boltgen.metainfo.xml ${CMAKE_BINARY_DIR}/${BOLTGEN_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${BOLTGEN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The package's documentation: Debian wants the copyright and a changelog.
configure_file(data/copyright ${CMAKE_BINARY_DIR}/doc/copyright COPYONLY)
execute_process(COMMAND date -u -R -d ${BOLTGEN_RELEASE_DATE}
                OUTPUT_VARIABLE BOLTGEN_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${CMAKE_BINARY_DIR}/doc/changelog
  "boltgen (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
  "  * Release ${PROJECT_VERSION}.\n\n"
  " -- ${BOLTGEN_MAINTAINER}  ${BOLTGEN_CHANGELOG_DATE}\n")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
  COMMAND ${BOLTGEN_GZIP} -9nkf ${CMAKE_BINARY_DIR}/doc/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog
  VERBATIM)
add_custom_target(boltgen_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/doc/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME boltgen)
set(CPACK_PACKAGE_VENDOR Quillfen)
set(CPACK_PACKAGE_CONTACT "${BOLTGEN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAD scripts that draw threaded 3D hex-head bolts and nuts")
set(CPACK_PACKAGE_DESCRIPTION
  "boltgen writes command scripts for a CAD program that draw a threaded 3D\n"
  "hex-head bolt as one closed polygon mesh and, on request, four hex nuts.\n"
  "Sizes come from an editable size table (inch and metric sizes are shipped).\n"
  "Each part can also be written as an STL file, a DXF drawing or into one 3MF\n"
  "file. It runs as a small window or, with command-line switches, unattended\n"
  "in batch jobs.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.quillfen.example/)
# Dependencies are computed from the programs' own libraries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
