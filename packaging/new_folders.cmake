# SPDX-License-Identifier: MIT
# Part of the install script (install(SCRIPT) in packaging/CMakeLists.txt),
# run before the first file is installed. Finds which of the folders the
# install puts files into (idrova_install_dirs, relative to the prefix or
# absolute), and which of their parents, do not exist yet: the folders this
# install creates. It creates them rwxr-xr-x, whatever the umask of whoever
# installs or packages (the install's own mkdir is subject to the umask), so
# that the package is the same for the same sources; and it records them,
# so that uninstall.cmake removes these, and no other folder, once they are
# empty. Folders that exist already are left as they are.
#
# The record lies in the build folder (idrova_build_dir) next to the install
# manifest and is named after it: install_created_dirs.txt for a whole
# install, install_created_dirs_<component>.txt for one component (as CPack
# installs). Its first line is the destination root ($DESTDIR and the
# prefix), each further line a folder. Installing again into the same root
# keeps the folders recorded before, as they are still the install's own.
cmake_minimum_required(VERSION 3.25)

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
cmake_path(NORMAL_PATH root)
string(REGEX REPLACE "(.)/$" "\\1" root "${root}")
set(created)
foreach(dir IN LISTS idrova_install_dirs)
  if(IS_ABSOLUTE "${dir}")
    set(dir "$ENV{DESTDIR}${dir}")
  else()
    set(dir "${root}/${dir}")
  endif()
  cmake_path(NORMAL_PATH dir)
  string(REGEX REPLACE "(.)/$" "\\1" dir "${dir}")
  # Up from the folder to the first one that exists.
  while(NOT EXISTS "${dir}" AND NOT IS_SYMLINK "${dir}")
    list(APPEND created "${dir}")
    cmake_path(GET dir PARENT_PATH parent)
    if(parent STREQUAL dir)
      break()
    endif()
    set(dir "${parent}")
  endwhile()
endforeach()

# Parents first.
list(SORT created)
foreach(dir IN LISTS created)
  file(MAKE_DIRECTORY "${dir}")
  file(CHMOD "${dir}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
endforeach()

if(CMAKE_INSTALL_COMPONENT)
  set(record "${idrova_build_dir}/install_created_dirs_${CMAKE_INSTALL_COMPONENT}.txt")
else()
  set(record "${idrova_build_dir}/install_created_dirs.txt")
endif()
if(EXISTS "${record}")
  file(STRINGS "${record}" before)
  list(POP_FRONT before before_root)
  if(before_root STREQUAL root)
    list(APPEND created ${before})
  endif()
endif()
list(REMOVE_DUPLICATES created)
list(SORT created)
list(PREPEND created "${root}")
list(JOIN created "\n" text)
file(WRITE "${record}" "${text}\n")
