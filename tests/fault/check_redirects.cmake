# Fails when a file, directory, profile or attribute call of the program's
# sources would reach the system without passing a shim: a call the sweep
# would neither count nor fail. Reads the symbols that the fault build's
# objects import.
#
#   cmake -DNM=<nm> -DOBJECTS=<a.obj|b.obj|...> -DREDIRECT=<redirect.h>
#         -DPOINTER_SIZE=<4|8> -P check_redirects.cmake

cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" objects "${OBJECTS}")
if(NOT objects)
  message(FATAL_ERROR "no objects given")
endif()

# The calls that redirect.h renames.
file(STRINGS "${REDIRECT}" defines REGEX "^#define [A-Za-z_0-9]+(\\(\\.\\.\\.\\))? FaultShim_")
set(redirected)
foreach(line IN LISTS defines)
  string(REGEX REPLACE "^#define ([A-Za-z_0-9]+)[( ].*" "\\1" name "${line}")
  list(APPEND redirected ${name})
endforeach()

execute_process(COMMAND "${NM}" ${objects} OUTPUT_VARIABLE dump RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed: ${err}")
endif()
string(REPLACE "\n" ";" lines "${dump}")
set(undefined)
set(defined)
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F ]* ([A-Za-z]) (.+)$")
    set(kind "${CMAKE_MATCH_1}")
    set(symbol "${CMAKE_MATCH_2}")
    if(kind STREQUAL "U")
      list(APPEND undefined "${symbol}")
    else()
      list(APPEND defined "${symbol}")
    endif()
  endif()
endforeach()
list(REMOVE_DUPLICATES undefined)
list(REMOVE_ITEM undefined ${defined})

# The plain function name: no import prefix, no 32-bit leading underscore,
# no @N suffix of stdcall.
set(called)
set(shims 0)
foreach(symbol IN LISTS undefined)
  string(REGEX REPLACE "^__imp_" "" name "${symbol}")
  if(POINTER_SIZE EQUAL 4)
    string(REGEX REPLACE "^_" "" name "${name}")
  endif()
  string(REGEX REPLACE "@[0-9]+$" "" name "${name}")
  if(name MATCHES "^FaultShim_")
    math(EXPR shims "${shims} + 1")
  else()
    list(APPEND called "${name}")
  endif()
endforeach()
if(shims EQUAL 0)
  message(FATAL_ERROR "the objects call no shim: is redirect.h force-included?")
endif()

# Names that look like file calls but touch no file on disk.
set(harmless GetModuleFileNameA GetModuleFileNameW GetFullPathNameA GetFullPathNameW FindClose FindWindowA
             FindWindowW FindWindowExA FindWindowExW FindResourceA FindResourceW GetFileType GetTempPathA GetTempPathW
             GetCurrentDirectoryA GetCurrentDirectoryW GetSystemDirectoryA GetSystemDirectoryW GetWindowsDirectoryA
             GetWindowsDirectoryW)
set(pattern "File|Directory|Profile|PathName|Attributes|^Find|chdir|chdrive|mkdir|rmdir|unlink|^_?w?remove$|^_?w?rename$|^_?w?fopen|^_?w?open$|^_?w?sopen|^_?w?access|^_?w?stat|Volume")
set(escaped)
foreach(name IN LISTS called)
  if(name MATCHES "^_Z")
    # C++: file streams and std::filesystem go through the C runtime.
    if(name MATCHES "fstream|filebuf|filesystem")
      list(APPEND escaped "${name}")
    endif()
  elseif(name MATCHES "${pattern}" AND NOT name IN_LIST harmless)
    list(APPEND escaped "${name}")
  endif()
endforeach()

list(LENGTH redirected count)
message(STATUS "${count} calls redirected; ${shims} shims called by the objects")
if(escaped)
  message(FATAL_ERROR "file calls that bypass the shims (add them to tests/fault/shim): ${escaped}")
endif()
