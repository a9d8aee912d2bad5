# vantro_install_manpage(<page> <folder>): installs the manual page <page> (a path below the current
# source folder) into <folder> below the prefix, compressed as Debian wants it (gzip -9n: no time
# stamp, so the same page gives the same file). man reads compressed pages everywhere.
include_guard(GLOBAL)
find_program(VANTRO_GZIP gzip REQUIRED)

function(vantro_install_manpage page folder)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${page})
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
    get_filename_component(outdir ${compressed} DIRECTORY)
    add_custom_command(
        OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${outdir}
        COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${VANTRO_GZIP} ${source} ${compressed}
        DEPENDS ${source}
        COMMENT "Compressing the manual page ${page}"
        VERBATIM)
    file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${source})
    string(MAKE_C_IDENTIFIER "manpage_${name}" target)
    add_custom_target(${target} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${folder})
endfunction()
