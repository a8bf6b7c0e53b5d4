# Where the programs, the sample pages, the desktop entry and the icon go.
#
# The load dialog opens in the program's folder, so `examtext` gets a folder
# of its own (libexec/examtext) with the sample pages beside it, and bin/
# holds a relative symbolic link to it. The program's folder is that of the
# resolved executable, so starting it through the link still lands there.
# `examtext-cli` opens no dialog and goes straight into bin/.
include(GNUInstallDirs)

file(GLOB EXAMTEXT_SAMPLE_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/samples/*.html)
set(EXAMTEXT_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/examtext)

if(TARGET examtext)
  # The built program finds the samples beside it too, so `make run` shows them.
  add_custom_target(examtext_samples ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:examtext>
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${EXAMTEXT_SAMPLE_PAGES} $<TARGET_FILE_DIR:examtext>
    DEPENDS ${EXAMTEXT_SAMPLE_PAGES}
    COMMENT "Copying the sample pages beside examtext"
    VERBATIM)
  add_dependencies(examtext examtext_samples)

  install(TARGETS examtext RUNTIME DESTINATION ${EXAMTEXT_PROGRAM_DIR})
  install(FILES ${EXAMTEXT_SAMPLE_PAGES} DESTINATION ${EXAMTEXT_PROGRAM_DIR})

  # Made in the build tree and installed as a file, so the link is listed in
  # install_manifest.txt like everything else.
  file(RELATIVE_PATH link_target ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_LIBEXECDIR}/examtext/examtext)
  set(link ${CMAKE_BINARY_DIR}/install-links/examtext)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
  file(CREATE_LINK ${link_target} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})

  install(FILES ${PROJECT_SOURCE_DIR}/app/examtext.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/app/examtext.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

if(TARGET examtext-cli)
  install(TARGETS examtext-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
