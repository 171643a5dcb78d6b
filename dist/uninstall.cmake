# uninstall.cmake -- removes every file the install rules put under PREFIX
# (listed in LIST, relative to it), under DESTDIR when one is given, then the
# folders that installing there made (recorded in RECORDS by
# record_dirs.cmake), deepest first and only when empty.  Without a record
# (installed from another build folder) only the game's own folders (DIRS,
# separated by '|') go, when empty.
set(root "$ENV{DESTDIR}${PREFIX}")
file(STRINGS "${LIST}" files)
foreach(file IN LISTS files)
  set(path "${root}/${file}")
  if(IS_SYMLINK "${path}" OR (EXISTS "${path}" AND NOT IS_DIRECTORY "${path}"))
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
  endif()
endforeach()

string(MD5 key "${root}")
set(record "${RECORDS}/${key}.txt")
if(EXISTS "${record}")
  file(STRINGS "${record}" made)
else()
  string(REPLACE "|" ";" dirs "${DIRS}")
  set(made)
  foreach(dir IN LISTS dirs)
    list(APPEND made "${root}/${dir}")
  endforeach()
endif()
# A folder sorts before everything inside it, so the reversed order empties
# each folder before it comes to its parent.
list(SORT made)
list(REVERSE made)
foreach(dir IN LISTS made)
  if(IS_DIRECTORY "${dir}" AND NOT IS_SYMLINK "${dir}")
    # rmdir takes only an empty folder: anything left there keeps it.
    execute_process(COMMAND rmdir -- "${dir}" RESULT_VARIABLE kept ERROR_QUIET)
    if(NOT kept)
      message(STATUS "Removing ${dir}")
    endif()
  endif()
endforeach()
file(REMOVE "${record}")
