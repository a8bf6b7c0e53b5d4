# Duktape is built from the source that Debian's duktape-dev ships. The three
# files are copied into the build tree so that our configuration in the copy
# of duk_config.h is the one that duktape.c includes.
#
# The engine runs untrusted scripts, so the copy is configured to bound them:
# - compiled as C++ with C++ exceptions instead of setjmp/longjmp, so that a
#   fatal error arrives as a C++ exception (duk_fatal_exception, derived from
#   std::runtime_error) that the platform layer catches at its boundary
#   instead of the process aborting;
# - an execution timeout checked through the interrupt counter, against the
#   deadline that the platform layer keeps in the heap's user data;
# - a native stack check, so deep recursion in the compiler, JSON or regexp
#   code fails with a RangeError before the C stack runs out.
# The memory bound is the platform layer's allocator, passed at heap creation.
set(DUKTAPE_SOURCE_DIR /usr/share/duktape CACHE PATH "Folder holding duktape.c")
set(DUKTAPE_COPY_DIR ${CMAKE_BINARY_DIR}/duktape)
foreach(f duktape.c duktape.h duk_config.h)
  if(NOT EXISTS ${DUKTAPE_SOURCE_DIR}/${f})
    message(FATAL_ERROR "${DUKTAPE_SOURCE_DIR}/${f} missing: install duktape-dev")
  endif()
endforeach()
configure_file(${DUKTAPE_SOURCE_DIR}/duktape.c ${DUKTAPE_COPY_DIR}/duktape.cpp COPYONLY)
configure_file(${DUKTAPE_SOURCE_DIR}/duktape.h ${DUKTAPE_COPY_DIR}/duktape.h COPYONLY)

set(DUKTAPE_OVERRIDES [=[
/* examtext: bounds for untrusted scripts (see cmake/Duktape.cmake). */
#if !defined(__cplusplus)
#error "Duktape is configured for C++ exceptions: compile and include it as C++"
#endif
#define DUK_USE_CPP_EXCEPTIONS
#define DUK_USE_INTERRUPT_COUNTER
extern "C++" int examtext_duk_timed_out(void *heap_udata);
extern "C++" int examtext_duk_native_stack_low(void);
#define DUK_USE_EXEC_TIMEOUT_CHECK(udata) examtext_duk_timed_out((udata))
#define DUK_USE_NATIVE_STACK_CHECK() examtext_duk_native_stack_low()
]=])
file(READ ${DUKTAPE_SOURCE_DIR}/duk_config.h DUKTAPE_CONFIG)
string(FIND "${DUKTAPE_CONFIG}" "/* __OVERRIDE_DEFINES__ */" DUKTAPE_MARKER)
if(DUKTAPE_MARKER EQUAL -1)
  message(FATAL_ERROR "duk_config.h has no override marker")
endif()
string(REPLACE "/* __OVERRIDE_DEFINES__ */" "${DUKTAPE_OVERRIDES}" DUKTAPE_CONFIG "${DUKTAPE_CONFIG}")
# Written only when it changes, so a re-configure does not rebuild the engine.
file(CONFIGURE OUTPUT ${DUKTAPE_COPY_DIR}/duk_config.h CONTENT "${DUKTAPE_CONFIG}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DUKTAPE_SOURCE_DIR}/duk_config.h)

add_library(duktape STATIC ${DUKTAPE_COPY_DIR}/duktape.cpp)
target_include_directories(duktape SYSTEM PUBLIC ${DUKTAPE_COPY_DIR})
target_compile_options(duktape PRIVATE -w -O2)
target_link_libraries(duktape PUBLIC m)
set_target_properties(duktape PROPERTIES POSITION_INDEPENDENT_CODE ON)
