# Installation as a desktop program, and its Debian package.
#   <prefix>/lib/somnara/            the program folder: executable and data files
#   <prefix>/bin/somnara             a link to the executable; the program follows it back
#                                    to its folder through /proc/self/exe
#   <prefix>/share/applications/     the desktop entry
#   <prefix>/share/metainfo/         the software centre's description
#   <prefix>/share/icons/hicolor/    the icon, 16 to 256 pixels
#   <prefix>/share/man/man1/         the manual page
# The program folder is then read-only to its users, who keep their settings in
# ~/.config/somnara/ instead.

set(SOMNARA_APP_ID example.somnara.Somnara)
set(SOMNARA_PROGRAM_FOLDER lib/somnara)
set(_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_generated ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS somnara RUNTIME DESTINATION ${SOMNARA_PROGRAM_FOLDER})
install(DIRECTORY ${PROJECT_BINARY_DIR}/program/ DESTINATION ${SOMNARA_PROGRAM_FOLDER}
  FILES_MATCHING PATTERN "*.dll" PATTERN "*.gif" PATTERN "*.mid" PATTERN "*.html")
# Relative, so the installed tree can be moved or packed as it is.
install(CODE [[
  set(_link "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/somnara")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(CREATE_LINK ../lib/somnara/somnara "${_link}" SYMBOLIC)
  message(STATUS "Installing: ${_link}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/bin/somnara")
]])

configure_file(${_packaging}/${SOMNARA_APP_ID}.metainfo.xml.in
  ${_generated}/${SOMNARA_APP_ID}.metainfo.xml @ONLY)
configure_file(${_packaging}/somnara.1.in ${_generated}/somnara.1 @ONLY)
install(FILES ${_packaging}/somnara.desktop DESTINATION share/applications)
install(FILES ${_generated}/${SOMNARA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${_generated}/somnara.1 DESTINATION share/man/man1)

# The icon theme's sizes, drawn at build time from the same shapes as the program's icon.
set(_icon_sizes 16 32 48 64 128 256)
set(_icons)
foreach(_size ${_icon_sizes})
  list(APPEND _icons ${_generated}/icons/${_size}x${_size}/apps/somnara.png)
endforeach()
add_custom_command(OUTPUT ${_icons}
  COMMAND somnara_icons ${_generated}/icons
  DEPENDS somnara_icons
  COMMENT "Drawing the desktop icons")
add_custom_target(desktop_icons ALL DEPENDS ${_icons})
install(DIRECTORY ${_generated}/icons/ DESTINATION share/icons/hicolor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME somnara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop sleep aid with a bedtime routine and nature sounds")
set(CPACK_PACKAGE_DESCRIPTION "Somnara leads you through a short routine before bed: a \
set-up wizard, a focus step and a breathing step. Then it plays a nature sound for the \
night's first minutes, fades it out, and can put the computer to stand-by, hibernate it \
or power it off.")
set(CPACK_PACKAGE_CONTACT "The Somnara developers <somnara@somnara.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://somnara.example/)
# The shared libraries are found by dpkg-shlibdeps; what the program loads or runs by name
# is listed: the GStreamer elements that play the sounds (playbin, wavparse, pulsesink,
# the MIDI synthesiser) and its instruments, the fonts its font names map to, and the
# opener of links and of the help page.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, \
gstreamer1.0-plugins-bad, timgm6mb-soundfont | fluid-soundfont-gm, fonts-dejavu-core, \
fonts-liberation, fonts-wqy-microhei, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, libglib2.0-bin")
include(CPack)
