# What `cmake --install` puts under the prefix, and the Debian package CPack makes of it:
# the binary, a desktop entry, AppStream metainfo, the session file type, the icons (the SVG
# and PNGs rendered from it at build time) and a man page made from `zwmap --help`.
# One reverse-DNS id names the desktop entry, the metainfo, the file type's XML and the icon.
set(ZW_APP_ID io.github.zwmap.zwmap)
# The day this version was released, for the metainfo's release list.
set(ZW_RELEASE_DATE 2026-12-08)

set(ZW_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ZW_PACKAGE_OUT ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS zwmap RUNTIME DESTINATION bin)
install(FILES ${ZW_PACKAGING_DIR}/${ZW_APP_ID}.desktop DESTINATION share/applications)
configure_file(${ZW_PACKAGING_DIR}/${ZW_APP_ID}.metainfo.xml
               ${ZW_PACKAGE_OUT}/${ZW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${ZW_PACKAGE_OUT}/${ZW_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${ZW_PACKAGING_DIR}/${ZW_APP_ID}.xml DESTINATION share/mime/packages)
install(FILES ${ZW_PACKAGING_DIR}/${ZW_APP_ID}.svg
        DESTINATION share/icons/hicolor/scalable/apps)

# The sanitized build makes only the tests; nothing here is built or run there.
if(NOT ZW_SANITIZE)
  add_executable(zw_render_icon ${ZW_PACKAGING_DIR}/RenderIcon.cpp)
  target_link_libraries(zw_render_icon PRIVATE Qt6::Gui Qt6::Svg)
  set(ZW_ICON_PNGS)
  foreach(size 48 128)
    set(png ${ZW_PACKAGE_OUT}/icons/${size}x${size}/${ZW_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ZW_PACKAGE_OUT}/icons/${size}x${size}
      COMMAND zw_render_icon ${ZW_PACKAGING_DIR}/${ZW_APP_ID}.svg ${size} ${png}
      DEPENDS zw_render_icon ${ZW_PACKAGING_DIR}/${ZW_APP_ID}.svg
      COMMENT "Rendering the ${size}x${size} icon" VERBATIM)
    list(APPEND ZW_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()

  # help2man reads `zwmap --help` and `--version` (the program needs no display for either)
  # and adds the hand-written sections of packaging/zwmap.h2m.
  find_program(ZW_HELP2MAN help2man)
  set(ZW_MAN_PAGE ${ZW_PACKAGE_OUT}/zwmap.1)
  if(ZW_HELP2MAN)
    add_custom_command(OUTPUT ${ZW_MAN_PAGE}
      # The page is English whatever the language of the machine that builds it.
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LANGUAGE=en LC_ALL=C.UTF-8
              ${ZW_HELP2MAN} --no-info
              --include ${ZW_PACKAGING_DIR}/zwmap.h2m --output ${ZW_MAN_PAGE}
              $<TARGET_FILE:zwmap>
      DEPENDS zwmap ${ZW_PACKAGING_DIR}/zwmap.h2m
      COMMENT "Writing the man page" VERBATIM)
    install(FILES ${ZW_MAN_PAGE} DESTINATION share/man/man1)
  else()
    message(WARNING "help2man not found (scripts/setup installs it): no man page is made")
    set(ZW_MAN_PAGE)
  endif()
  add_custom_target(zw_package_files ALL DEPENDS ${ZW_ICON_PNGS} ${ZW_MAN_PAGE})
endif()

# The Debian package: `cpack -G DEB` in a build tree (scripts/package does it in Release).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zwmap)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The zwmap developers")
set(CPACK_PACKAGE_CONTACT "The zwmap developers <zwmap@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see complex functions w = f(z) as mappings of the plane")
# Debian shows the long description as it is: lines of under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "zwmap shows two planes side by side, the domain (the z-plane) and the range\n"
    "(the w-plane). Drag the mouse in the domain to draw a path, and its image\n"
    "under f is drawn in the range as you go. The function is a Moebius map, a\n"
    "cubic polynomial or an affine map with typed coefficients, one of a\n"
    "catalogue, or any formula in z. Grids are mapped through f, the domain can\n"
    "be shaded by the modulus or the argument of f(z), sessions are saved to\n"
    "files and pictures exported as PNG or SVG.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/zwmap/zwmap)
# The window needs a platform plugin (xcb), which Qt's libraries only recommend and nothing
# links to; dpkg-shlibdeps adds the libraries the binary links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own German (the standard dialogs' buttons and titles); zwmap's own is built in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
