# Compiler settings shared by every Zelo target. Applied per target so that
# third-party code never sees them.

# Every build renders the same samples: no contraction into fused multiply-add,
# SSE2 arithmetic even on 32-bit x86, no fast-math. Maths functions need not set
# errno, which lets square roots compile to one instruction (results are unchanged).
function(zelo_set_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra
    -ffp-contract=off
    -fno-math-errno
    $<$<BOOL:${ZELO_WARNINGS_AS_ERRORS}>:-Werror>)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "i[3-6]86")
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()

# A library of our own code under the project's settings.
function(zelo_add_library name)
  add_library(${name} STATIC ${ARGN})
  zelo_set_options(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
