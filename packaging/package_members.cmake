# SPDX-License-Identifier: MIT
# Run by CPack (CPACK_POST_BUILD_SCRIPTS) on the .deb it has made, before it
# copies it out of its staging folder. A .deb is an ar archive of
# debian-binary, control.tar.* and data.tar.*; CPack writes into each
# member's header the mode of the file it made the member from, which
# follows the umask of whoever packages. This sets every member's mode to
# rw-r--r-- (as dpkg-deb writes them), so that the package is the same for
# the same sources. Fails on anything that is not an ar archive as expected.
cmake_minimum_required(VERSION 3.25)

set(mode_file "${CPACK_TOPLEVEL_DIRECTORY}/ar-member-mode")
file(WRITE "${mode_file}" "100644  ")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  file(SIZE "${package}" size)
  file(READ "${package}" magic LIMIT 8)
  if(NOT magic STREQUAL "!<arch>\n")
    message(FATAL_ERROR "${package} is not an ar archive")
  endif()
  # Each member: a 60-byte header (name 16, time 12, owner 6, group 6,
  # mode 8, size 10, "`\n"), then its data, padded to an even length.
  set(offset 8)
  while(offset LESS size)
    file(READ "${package}" header OFFSET ${offset} LIMIT 60)
    string(LENGTH "${header}" length)
    string(SUBSTRING "${header}" 48 10 member_size)
    string(STRIP "${member_size}" member_size)
    if(NOT length EQUAL 60 OR NOT header MATCHES "`\n$" OR NOT member_size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${package}: no ar member header at byte ${offset}")
    endif()
    math(EXPR mode_offset "${offset} + 40")
    execute_process(COMMAND dd "of=${package}" bs=1 seek=${mode_offset} conv=notrunc status=none
                    INPUT_FILE "${mode_file}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${package}: could not set the mode of the member at byte ${offset}")
    endif()
    math(EXPR offset "${offset} + 60 + ${member_size} + ${member_size} % 2")
  endwhile()
endforeach()
file(REMOVE "${mode_file}")
