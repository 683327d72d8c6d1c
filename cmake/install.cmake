# Desktop integration (menu entry, file types, icons, font rule, help page)
# and the Debian package. The install rule of the two programs is in the
# top-level CMakeLists.txt.

set(QV_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(QV_DATA_DEST ${CMAKE_INSTALL_DATADIR}/quorvane)
set(QV_ICON_DEST ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# Icons: one SVG each, and the fixed sizes that menus, file managers and
# docks ask for, rendered from it at build time.
set(QV_ICONS
  apps/quorvane
  mimetypes/application-x-quorvane-label
  mimetypes/application-x-quorvane-template)
set(QV_ICON_SIZES 16 22 24 32 48 64 128 256)

find_program(QV_RSVG_CONVERT rsvg-convert)
set(QV_ICON_PNGS)
foreach(icon ${QV_ICONS})
  get_filename_component(context ${icon} DIRECTORY)
  get_filename_component(name ${icon} NAME)
  set(svg ${QV_RESOURCES}/icons/${name}.svg)
  install(FILES ${svg} DESTINATION ${QV_ICON_DEST}/scalable/${context})
  if(NOT QV_RSVG_CONVERT)
    continue()
  endif()
  foreach(size ${QV_ICON_SIZES})
    set(dir ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${context})
    set(png ${dir}/${name}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${QV_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${svg}
      DEPENDS ${svg}
      VERBATIM)
    list(APPEND QV_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${QV_ICON_DEST}/${size}x${size}/${context})
  endforeach()
endforeach()
if(NOT QV_RSVG_CONVERT)
  message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): only the scalable icons will be installed")
endif()

# Manual pages, compressed as Debian installs them.
find_program(QV_GZIP gzip)
set(QV_MAN_PAGES)
foreach(page quorvane.1 quorvane-cli.1 quorvane-server.1)
  set(src ${QV_RESOURCES}/man/${page})
  if(QV_GZIP)
    set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${QV_GZIP} -9nc ${src} > ${out}
      DEPENDS ${src})
    list(APPEND QV_MAN_PAGES ${out})
  else()
    set(out ${src})
  endif()
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The print service as a system service, and the user it runs as (made by
# systemd-sysusers at boot, or at once by running it after the install).
install(FILES ${QV_RESOURCES}/systemd/quorvane-server.service DESTINATION lib/systemd/system)
install(FILES ${QV_RESOURCES}/systemd/quorvane-server.conf DESTINATION lib/sysusers.d)

add_custom_target(quorvane-data ALL DEPENDS ${QV_ICON_PNGS} ${QV_MAN_PAGES})
# Building the program is enough for a complete install.
add_dependencies(quorvane quorvane-data)

install(FILES ${QV_RESOURCES}/quorvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_RESOURCES}/mime/quorvane.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# Software centres list the program from its AppStream metadata.
install(FILES ${QV_RESOURCES}/metainfo/org.example.quorvane.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence in the machine-readable form Debian packages carry.
install(FILES ${QV_RESOURCES}/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvane)
# The help page is looked up in the program's folder and in share/quorvane.
install(FILES ${QV_RESOURCES}/Help.html DESTINATION ${QV_DATA_DEST} OPTIONAL)

# Font names used by label files, mapped to installed faces. fontconfig reads
# only /etc/fonts/conf.d, so for a /usr install the rule is enabled there
# with a link, as font packages do; other prefixes get the same link below
# their own etc/ for the administrator to copy.
set(QV_FONT_RULE 65-quorvane.conf)
install(FILES ${QV_RESOURCES}/fontconfig/${QV_FONT_RULE}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail)
install(CODE "
  set(_qv_prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(_qv_etc \"\${_qv_prefix}/etc\")
  if(_qv_prefix STREQUAL \"/usr\")
    set(_qv_etc /etc)
  endif()
  set(_qv_link \"\$ENV{DESTDIR}\${_qv_etc}/fonts/conf.d/${QV_FONT_RULE}\")
  set(_qv_target \"\${_qv_prefix}/${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail/${QV_FONT_RULE}\")
  message(STATUS \"Installing: \${_qv_link} -> \${_qv_target}\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${_qv_etc}/fonts/conf.d\")
  file(CREATE_LINK \"\${_qv_target}\" \"\${_qv_link}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${_qv_link}\")
")

# The same rule for programs run from the build folder (tests, run.sh):
# FONTCONFIG_FILE=${QV_FONTCONFIG_FILE} gives them the installed behaviour.
set(QV_FONTCONFIG_FILE ${CMAKE_BINARY_DIR}/fontconfig/fonts.conf)
file(CONFIGURE OUTPUT ${QV_FONTCONFIG_FILE} CONTENT [[<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <include>@QV_RESOURCES@/fontconfig/@QV_FONT_RULE@</include>
</fontconfig>
]] @ONLY)

# A direct install (no DESTDIR: not a package being staged) refreshes the
# desktop caches itself; a package leaves that to the dpkg triggers of
# shared-mime-info, desktop-file-utils and hicolor-icon-theme.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    set(_qv_share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
    find_program(_qv_mime update-mime-database)
    find_program(_qv_desktop update-desktop-database)
    find_program(_qv_iconcache gtk-update-icon-cache)
    if(_qv_mime)
      execute_process(COMMAND \${_qv_mime} \"\${_qv_share}/mime\" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_qv_desktop)
      execute_process(COMMAND \${_qv_desktop} -q \"\${_qv_share}/applications\" OUTPUT_QUIET ERROR_QUIET)
    endif()
    # Only refresh an icon cache that exists: a stale one hides new icons,
    # a missing one costs nothing.
    if(_qv_iconcache AND EXISTS \"\${_qv_share}/icons/hicolor/icon-theme.cache\")
      execute_process(COMMAND \${_qv_iconcache} -q -t -f \"\${_qv_share}/icons/hicolor\" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
")

# Debian package: cpack -G DEB in the build folder, or scripts/build-deb.sh.
set(QV_PACKAGE_MAINTAINER "Maudrel Software <support@maudrel.invalid>" CACHE STRING
  "Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Maudrel Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "label designer and label printer")
set(CPACK_PACKAGE_DESCRIPTION
  "Quorvane lays out one label with barcodes (Code 128, Code 39, Code 93, UPC,
EAN, Interleaved 2 of 5, POSTNET), text, shapes and pictures, and prints it
many times on sheets of labels, filling counters, dates and columns of
imported text data for every label. The user interface is in Simplified
Chinese. quorvane-cli draws barcodes and labels without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Stage with DESTDIR so that the install rules see the real prefix and the
# font rule link lands in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# What the linker cannot see: the display plugins, the image plugins of the
# TIFF and WebP pictures, and the fonts that the font rule points at. The libraries come from dpkg-shlibdeps when it is
# there (with the versions the binaries really need), else from this list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-liberation, fonts-wqy-zenhei")
find_program(QV_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QV_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), "
    "libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libjpeg62-turbo, libfontconfig1, libcups2, libpng16-16, libzint2.11, libzip4, libfreexl1, libc6, libstdc++6"
    ", libqt6sql6 (>= 6.4), libqt6keychain1, libqt6svg6 (>= 6.4)")
endif()
# Qt's own Chinese texts for the standard dialogs (English without them).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-translations-l10n")
# The makers' label sheets of the stock choice (some are built in).
string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", glabels-data")
# The database drivers are plugins the linker cannot see.
string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS
  ", libqt6sql6-sqlite, libqt6sql6-psql, libqt6sql6-mysql, libqt6sql6-odbc")
set(CPACK_GENERATOR DEB)
include(CPack)
