# Installs the build into an empty folder and checks what arrives there: the
# programs and the demonstration data at the top, byte for byte; the desktop
# launcher, icon and metadata under share/; nothing else. The launcher must
# name the installed program and icon and still pass desktop-file-validate;
# the installed tree passes appstreamcli validate-tree.
# A second install over the folder keeps the data files the user replaced.
#
# -DBUILD_DIR=  build tree to install        -DPREFIX=    empty folder to use
# -DDATA_DIR=   source of the program data   -DPROGRAMS=  executables, comma-separated
# -DAPP_ID=     desktop id                   -DDESKTOP_FILE_VALIDATE=, -DAPPSTREAMCLI=
#                                            the validators

cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(fails "")
macro(fail text)
  string(APPEND fails "  ${text}\n")
endmacro()

# What the folder must hold.
file(GLOB_RECURSE data RELATIVE "${DATA_DIR}" LIST_DIRECTORIES false "${DATA_DIR}/*")
set(expected ${PROGRAMS} ${data}
    "share/applications/${APP_ID}.desktop"
    "share/icons/hicolor/scalable/apps/${APP_ID}.svg"
    "share/metainfo/${APP_ID}.metainfo.xml")
file(GLOB_RECURSE installed RELATIVE "${PREFIX}" LIST_DIRECTORIES false "${PREFIX}/*")
list(SORT expected)
list(SORT installed)
foreach(f IN LISTS expected)
  if(NOT f IN_LIST installed)
    fail("missing: ${f}")
  endif()
endforeach()
foreach(f IN LISTS installed)
  if(NOT f IN_LIST expected)
    fail("not part of the program: ${f}")
  endif()
endforeach()

foreach(f IN LISTS data)
  if(EXISTS "${PREFIX}/${f}")
    file(SHA256 "${DATA_DIR}/${f}" want)
    file(SHA256 "${PREFIX}/${f}" got)
    if(NOT want STREQUAL got)
      fail("differs from the source: ${f}")
    endif()
  endif()
endforeach()
foreach(p IN LISTS PROGRAMS)
  execute_process(COMMAND test -x "${PREFIX}/${p}" RESULT_VARIABLE not_executable)
  if(not_executable)
    fail("not executable: ${p}")
  endif()
endforeach()

# The launcher points into this folder (whose name has a blank, so Exec must
# quote it).
set(launcher "${PREFIX}/share/applications/${APP_ID}.desktop")
if(EXISTS "${launcher}")
  file(READ "${launcher}" text)
  string(FIND "${text}" "\nExec=\"${PREFIX}/quz\" %f\n" exec_at)
  if(exec_at EQUAL -1)
    fail("Exec does not start ${PREFIX}/quz:\n${text}")
  endif()
  string(FIND "${text}" "\nIcon=${PREFIX}/share/icons/hicolor/scalable/apps/${APP_ID}.svg\n" icon_at)
  if(icon_at EQUAL -1)
    fail("Icon is not the installed icon:\n${text}")
  endif()
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${launcher}"
                  RESULT_VARIABLE invalid OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(invalid OR NOT report STREQUAL "")
    fail("desktop-file-validate on the installed launcher:\n${report}")
  endif()
endif()

# The metadata, the launcher it names and the icon, as installed together.
execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${PREFIX}"
                RESULT_VARIABLE invalid OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(invalid)
  fail("appstreamcli validate-tree:\n${report}")
endif()

# Installing again over the folder keeps data files the user replaced and
# brings back the ones removed.
file(WRITE "${PREFIX}/vopros.txt" "my own tickets")
file(REMOVE "${PREFIX}/Help.txt")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  fail("second cmake --install failed:\n${output}")
endif()
file(READ "${PREFIX}/vopros.txt" kept)
if(NOT kept STREQUAL "my own tickets")
  fail("a second install replaced the user's vopros.txt")
endif()
if(NOT EXISTS "${PREFIX}/Help.txt")
  fail("a second install did not bring back Help.txt")
endif()

if(NOT fails STREQUAL "")
  message(FATAL_ERROR "install into ${PREFIX}:\n${fails}")
endif()
message(STATUS "install into ${PREFIX}: ${installed}")
