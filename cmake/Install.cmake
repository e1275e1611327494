# What `cmake --install` and the package put in place: both programs, their man pages, the
# completion of zorvel-cli, the desktop entry, the icon, the file types and the AppStream
# metainfo. The man pages and the completion are made at build time by the programs themselves
# (see ManPage.cmake), the PNG icons by rendering the one SVG, so nothing here can drift from its
# source.
include(GNUInstallDirs)

# The release that PROJECT_VERSION names; the metainfo and the package's changelog carry it.
set(ZORVEL_RELEASE_DATE 2026-12-10)
set(ZORVEL_RELEASE_DATE_RFC "Thu, 10 Dec 2026 00:00:00 +0000")
set(ZORVEL_APP_ID org.zorvel.zorvel)
set(ZORVEL_ICON_SIZES 16 24 32 48 64 128 256)

find_program(ZORVEL_RSVG_CONVERT rsvg-convert REQUIRED)  # Debian: librsvg2-bin
find_program(ZORVEL_GZIP gzip REQUIRED)

set(pkg_src ${PROJECT_SOURCE_DIR}/packaging)
set(pkg_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${pkg_out}/icons)

install(TARGETS zorvel-cli zorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Symbols bound at start and the relocation table read-only afterwards, as Debian builds its
# programs; it costs nothing at run time that matters for two programs started by hand.
foreach(program zorvel zorvel-cli)
  target_link_options(${program} PRIVATE LINKER:-z,relro,-z,now)
endforeach()

# Man pages and completion, from the programs' own help.
set(man_script ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake)
add_custom_command(
  OUTPUT ${pkg_out}/zorvel-cli.1.gz
  COMMAND ${CMAKE_COMMAND} -DMODE=cli -DPROGRAM=$<TARGET_FILE:zorvel-cli> -DTEMPLATE=${pkg_src}/man/zorvel-cli.1.in
          -DOUT=${pkg_out}/zorvel-cli.1.gz -DVERSION=${PROJECT_VERSION} -P ${man_script}
  DEPENDS zorvel-cli ${pkg_src}/man/zorvel-cli.1.in ${man_script}
  COMMENT "Writing the zorvel-cli man page from its option tables")
add_custom_command(
  OUTPUT ${pkg_out}/zorvel.1.gz
  COMMAND ${CMAKE_COMMAND} -DMODE=usage -DPROGRAM=$<TARGET_FILE:zorvel> -DTEMPLATE=${pkg_src}/man/zorvel.1.in
          -DOUT=${pkg_out}/zorvel.1.gz -DVERSION=${PROJECT_VERSION} -P ${man_script}
  DEPENDS zorvel ${pkg_src}/man/zorvel.1.in ${man_script}
  COMMENT "Writing the zorvel man page from its --help")
add_custom_command(
  OUTPUT ${pkg_out}/zorvel-cli.bash
  COMMAND ${CMAKE_COMMAND} -DMODE=completion -DPROGRAM=$<TARGET_FILE:zorvel-cli> -DOUT=${pkg_out}/zorvel-cli.bash
          -P ${man_script}
  DEPENDS zorvel-cli ${man_script}
  COMMENT "Writing the zorvel-cli bash completion from its option tables")

# The icon at every size the desktop looks for.
set(icon_svg ${pkg_src}/icons/zorvel.svg)
set(icon_pngs)
foreach(size IN LISTS ZORVEL_ICON_SIZES)
  set(png ${pkg_out}/icons/zorvel-${size}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${ZORVEL_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the ${size}x${size} icon")
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME zorvel.png)
endforeach()

# The package's changelog, gzipped without a time stamp as Debian wants it.
configure_file(${pkg_src}/changelog.in ${pkg_out}/changelog @ONLY)
add_custom_command(
  OUTPUT ${pkg_out}/changelog.gz
  COMMAND ${ZORVEL_GZIP} -9nc ${pkg_out}/changelog > ${pkg_out}/changelog.gz
  DEPENDS ${pkg_out}/changelog)
configure_file(${pkg_src}/${ZORVEL_APP_ID}.metainfo.xml.in ${pkg_out}/${ZORVEL_APP_ID}.metainfo.xml @ONLY)

add_custom_target(zorvel_install_data ALL
  DEPENDS ${pkg_out}/zorvel-cli.1.gz ${pkg_out}/zorvel.1.gz ${pkg_out}/zorvel-cli.bash ${pkg_out}/changelog.gz
          ${icon_pngs})

install(FILES ${pkg_out}/zorvel-cli.1.gz ${pkg_out}/zorvel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pkg_out}/zorvel-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME zorvel-cli)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${pkg_src}/${ZORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg_src}/mime/zorvel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${ZORVEL_APP_ID}.xml)
install(FILES ${pkg_out}/${ZORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pkg_src}/copyright ${pkg_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
