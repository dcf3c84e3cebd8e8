# Install rules for Sumwise. Included from the top-level CMakeLists.txt once the `sumwise`
# executable target exists.
#
# Layout under the prefix:
#   lib/sumwise/sumwise           the program; its folder is the program folder, and the
#   lib/sumwise/help/index.html   help is looked for beside it
#   bin/sumwise                   relative symbolic link to lib/sumwise/sumwise
#   share/applications, share/icons/hicolor/scalable/apps, share/metainfo, share/man/man1
#   share/mime/packages           the tape file's type (application/x-sumwise-tape)
#
# The program resolves its folder through /proc/self/exe, so started through the link in
# bin it still finds lib/sumwise. That folder is normally not writable by the user, and the
# settings then go to $XDG_CONFIG_HOME/sumwise.

include(GNUInstallDirs)

if(NOT TARGET sumwise)
  message(FATAL_ERROR "Install.cmake: include it after the sumwise executable is defined")
endif()

get_filename_component(SUMWISE_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# A private program folder, as /usr/lib/<package> holds for other programs; not the
# multiarch library folder, since nothing in it is a library.
set(SUMWISE_INSTALL_PROGRAMDIR "lib/sumwise" CACHE STRING
    "Folder (relative to the prefix, or absolute) holding the sumwise program and its help")

install(TARGETS sumwise RUNTIME DESTINATION "${SUMWISE_INSTALL_PROGRAMDIR}")
install(DIRECTORY "${SUMWISE_SOURCE_ROOT}/help/"
        DESTINATION "${SUMWISE_INSTALL_PROGRAMDIR}/help")

install(FILES "${SUMWISE_SOURCE_ROOT}/data/${SUMWISE_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${SUMWISE_SOURCE_ROOT}/data/sumwise.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${SUMWISE_APP_ID}.svg")
install(FILES "${SUMWISE_SOURCE_ROOT}/data/${SUMWISE_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${SUMWISE_SOURCE_ROOT}/data/sumwise.1"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${SUMWISE_SOURCE_ROOT}/data/${SUMWISE_APP_ID}.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")

# Installed straight into its prefix, the tape file's type and the desktop entry's MimeType=
# are made known at once, so that .tape files open with the program. Into a DESTDIR staging
# tree nothing is run: the package's own triggers do it on the target system.
set(_sumwise_cache_code [=[
if("$ENV{DESTDIR}" STREQUAL "")
  set(_sumwise_datadir "@CMAKE_INSTALL_DATADIR@")
  if(NOT IS_ABSOLUTE "${_sumwise_datadir}")
    set(_sumwise_datadir "${CMAKE_INSTALL_PREFIX}/${_sumwise_datadir}")
  endif()
  find_program(_sumwise_update_mime update-mime-database)
  if(_sumwise_update_mime)
    message(STATUS "Updating: ${_sumwise_datadir}/mime")
    execute_process(COMMAND "${_sumwise_update_mime}" "${_sumwise_datadir}/mime"
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
  find_program(_sumwise_update_desktop update-desktop-database)
  if(_sumwise_update_desktop)
    execute_process(COMMAND "${_sumwise_update_desktop}" -q "${_sumwise_datadir}/applications"
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
endif()
]=])
string(CONFIGURE "${_sumwise_cache_code}" _sumwise_cache_code @ONLY)
install(CODE "${_sumwise_cache_code}")
unset(_sumwise_cache_code)

# bin/sumwise: a relative link, worked out at install time so that `--prefix` and DESTDIR
# both give a link that points into the same tree.
set(_sumwise_link_code [=[
set(_sumwise_bindir "@CMAKE_INSTALL_BINDIR@")
if(NOT IS_ABSOLUTE "${_sumwise_bindir}")
  set(_sumwise_bindir "${CMAKE_INSTALL_PREFIX}/${_sumwise_bindir}")
endif()
set(_sumwise_program "@SUMWISE_INSTALL_PROGRAMDIR@/sumwise")
if(NOT IS_ABSOLUTE "${_sumwise_program}")
  set(_sumwise_program "${CMAKE_INSTALL_PREFIX}/${_sumwise_program}")
endif()
cmake_path(NORMAL_PATH _sumwise_bindir)
cmake_path(NORMAL_PATH _sumwise_program)
file(RELATIVE_PATH _sumwise_target "${_sumwise_bindir}" "${_sumwise_program}")
set(_sumwise_link "$ENV{DESTDIR}${_sumwise_bindir}/sumwise")
message(STATUS "Installing: ${_sumwise_link} -> ${_sumwise_target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${_sumwise_bindir}")
file(REMOVE "${_sumwise_link}")
file(CREATE_LINK "${_sumwise_target}" "${_sumwise_link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_sumwise_link}")
]=])
string(CONFIGURE "${_sumwise_link_code}" _sumwise_link_code @ONLY)
install(CODE "${_sumwise_link_code}")
unset(_sumwise_link_code)
