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

# The folder where `target` publishes its headers.
function(zelo_header_root target out)
  set(${out} ${PROJECT_BINARY_DIR}/include/${target} PARENT_SCOPE)
endfunction()

# Publishes the headers matching the globs (relative to the source root) as
# symbolic links under build/include/<target>/, keeping their root-relative
# paths ("foundation/basics/CString.h"), and puts that folder on the target's
# include path. A target so sees only its own headers and those of what it
# links: an include against the dependency direction fails to compile.
function(zelo_publish_headers target)
  zelo_header_root(${target} root)
  file(REMOVE_RECURSE ${root})
  set(headers)
  if(ARGN)
    list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE patterns)
    file(GLOB headers RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${patterns})
  endif()
  foreach(header IN LISTS headers)
    get_filename_component(folder ${root}/${header} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
  endforeach()
  file(MAKE_DIRECTORY ${root})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
  set_property(TARGET ${target} APPEND PROPERTY ZELO_PUBLISHED_HEADERS ${headers})
endfunction()

# Link-time optimisation is for what ships (the plug-in, zelo): with it on, the
# libraries keep machine code beside their intermediate code (GCC's fat LTO
# objects), and tests and benchmarks call zelo_link_without_lto to link that
# code directly instead of optimising every program again at link time (GCC's
# linker plugin would otherwise take up the intermediate code it finds).
function(zelo_link_without_lto target)
  set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION OFF)
  if(CMAKE_INTERPROCEDURAL_OPTIMIZATION AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_link_options(${target} PRIVATE -fno-lto)
  endif()
endfunction()

# A library of our own code under the project's settings, publishing the
# headers that match HEADERS (globs relative to the source root).
#   zelo_add_library(name HEADERS glob... SOURCES source...)
function(zelo_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "HEADERS;SOURCES")
  add_library(${name} STATIC ${ARG_SOURCES})
  zelo_set_options(${name})
  if(CMAKE_INTERPROCEDURAL_OPTIMIZATION AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${name} PRIVATE -ffat-lto-objects)
  endif()
  zelo_publish_headers(${name} ${ARG_HEADERS})
  set_property(GLOBAL APPEND PROPERTY ZELO_LIBRARIES ${name})
endfunction()

# Every published header compiles on its own, and all of a library's headers
# compile together in either order (a name one header declares must not change
# what another one means). Call once all targets and their links are known.
function(zelo_add_header_checks)
  get_property(libraries GLOBAL PROPERTY ZELO_LIBRARIES)
  foreach(target IN LISTS libraries)
    get_target_property(headers ${target} ZELO_PUBLISHED_HEADERS)
    if(NOT headers)
      continue()
    endif()
    set(folder ${PROJECT_BINARY_DIR}/header_check/${target})
    set(units)
    set(forward "")
    foreach(header IN LISTS headers)
      string(MAKE_C_IDENTIFIER ${header} unit)
      file(CONFIGURE OUTPUT ${folder}/${unit}.cpp CONTENT "#include \"${header}\"\n")
      list(APPEND units ${folder}/${unit}.cpp)
      string(APPEND forward "#include \"${header}\"\n")
    endforeach()
    list(REVERSE headers)
    list(TRANSFORM headers PREPEND "#include \"")
    list(TRANSFORM headers APPEND "\"\n")
    string(JOIN "" backward ${headers})
    file(CONFIGURE OUTPUT ${folder}/all_forward.cpp CONTENT "${forward}")
    file(CONFIGURE OUTPUT ${folder}/all_backward.cpp CONTENT "${backward}")
    add_library(${target}_header_check OBJECT ${units} ${folder}/all_forward.cpp ${folder}/all_backward.cpp)
    zelo_set_options(${target}_header_check)
    # Exactly the include path and definitions the library's own sources compile with.
    target_include_directories(${target}_header_check PRIVATE $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target}_header_check PRIVATE $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
  endforeach()
endfunction()
