# Manual pages made at build time by help2man from a program's own --help and --version, so that
# they always list the options the program really has. Installed gzip-compressed, as Debian does.
# Not when cross-compiling: the program cannot run on the build machine.
# `see_also` names the other program, for the page's SEE ALSO section.
function(vornik_man_page target description see_also)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  find_program(VORNIK_HELP2MAN help2man)
  if(NOT VORNIK_HELP2MAN)
    message(FATAL_ERROR "help2man is needed for the manual pages (scripts/install-deps.sh installs it)")
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  file(WRITE ${page}.include "[SEE ALSO]\n.BR ${see_also} (1)\n")
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            ${VORNIK_HELP2MAN} --no-info --section=1 --name=${description} --include=${page}.include --output=${page} $<TARGET_FILE:${target}>
    COMMAND gzip -9nf -k ${page}
    DEPENDS ${target} ${page}.include
    COMMENT "Writing the manual page ${target}.1"
    VERBATIM)
  add_custom_target(${target}-man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
