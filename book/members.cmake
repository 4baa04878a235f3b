# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the member list of DATA1.HHZ for `hhz pack --list`: which file goes in under which name,
# with which method, and whether it is locked with the program's key.
#   -DBOOK_DIR=... -DART_DIR=... -DLIST=... -DWORK_DIR=...
cmake_minimum_required(VERSION 3.25)

set(lines "")

# Hexagram texts: locked; two of three with lh5, every third with LZHUF.
foreach(n RANGE 1 64)
  if(n LESS 10)
    set(name "0${n}.txt")
  else()
    set(name "${n}.txt")
  endif()
  math(EXPR third "${n} % 3")
  if(third EQUAL 0)
    set(method lzhuf)
  else()
    set(method lh5)
  endif()
  string(APPEND lines "${BOOK_DIR}/${name} method=${method} lock ansi\n")
endforeach()

# Pages: the large ones with lh5, the small report heads and trigram pages with LZHUF.
file(GLOB pages RELATIVE ${BOOK_DIR} ${BOOK_DIR}/*.htm)
list(SORT pages)
foreach(page IN LISTS pages)
  file(SIZE ${BOOK_DIR}/${page} size)
  if(size GREATER 4000)
    set(method lh5)
  else()
    set(method lzhuf)
  endif()
  string(APPEND lines "${BOOK_DIR}/${page} method=${method} ansi\n")
endforeach()

# Pictures and sounds as the generator lists them. Flat chrome bitmaps run-length code well;
# pictures that are compressed already are stored.
file(STRINGS ${ART_DIR}/manifest.txt art)
foreach(file IN LISTS art)
  string(TOLOWER "${file}" lower)
  if(lower MATCHES "\\.(jpg|wav)$")
    set(method store)
  elseif(lower MATCHES "\\.png$")
    continue() # cursor and splash: compiled into the program, not archive members
  elseif(lower MATCHES "^_*(back|bottom|okcancel|button|min|max|close)\\.bmp$")
    set(method rle)
  else()
    set(method lh5)
  endif()
  string(APPEND lines "${ART_DIR}/${file} method=${method}\n")
endforeach()

# The clean-up program that the installer and uninstaller start; a placeholder until it is built.
set(cleanup ${WORK_DIR}/delete.exe)
file(WRITE ${cleanup} "#!/bin/sh\n# Velmora I Ching clean-up program (placeholder)\nexit 0\n")
string(APPEND lines "${cleanup} method=store\n")

file(WRITE ${LIST} "${lines}")
