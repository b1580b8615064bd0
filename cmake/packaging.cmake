# The Debian package (scripts/package runs cpack -G DEB in build-package/): what cmake --install puts
# under the prefix, plus what Debian asks of a package: /usr/share/doc/videowall/copyright and
# changelog.gz, and a manual page for every program.

# The copyright, changelog and manual pages belong to a component that a plain cmake --install leaves out,
# so an installation by hand gets exactly the files the README lists; cpack installs it on top of
# everything else (CPACK_INSTALL_CMAKE_PROJECTS below).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT debian EXCLUDE_FROM_ALL)
# The control port's commands, for the integrators of room control systems (the manual page points here).
install(FILES ${PROJECT_SOURCE_DIR}/docs/control.md DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT debian EXCLUDE_FROM_ALL)
# Debian wants these compressed. gzip -n leaves the name and time out, so the package is the same from
# one build to the next.
set(vw_gzipped
    "packaging/changelog|${CMAKE_INSTALL_DOCDIR}"
    "packaging/videowall.1|${CMAKE_INSTALL_MANDIR}/man1"
    "packaging/videowall-launch.1|${CMAKE_INSTALL_MANDIR}/man1"
    "packaging/videowall-sim.1|${CMAKE_INSTALL_MANDIR}/man1")
install(CODE "set(vw_source_dir \"${PROJECT_SOURCE_DIR}\")
set(vw_gzip_dir \"${CMAKE_CURRENT_BINARY_DIR}/gzipped\")
set(vw_gzipped \"${vw_gzipped}\")" COMPONENT debian EXCLUDE_FROM_ALL)
install(CODE [[
    foreach(entry IN LISTS vw_gzipped)
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 source)
        list(GET entry 1 destination)
        if(NOT IS_ABSOLUTE "${destination}")
            set(destination "${CMAKE_INSTALL_PREFIX}/${destination}")
        endif()
        get_filename_component(name "${source}" NAME)
        file(MAKE_DIRECTORY "${vw_gzip_dir}")
        execute_process(COMMAND gzip -9nc "${vw_source_dir}/${source}" OUTPUT_FILE "${vw_gzip_dir}/${name}.gz"
                        RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "gzip failed on ${source}")
        endif()
        file(INSTALL "${vw_gzip_dir}/${name}.gz" DESTINATION "${destination}"
             FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endforeach()
]] COMPONENT debian EXCLUDE_FROM_ALL)

# The changelog's newest entry names the version the package gets; a version bump needs a new entry.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog vw_changelog_top LIMIT_COUNT 1)
if(NOT vw_changelog_top MATCHES "^videowall \\(${PROJECT_VERSION}\\) ")
    message(WARNING "packaging/changelog does not start with an entry for version ${PROJECT_VERSION}")
endif()

set(CPACK_PACKAGE_NAME videowall)
set(CPACK_PACKAGE_VENDOR "The videowall developers")
set(CPACK_PACKAGE_CONTACT "The videowall developers <videowall@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console to drive a video wall controller over a serial port")
set(CPACK_PACKAGE_DESCRIPTION
    "videowall shows a scaled picture of a video wall. The operator draws and drags
video windows on it, gives each a device address, snaps them to the display
units, rotates them, sets the splice grid, switches inputs, resets units, and
saves and reloads layouts. Every change goes to the wall controller as a short
binary frame over a serial port at 9600 baud, or through a serial device server
on the network (raw TCP or RFC 2217).

The package also holds videowall-sim, a stand-in controller on a
pseudo-terminal that prints every frame it receives, for rehearsing without
hardware. The interface speaks English, Simplified and Traditional Chinese.")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/"
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (message box buttons, the file dialog) in Chinese; the libraries come from shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qttranslations5-l10n)
# Without a Chinese font the Chinese texts show as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
