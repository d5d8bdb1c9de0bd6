# SPDX-License-Identifier: MIT
# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged files, before it makes
# the package: every folder of the package becomes rwxr-xr-x. CPack creates
# the top folders of the staging tree (such as usr/) itself, with modes that
# follow the umask of whoever packages; fixed modes keep the package the
# same for the same sources.
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
  message(FATAL_ERROR "No staging folder: '${CPACK_TEMPORARY_INSTALL_DIRECTORY}'")
endif()
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(entry IN LISTS entries ITEMS "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
  if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
    file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                      WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
