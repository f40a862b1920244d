# Installs the build into an empty folder and checks what arrives there: the
# programs, the modules they load and the demonstration data at the top, the
# data byte for byte; the modules with every library they need at hand; the
# launchers, icon, metadata, MIME type of journal files and manual pages
# under share/; nothing else. Each launcher must name the installed programs
# and icon and still pass desktop-file-validate; the main launcher declares
# the journal files' MIME type, which shared-mime-info registers for *.quz,
# and has the exam action exactly when quz-exam is installed; the installed
# tree passes appstreamcli validate-tree.
# A second install over the folder keeps the data files the user replaced.
#
# -DBUILD_DIR=  build tree to install        -DPREFIX=    empty folder to use
# -DDATA_DIR=   source of the program data   -DPROGRAMS=  executables, comma-separated
# -DMODULES=    libraries the programs load from beside themselves, comma-separated
# -DAPP_ID=     desktop id of quz            -DLAUNCHERS= program=desktop-id, comma-separated
# -DMIME_FILE=  the MIME package file        -DMIME_TYPE= the journal files' type
# -DDESKTOP_FILE_VALIDATE=, -DAPPSTREAMCLI=, -DUPDATE_MIME_DATABASE=  the tools

cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
string(REPLACE "," ";" MODULES "${MODULES}")
string(REPLACE "," ";" LAUNCHERS "${LAUNCHERS}")
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
set(expected ${PROGRAMS} ${MODULES} ${data}
    "share/icons/hicolor/scalable/apps/${APP_ID}.svg"
    "share/metainfo/${APP_ID}.metainfo.xml"
    "share/mime/packages/${MIME_FILE}")
foreach(p IN LISTS PROGRAMS)
  list(APPEND expected "share/man/man1/${p}.1")
endforeach()
foreach(entry IN LISTS LAUNCHERS)
  string(REGEX REPLACE "^.*=" "" id "${entry}")
  list(APPEND expected "share/applications/${id}.desktop")
endforeach()
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
foreach(m IN LISTS MODULES)
  if(EXISTS "${PREFIX}/${m}")
    execute_process(COMMAND ldd "${PREFIX}/${m}" RESULT_VARIABLE ldd_failed
                    OUTPUT_VARIABLE needs ERROR_VARIABLE needs)
    if(ldd_failed OR needs MATCHES "not found")
      fail("${m} cannot be loaded:\n${needs}")
    endif()
  endif()
endforeach()

# Each launcher starts its program in this folder (whose name has a blank, so
# Exec must quote it) and shows the installed icon.
foreach(entry IN LISTS LAUNCHERS)
  string(REGEX MATCH "^[^=]*" program "${entry}")
  string(REGEX REPLACE "^.*=" "" id "${entry}")
  set(launcher "${PREFIX}/share/applications/${id}.desktop")
  if(NOT EXISTS "${launcher}")
    continue()
  endif()
  file(READ "${launcher}" text)
  string(FIND "${text}" "\nExec=\"${PREFIX}/${program}\" " with_arguments_at)
  string(FIND "${text}" "\nExec=\"${PREFIX}/${program}\"\n" alone_at)
  if(with_arguments_at EQUAL -1 AND alone_at EQUAL -1)
    fail("${id}: Exec does not start ${PREFIX}/${program}:\n${text}")
  endif()
  string(FIND "${text}" "\nIcon=${PREFIX}/share/icons/hicolor/scalable/apps/${APP_ID}.svg\n" icon_at)
  if(icon_at EQUAL -1)
    fail("${id}: Icon is not the installed icon:\n${text}")
  endif()
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${launcher}"
                  RESULT_VARIABLE invalid OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(invalid OR NOT report STREQUAL "")
    fail("desktop-file-validate on the installed ${id}:\n${report}")
  endif()
endforeach()

# The main launcher opens a journal file given by the file manager, and has
# the action "Экзамен" exactly when quz-exam is there to start.
set(launcher "${PREFIX}/share/applications/${APP_ID}.desktop")
if(EXISTS "${launcher}")
  file(READ "${launcher}" text)
  string(FIND "${text}" "\nExec=\"${PREFIX}/quz\" %f\n" file_at)
  if(file_at EQUAL -1 OR NOT text MATCHES "\nMimeType=([^\n]*;)?${MIME_TYPE};")
    fail("${APP_ID}: does not open ${MIME_TYPE} files with quz:\n${text}")
  endif()
  set(action "\n[Desktop Action exam]\nName=Экзамен\nExec=\"${PREFIX}/quz-exam\"\n")
  string(FIND "${text}" "${action}" action_at)
  if("quz-exam" IN_LIST PROGRAMS AND (action_at EQUAL -1 OR NOT text MATCHES "\nActions=exam;\n"))
    fail("${APP_ID}: no action \"Экзамен\" starting the installed quz-exam:\n${text}")
  elseif(NOT "quz-exam" IN_LIST PROGRAMS AND text MATCHES "Action|quz-exam")
    fail("${APP_ID}: an action for quz-exam, which is not installed:\n${text}")
  endif()
endif()

# shared-mime-info takes the installed package file as it is and maps *.quz to
# the journal type: registered alone in a scratch data home beside the folder.
set(data_home "${PREFIX} data")
set(mime_home "${data_home}/mime")
file(REMOVE_RECURSE "${data_home}")
if(EXISTS "${PREFIX}/share/mime/packages/${MIME_FILE}")
  file(COPY "${PREFIX}/share/mime/packages/${MIME_FILE}" DESTINATION "${mime_home}/packages")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${data_home}"
                          "${UPDATE_MIME_DATABASE}" "${mime_home}"
                  RESULT_VARIABLE invalid OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(invalid OR NOT report STREQUAL "")
    fail("update-mime-database with ${MIME_FILE}:\n${report}")
  endif()
  set(globs "")
  if(EXISTS "${mime_home}/globs2")
    file(STRINGS "${mime_home}/globs2" globs REGEX ":${MIME_TYPE}:\\*\\.quz$")
  endif()
  if(globs STREQUAL "")
    fail("${MIME_FILE} does not map *.quz to ${MIME_TYPE}")
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
