# The release archives of one build, checked as a host vendor receives them:
# CPack makes them from this build's install rules, they are unpacked, and
# the program taken out of them is examined and run (archive_probe).
#
#   cmake -DBUILD_DIR=<build> -DWORK=<scratch dir> -DPACKAGE=ZivaRari-<version>-<platform>
#         -DVERSION=<version> -DPE_KIND=PE32|PE32+ -DMINGW=ON|OFF
#         -DOBJDUMP=<objdump> | -DDUMPBIN=<dumpbin>  -DIMPORTS_SCRIPT=<check_imports.cmake>
#         -DPROBE=<archive_probe.exe> [-DRUNNER=<wine-run.sh> -DLOADER=<wine loader>]
#         -P check_archive.cmake

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

# A path as the Windows programs see it (Wine maps / to Z:).
function(windows_path out path)
  if(RUNNER)
    string(REPLACE "/" "\\" p "Z:${path}")
  else()
    file(TO_NATIVE_PATH "${path}" p)
  endif()
  set(${out} "${p}" PARENT_SCOPE)
endfunction()

# ---- make the archives ------------------------------------------------
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/unpacked")
execute_process(COMMAND "${CMAKE_CPACK_COMMAND}" -B "${WORK}/packages"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("cpack failed:\n${out}")
endif()
set(program_zip "${WORK}/packages/${PACKAGE}.zip")
set(symbols_zip "${WORK}/packages/${PACKAGE}-symbols.zip")
file(GLOB made RELATIVE "${WORK}/packages" "${WORK}/packages/*.zip")
list(SORT made)
message(STATUS "archives: ${made}")
if(NOT made STREQUAL "${PACKAGE}-symbols.zip;${PACKAGE}.zip")
  fail("expected the archives ${PACKAGE}.zip and ${PACKAGE}-symbols.zip, found: ${made}")
endif()

# ---- what the program archive holds -------------------------------------
foreach(zip IN ITEMS "${program_zip}" "${symbols_zip}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${zip}" WORKING_DIRECTORY "${WORK}/unpacked"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fail("cannot unpack ${zip}")
  endif()
endforeach()
set(folder "${WORK}/unpacked/${PACKAGE}")
set(expected LICENSE.txt README.txt host-integration.md lindmorh.exe)
if(MINGW)
  list(APPEND expected THIRD-PARTY-NOTICES.txt lindmorh.debug)
else()
  list(APPEND expected lindmorh.pdb)
endif()
list(SORT expected)
file(GLOB found RELATIVE "${folder}" "${folder}/*")
list(SORT found)
message(STATUS "${PACKAGE}/: ${found}")
if(NOT found STREQUAL expected)
  fail("the archives unpack to ${found} in ${PACKAGE}/, expected ${expected}")
endif()

# The symbols travel apart from the program.
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${program_zip}" OUTPUT_VARIABLE listing)
if(listing MATCHES "\\.(debug|pdb)")
  fail("the program archive holds debug information:\n${listing}")
endif()

file(READ "${folder}/LICENSE.txt" license)
if(NOT license MATCHES "MIT License" OR NOT license MATCHES "Copyright \\(c\\) 2026 the ZivaRari authors")
  fail("LICENSE.txt is not the MIT License of the ZivaRari authors")
endif()
file(READ "${folder}/README.txt" readme)
string(FIND "${readme}" "ZivaRari ${VERSION} " at)
if(at EQUAL -1)
  fail("README.txt does not name version ${VERSION}")
endif()
if(NOT readme MATCHES "Program Files" OR NOT readme MATCHES "virtualis")
  fail("README.txt does not say where the program must not go, and why")
endif()
file(READ "${folder}/host-integration.md" guide)
if(NOT guide MATCHES "LongFnameGED" OR NOT guide MATCHES "CreateProcessA")
  fail("host-integration.md is not the host-integration guide")
endif()
if(MINGW)
  file(READ "${folder}/THIRD-PARTY-NOTICES.txt" notices)
  foreach(needle "mingw-w64 project" "winpthreads" "Lockless Inc." "Zope Public License")
    string(FIND "${notices}" "${needle}" at)
    if(at EQUAL -1)
      fail("THIRD-PARTY-NOTICES.txt lacks \"${needle}\"")
    endif()
  endforeach()
endif()

# ---- the executable -----------------------------------------------------
set(exe "${folder}/lindmorh.exe")
file(SIZE "${exe}" size)
message(STATUS "lindmorh.exe: ${size} bytes")
if(size GREATER 400000)
  fail("lindmorh.exe is ${size} bytes, more than 400 KB")
endif()

if(OBJDUMP)
  execute_process(COMMAND "${OBJDUMP}" -h "${folder}/lindmorh.debug" OUTPUT_VARIABLE sections RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT sections MATCHES "\\.debug_info")
    fail("lindmorh.debug holds no debug information")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -DOBJDUMP=${OBJDUMP} -DEXE=${exe} -P "${IMPORTS_SCRIPT}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
else()
  execute_process(COMMAND "${CMAKE_COMMAND}" -DDUMPBIN=${DUMPBIN} -DEXE=${exe} -P "${IMPORTS_SCRIPT}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
endif()
message(STATUS "${out}")
if(NOT rc EQUAL 0)
  fail("lindmorh.exe imports more than system DLLs")
endif()

# Form, sections, version information and command 8, from Windows' side.
windows_path(exe_win "${exe}")
windows_path(probe_win "${PROBE}")
if(RUNNER)
  set(run "${RUNNER}" "${LOADER}" "${PROBE}")
else()
  set(run "${PROBE}")
endif()
execute_process(COMMAND ${run} "${exe_win}" "${VERSION}" "${PE_KIND}" RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
message(STATUS "${out}")
if(NOT rc EQUAL 0)
  fail("archive_probe found faults in ${PACKAGE}/lindmorh.exe")
endif()
