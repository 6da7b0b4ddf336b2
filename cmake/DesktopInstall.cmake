# What a desktop installation adds to the program and its Data folder: the
# menu entry, the AppStream metainfo, the icon in the hicolor theme, the man
# page and the bash completion. Included where the program target is made.
include(GNUInstallDirs)

set(QUILLMERE_SCREENSHOT_URL "" CACHE STRING
    "The https address where docs/main-window.png is published, for the metainfo (empty: no screenshot)")

set(desktop_source "${PROJECT_SOURCE_DIR}/data/desktop")
set(desktop_build "${PROJECT_BINARY_DIR}/desktop")

# The metainfo names a home page and a screenshot only when they are known.
set(QUILLMERE_METAINFO_LINKS "")
if(QUILLMERE_HOME_URL)
  string(APPEND QUILLMERE_METAINFO_LINKS
    "  <url type=\"homepage\">${QUILLMERE_HOME_URL}</url>\n")
endif()
if(QUILLMERE_SCREENSHOT_URL)
  string(APPEND QUILLMERE_METAINFO_LINKS
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>A three-way merge with one conflict and a difference resolved to the right</caption>\n"
    "      <image>${QUILLMERE_SCREENSHOT_URL}</image>\n"
    "    </screenshot>\n"
    "  </screenshots>\n")
endif()
configure_file("${desktop_source}/org.velden.Quillmere.metainfo.xml.in"
               "${desktop_build}/org.velden.Quillmere.metainfo.xml" @ONLY)

# The man page names the program's folder under the prefix; it is installed
# compressed, as Debian keeps man pages.
set(QUILLMERE_PROGRAM_FOLDER "${CMAKE_INSTALL_LIBDIR}/quillmere")
configure_file("${PROJECT_SOURCE_DIR}/doc/quillmere.1.in" "${desktop_build}/quillmere.1" @ONLY)
add_custom_command(OUTPUT "${desktop_build}/quillmere.1.gz"
  COMMAND gzip -9 -n -c "${desktop_build}/quillmere.1" > "${desktop_build}/quillmere.1.gz"
  DEPENDS "${desktop_build}/quillmere.1")

# PNG icons for desktops that do not scale the SVG, drawn from it at build time.
set(quillmere_icon_svg "${PROJECT_SOURCE_DIR}/data/icons/quillmere.svg")
set(quillmere_icon_sizes 16 32 48 64 128 256)
find_program(QUILLMERE_RSVG_CONVERT rsvg-convert)
set(quillmere_icon_pngs)
if(QUILLMERE_RSVG_CONVERT)
  foreach(size IN LISTS quillmere_icon_sizes)
    set(png "${desktop_build}/icons/${size}x${size}/quillmere.png")
    add_custom_command(OUTPUT "${png}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${desktop_build}/icons/${size}x${size}"
      COMMAND "${QUILLMERE_RSVG_CONVERT}" -w ${size} -h ${size} -o "${png}" "${quillmere_icon_svg}"
      DEPENDS "${quillmere_icon_svg}" VERBATIM)
    list(APPEND quillmere_icon_pngs "${png}")
  endforeach()
else()
  message(WARNING "rsvg-convert not found (librsvg2-bin): only the SVG icon is installed")
endif()

# Built with the program, so that installing never finds a file missing.
add_custom_target(quillmere_desktop_files DEPENDS ${quillmere_icon_pngs} "${desktop_build}/quillmere.1.gz")
add_dependencies(quillmere quillmere_desktop_files)

install(FILES "${desktop_source}/quillmere.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${desktop_build}/org.velden.Quillmere.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${quillmere_icon_svg}"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
foreach(png IN LISTS quillmere_icon_pngs)
  get_filename_component(size_folder "${png}" DIRECTORY)
  get_filename_component(size_folder "${size_folder}" NAME)
  install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size_folder}/apps")
endforeach()
install(FILES "${desktop_build}/quillmere.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_SOURCE_DIR}/data/completion/quillmere"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
