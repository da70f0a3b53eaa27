# Takes the C example out of the host-integration guide: the text between
# the guide's one "```c" line and the "```" line that closes it.
#
#   cmake -DGUIDE=docs/host-integration.md -DOUT=host_example.c -P extract_example.cmake

file(READ "${GUIDE}" text)
string(REPLACE "\r\n" "\n" text "${text}")
set(open_fence "\n```c\n")
string(FIND "${text}" "${open_fence}" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${GUIDE} has no C example (a block opened by a line \"```c\")")
endif()
string(LENGTH "${open_fence}" fence_length)
math(EXPR start "${start} + ${fence_length}")
string(SUBSTRING "${text}" ${start} -1 rest)
string(FIND "${rest}" "${open_fence}" second)
if(NOT second EQUAL -1)
  message(FATAL_ERROR "${GUIDE} has more than one C block; the example must be the only one")
endif()
string(FIND "${rest}" "\n```\n" end)
if(end EQUAL -1)
  message(FATAL_ERROR "the C example in ${GUIDE} is not closed by a line \"```\"")
endif()
math(EXPR end "${end} + 1")
string(SUBSTRING "${rest}" 0 ${end} code)
file(WRITE "${OUT}.new" "${code}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUT}.new" "${OUT}")
file(REMOVE "${OUT}.new")
