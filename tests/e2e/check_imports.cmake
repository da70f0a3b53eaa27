# Fails when the executable EXE imports a DLL that is not part of Windows
# itself: the program is copied on its own beside the host application, so
# a runtime DLL of the compiler (libstdc++, libgcc, libwinpthread) would be
# missing there.
#
#   cmake -DOBJDUMP=<objdump> -DEXE=<exe> -P check_imports.cmake   (MinGW objdump)
#   cmake -DDUMPBIN=<dumpbin> -DEXE=<exe> -P check_imports.cmake   (Visual Studio)

set(allowed kernel32.dll user32.dll gdi32.dll comdlg32.dll msvcrt.dll advapi32.dll shell32.dll
            comctl32.dll ucrtbase.dll)

if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "no such executable: ${EXE}")
endif()

if(OBJDUMP)
  execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc ERROR_VARIABLE err)
  set(pattern "DLL Name: ([^\r\n]+)")
elseif(DUMPBIN)
  execute_process(COMMAND "${DUMPBIN}" /nologo /dependents "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc
                  ERROR_VARIABLE err)
  set(pattern "\n[ \t]+([^ \t\r\n]+\\.[dD][lL][lL])")
else()
  message(FATAL_ERROR "give OBJDUMP or DUMPBIN")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "listing the imports of ${EXE} failed: ${err}")
endif()

string(REGEX MATCHALL "${pattern}" entries "${dump}")
set(names)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "${pattern}" "\\1" name "${entry}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" name)
  list(APPEND names "${name}")
endforeach()
if(NOT names)
  message(FATAL_ERROR "no imported DLLs found in ${EXE}; the listing was not understood")
endif()

set(foreign)
foreach(name IN LISTS names)
  list(FIND allowed "${name}" index)
  # The universal C runtime comes as api-ms-win-crt-*.dll forwarders.
  if(index EQUAL -1 AND NOT name MATCHES "^api-ms-win-crt-[a-z0-9-]+\\.dll$")
    list(APPEND foreign "${name}")
  endif()
endforeach()

message(STATUS "${EXE} imports: ${names}")
if(foreign)
  message(FATAL_ERROR "imports DLLs that are not part of Windows: ${foreign}")
endif()
