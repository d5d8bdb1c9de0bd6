# SPDX-License-Identifier: MIT
# Removes what `cmake --install <build>` installed from this build folder
# (copied there at configure time):
#   cmake -P <build>/uninstall.cmake      (as root for a system prefix)
# or build the target uninstall. First every file of install_manifest.txt,
# then every folder recorded in install_created_dirs.txt (the folders that
# the install created, see new_folders.cmake) that is empty now, deepest
# first. A folder that existed before the install stays, and so does one
# that holds anything else (it stays recorded). Fails if a file cannot be
# removed.
cmake_minimum_required(VERSION 3.25)

set(manifest "${CMAKE_CURRENT_LIST_DIR}/install_manifest.txt")
set(record "${CMAKE_CURRENT_LIST_DIR}/install_created_dirs.txt")
if(NOT EXISTS "${manifest}")
  message(FATAL_ERROR "Nothing to uninstall: no ${manifest} (it is written by cmake --install)")
endif()

file(STRINGS "${manifest}" files)
foreach(file IN LISTS files)
  if(IS_SYMLINK "${file}" OR (EXISTS "${file}" AND NOT IS_DIRECTORY "${file}"))
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
    if(IS_SYMLINK "${file}" OR EXISTS "${file}")
      message(FATAL_ERROR "Could not remove ${file}")
    endif()
  else()
    message(STATUS "Not there: ${file}")
  endif()
endforeach()

if(NOT EXISTS "${record}")
  message(STATUS "No ${record}: no folder to remove")
  return()
endif()
file(STRINGS "${record}" dirs)
list(POP_FRONT dirs root)
# In descending order every folder comes before its parents.
list(SORT dirs ORDER DESCENDING)
set(kept)
foreach(dir IN LISTS dirs)
  if(IS_DIRECTORY "${dir}" AND NOT IS_SYMLINK "${dir}")
    # rmdir removes a folder only when it is empty.
    execute_process(COMMAND rmdir -- "${dir}" RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE why)
    if(failed)
      string(STRIP "${why}" why)
      message(STATUS "Keeping ${dir}: ${why}")
      list(APPEND kept "${dir}")
    else()
      message(STATUS "Removing ${dir}/")
    endif()
  endif()
endforeach()
# A folder kept stays recorded, for the next uninstall after an install into
# the same place.
if(kept)
  list(SORT kept)
  list(PREPEND kept "${root}")
  list(JOIN kept "\n" text)
  file(WRITE "${record}" "${text}\n")
else()
  file(REMOVE "${record}")
endif()
