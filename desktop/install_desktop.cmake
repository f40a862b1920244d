# Install step for the launcher: writes QUZ_DESKTOP_SOURCE to
# <prefix>/share/applications/<QUZ_APP_ID>.desktop with Exec and Icon pointing
# at the installed program and icon. Runs inside `cmake --install`, so
# CMAKE_INSTALL_PREFIX is the prefix given there.

get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program "${prefix}/quz")
set(icon "${prefix}/share/icons/hicolor/scalable/apps/${QUZ_APP_ID}.svg")

# The program as one quoted argument of Exec: inside the quotes ", `, $ and \
# take a backslash; then the value itself escapes every backslash once more,
# and a literal % is written %%.
string(REPLACE "\\" "\\\\" quoted "${program}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
string(REPLACE "\\" "\\\\" icon_value "${icon}")

file(READ "${QUZ_DESKTOP_SOURCE}" text)
if(NOT text MATCHES "\nExec=quz([^\n]*)\n")
  message(FATAL_ERROR "${QUZ_DESKTOP_SOURCE}: no line \"Exec=quz ...\"")
endif()
set(arguments "${CMAKE_MATCH_1}")
string(REPLACE "\nExec=quz${arguments}\n" "\nExec=\"${quoted}\"${arguments}\n" text "${text}")
if(NOT text MATCHES "\n(Icon=[^\n]*)\n")
  message(FATAL_ERROR "${QUZ_DESKTOP_SOURCE}: no line \"Icon=...\"")
endif()
string(REPLACE "\n${CMAKE_MATCH_1}\n" "\nIcon=${icon_value}\n" text "${text}")

set(target "$ENV{DESTDIR}${prefix}/share/applications/${QUZ_APP_ID}.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${text}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")
