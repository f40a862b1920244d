# No program loads the audio stack at start: Qt Multimedia, and Qt Network
# and PulseAudio that come with it, are the sound module's (quz-sound.so),
# loaded at the first sound. Reads what ldd resolves for each program.
#
# -DPROGRAMS=  paths of the executables, comma-separated

cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
set(fails "")
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ldd "${program}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE libraries ERROR_VARIABLE libraries)
  if(NOT result EQUAL 0)
    string(APPEND fails "  ldd ${program} failed:\n${libraries}\n")
    continue()
  endif()
  string(REGEX MATCHALL "lib(Qt6Multimedia|Qt6Network|pulse)[^ ]*" audio "${libraries}")
  list(REMOVE_DUPLICATES audio)
  if(audio)
    string(APPEND fails "  ${program} loads at start: ${audio}\n")
  endif()
endforeach()
if(NOT fails STREQUAL "")
  message(FATAL_ERROR "the audio stack at start:\n${fails}")
endif()
