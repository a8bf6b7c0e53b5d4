# Duktape is built from the source that Debian's duktape-dev ships. The three
# files are copied into the build tree so that our configuration in the copy
# of duk_config.h is the one that duktape.c includes.
set(DUKTAPE_SOURCE_DIR /usr/share/duktape CACHE PATH "Folder holding duktape.c")
set(DUKTAPE_COPY_DIR ${CMAKE_BINARY_DIR}/duktape)
foreach(f duktape.c duktape.h duk_config.h)
  if(NOT EXISTS ${DUKTAPE_SOURCE_DIR}/${f})
    message(FATAL_ERROR "${DUKTAPE_SOURCE_DIR}/${f} missing: install duktape-dev")
  endif()
  configure_file(${DUKTAPE_SOURCE_DIR}/${f} ${DUKTAPE_COPY_DIR}/${f} COPYONLY)
endforeach()

add_library(duktape STATIC ${DUKTAPE_COPY_DIR}/duktape.c)
target_include_directories(duktape SYSTEM PUBLIC ${DUKTAPE_COPY_DIR})
target_compile_options(duktape PRIVATE -w -O2)
target_link_libraries(duktape PUBLIC m)
set_target_properties(duktape PROPERTIES POSITION_INDEPENDENT_CODE ON)
