# Install step for the program data: copies every file of QUZ_DATA_DIR into
# the prefix, keeping the folder structure, unless a file of that name is
# there already. Users put their own ticket files into the installed folder;
# installing a newer build over it keeps them. A file removed from the folder
# comes back from the demonstration set at the next install.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
file(GLOB_RECURSE files RELATIVE "${QUZ_DATA_DIR}" LIST_DIRECTORIES false "${QUZ_DATA_DIR}/*")
foreach(f IN LISTS files)
  set(installed "$ENV{DESTDIR}${prefix}/${f}")
  if(EXISTS "${installed}")
    file(SHA256 "${installed}" have)
    file(SHA256 "${QUZ_DATA_DIR}/${f}" shipped)
    if(NOT have STREQUAL shipped)
      message(STATUS "Keeping: ${installed} (not the demonstration file; remove it to get that)")
    endif()
  else()
    get_filename_component(folder "${prefix}/${f}" DIRECTORY)
    file(INSTALL DESTINATION "${folder}" TYPE FILE FILES "${QUZ_DATA_DIR}/${f}")
  endif()
endforeach()
