# The Debian package vantro_<version>_<arch>.deb, made by `cpack -G DEB` from the project's own
# install rules, so whatever the folders install (program, simulator, help page, template, desktop
# entry, icons, AppStream data, udev rule, manual pages, translations) is in it without a second list.
#
#   cmake -S . -B build-deb -DVANTRO_DEBIAN_PACKAGE=ON -DVANTRO_BUILD_TESTS=OFF
#   cmake --build build-deb -j2
#   (cd build-deb && cpack -G DEB)
#
# Included from the top-level CMakeLists.txt before the folders, because the build flags below must
# reach every target.
option(VANTRO_DEBIAN_PACKAGE
       "Build for the Debian package: Debian's hardening flags, the package's copyright and changelog, cpack -G DEB"
       OFF)
if(NOT VANTRO_DEBIAN_PACKAGE)
    return()
endif()

set(VANTRO_PACKAGE_NAME vantro)
set(VANTRO_PACKAGE_MAINTAINER "Vantro developers <vantro@example.org>")
set(VANTRO_PACKAGE_DEBIAN_DIR ${CMAKE_CURRENT_LIST_DIR}/debian)

# Debian builds its packages with these flags; the package gets them too, with every hardening
# feature (fortified functions, stack protector, relocations read-only and bound at start).
find_program(VANTRO_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${VANTRO_DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(VANTRO_DEB_${kind} "${flags}")
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${VANTRO_DEB_CPPFLAGS} ${VANTRO_DEB_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${VANTRO_DEB_LDFLAGS}")
# The install step strips the programs (CPACK_STRIP_FILES) the way Debian does.
set(CMAKE_STRIP ${VANTRO_PACKAGE_DEBIAN_DIR}/strip)

# The changelog's newest entry must be this version: a release that forgets to add one fails here
# instead of shipping a package whose changelog names another version.
set(changelog ${VANTRO_PACKAGE_DEBIAN_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^${VANTRO_PACKAGE_NAME} \\(([^)]+)\\)")
    message(FATAL_ERROR "${changelog}: the first line is not an entry of ${VANTRO_PACKAGE_NAME}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${changelog}: the newest entry is version ${CMAKE_MATCH_1}, the project is "
                        "${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION}")
endif()

# Debian keeps every package's copyright and compressed changelog in /usr/share/doc/<package>/.
# The package is native (its version has no Debian revision), so the changelog is changelog.gz.
# gzip -n leaves the time stamp out, so the same changelog gives the same package.
find_program(VANTRO_GZIP gzip REQUIRED)
set(changelog_gz ${CMAKE_BINARY_DIR}/debian/changelog.gz)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/debian)
execute_process(COMMAND ${VANTRO_GZIP} -9nc ${changelog} OUTPUT_FILE ${changelog_gz} COMMAND_ERROR_IS_FATAL ANY)
set(docdir share/doc/${VANTRO_PACKAGE_NAME})
install(FILES ${VANTRO_PACKAGE_DEBIAN_DIR}/copyright ${changelog_gz} DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VANTRO_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders get 0755 whatever the umask of the machine that builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTRO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Depends comes from the libraries the programs link (dpkg-shlibdeps). What the programs load or
# start without linking it is recommended: the fonts the window is laid out for, Qt's German
# dialog texts, xdg-open for the help page and the exported files, and the sound server Qt
# Multimedia plays the alarm through (without one the alarm stays silent and nothing else changes).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n, xdg-utils, pipewire-pulse | pulseaudio")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "timing of runs at small motor races
Vantro times runs at kart slaloms, club events and speed trials. Start, lap
and stop come from big buttons, one-key shortcuts or a light barrier wired to
a serial port. Large seven-segment digits show the running time and the speed
between lap and stop; every moment becomes a line of the results protocol,
which can be saved, printed and exported to a spreadsheet or a word processor.

The package also holds vantro-lbsim, a light barrier without hardware for
practice, and a udev rule that makes USB serial adapters report passes
without delay.

The program's interface is German.")

include(CPack)
