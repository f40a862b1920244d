# Install step for one launcher: writes QUZ_DESKTOP_SOURCE to
# <prefix>/share/applications/<QUZ_DESKTOP_ID>.desktop with every Exec naming
# the installed program and Icon the installed icon <QUZ_ICON_ID>.svg. A
# desktop action whose program is not among QUZ_INSTALLED_PROGRAMS is left
# out. Runs inside `cmake --install`, so CMAKE_INSTALL_PREFIX is the prefix
# given there.
cmake_policy(VERSION 3.25)

get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(icon "${prefix}/share/icons/hicolor/scalable/apps/${QUZ_ICON_ID}.svg")
file(READ "${QUZ_DESKTOP_SOURCE}" text)

# exec_value(program out): the installed program as one quoted argument of
# Exec: inside the quotes ", `, $ and \ take a backslash; then the value
# itself escapes every backslash once more, and a literal % is written %%.
function(exec_value program out)
  set(quoted "${prefix}/${program}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  string(REPLACE "\"" "\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\`" quoted "${quoted}")
  string(REPLACE "$" "\\$" quoted "${quoted}")
  string(REPLACE "\\" "\\\\" quoted "${quoted}")
  string(REPLACE "%" "%%" quoted "${quoted}")
  set(${out} "\"${quoted}\"" PARENT_SCOPE)
endfunction()

# Actions whose program is not installed: their group and their name in
# Actions= go.
if(text MATCHES "\nActions=([^\n]*)\n")
  set(actions_line "${CMAKE_MATCH_0}")
  string(REPLACE ";" "\n" actions "${CMAKE_MATCH_1}")
  string(STRIP "${actions}" actions)
  string(REPLACE "\n" ";" actions "${actions}")
  set(kept "")
  foreach(action IN LISTS actions)
    set(header "\n[Desktop Action ${action}]\n")
    string(FIND "${text}" "${header}" start)
    if(start EQUAL -1)
      message(FATAL_ERROR "${QUZ_DESKTOP_SOURCE}: no group for the action ${action}")
    endif()
    string(SUBSTRING "${text}" ${start} -1 group)
    string(LENGTH "${header}" header_length)
    string(SUBSTRING "${group}" ${header_length} -1 body)
    string(FIND "${body}" "\n[" next)
    if(NOT next EQUAL -1)
      math(EXPR group_length "${header_length} + ${next}")
      string(SUBSTRING "${group}" 0 ${group_length} group)
    endif()
    if(NOT group MATCHES "\nExec=([^ \n/]+)")
      message(FATAL_ERROR "${QUZ_DESKTOP_SOURCE}: the action ${action} starts no program by name")
    endif()
    if(CMAKE_MATCH_1 IN_LIST QUZ_INSTALLED_PROGRAMS)
      string(APPEND kept "${action};")
    else()
      string(REPLACE "${group}" "" text "${text}")
    endif()
  endforeach()
  if(kept STREQUAL "")
    string(REPLACE "${actions_line}" "\n" text "${text}")
  else()
    string(REPLACE "${actions_line}" "\nActions=${kept}\n" text "${text}")
  endif()
  string(REGEX REPLACE "\n+$" "\n" text "${text}")
endif()

# Every Exec that names a program by its bare name names the installed one.
string(REGEX MATCHALL "\nExec=[^ \n/]+" execs "${text}")
list(REMOVE_DUPLICATES execs)
foreach(exec IN LISTS execs)
  string(SUBSTRING "${exec}" 6 -1 program)
  exec_value("${program}" value)
  string(REPLACE "\nExec=${program} " "\nExec=${value} " text "${text}")
  string(REPLACE "\nExec=${program}\n" "\nExec=${value}\n" text "${text}")
endforeach()
if(execs STREQUAL "")
  message(FATAL_ERROR "${QUZ_DESKTOP_SOURCE}: no line \"Exec=<program> ...\"")
endif()

if(NOT text MATCHES "\n(Icon=[^\n]*)\n")
  message(FATAL_ERROR "${QUZ_DESKTOP_SOURCE}: no line \"Icon=...\"")
endif()
string(REPLACE "\\" "\\\\" icon_value "${icon}")
string(REPLACE "\n${CMAKE_MATCH_1}\n" "\nIcon=${icon_value}\n" text "${text}")

set(target "$ENV{DESTDIR}${prefix}/share/applications/${QUZ_DESKTOP_ID}.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${text}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
