# examtext_library(NAME DEPS...): a static library of the folder's *.cpp files,
# linked to the layers below it. A folder without sources yet gives an
# interface library, so the tree configures while it grows.
function(examtext_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main(_cli)?\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_compile_options(${name} PRIVATE ${EXAMTEXT_WARNINGS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()
