# record_dirs.cmake -- run by `make install` before it copies anything: notes
# the folders the install is about to make (those missing above each file of
# LIST, under DESTDIR and the prefix) in RECORDS, so that `make uninstall`
# takes away those and no folder that was there before.  Each install adds to
# the record of its own destination; a staged install or the package's keeps
# its own.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(root MATCHES "/_CPack_Packages/")
  return()  # the package's own staging: never uninstalled
endif()
string(MD5 key "${root}")
set(record "${RECORDS}/${key}.txt")
set(made)
if(EXISTS "${record}")
  file(STRINGS "${record}" made)
endif()
file(STRINGS "${LIST}" files)
foreach(file IN LISTS files)
  get_filename_component(dir "${root}/${file}" DIRECTORY)
  while(NOT EXISTS "${dir}")
    list(APPEND made "${dir}")
    get_filename_component(dir "${dir}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES made)
if(made)
  file(MAKE_DIRECTORY "${RECORDS}")
  string(REPLACE ";" "\n" text "${made}")
  file(WRITE "${record}" "${text}\n")
endif()
