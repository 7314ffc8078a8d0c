# Runs scrivlet-replay once and checks its exit status, its standard output
# against a file and its standard error against a pattern.
#   cmake -DTOOL=... [-DSCRIPT=file | -DSTDIN=file] -DSTATUS=n
#         [-DEXPECTED=file] [-DERROR_PATTERN=regex] -P run_replay.cmake
if(DEFINED STDIN)
  execute_process(COMMAND ${TOOL} INPUT_FILE ${STDIN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
else()
  execute_process(COMMAND ${TOOL} ${SCRIPT}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()

set(failed FALSE)
if(NOT status STREQUAL STATUS)
  message(SEND_ERROR "exit status ${status}, expected ${STATUS}")
  set(failed TRUE)
endif()
if(DEFINED EXPECTED)
  file(READ ${EXPECTED} expected)
  if(NOT out STREQUAL expected)
    message(SEND_ERROR "standard output differs from ${EXPECTED}:\n${out}")
    set(failed TRUE)
  endif()
endif()
if(DEFINED ERROR_PATTERN)
  if(NOT err MATCHES "${ERROR_PATTERN}")
    message(SEND_ERROR "standard error does not match \"${ERROR_PATTERN}\":\n${err}")
    set(failed TRUE)
  endif()
elseif(NOT err STREQUAL "")
  message(SEND_ERROR "unexpected standard error:\n${err}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "scrivlet-replay check failed")
endif()
