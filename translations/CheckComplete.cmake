# Runs lupdate over each folder into a copy of its .ts file and fails when the copy has an entry
# without its translation: a new text of the code that was not translated, or one marked unfinished.
set(missing 0)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(language ${LANGUAGES})
    foreach(folder ${FOLDERS})
        string(REPLACE "/" "_" unit ${folder})
        set(ts ${SOURCE_DIR}/translations/${language}/${unit}.ts)
        set(copy ${WORK_DIR}/${language}_${unit}.ts)
        if(EXISTS ${ts})
            file(COPY_FILE ${ts} ${copy})
        endif()
        execute_process(
            COMMAND ${LUPDATE} -silent -no-obsolete -locations none -source-language de
                    -target-language ${language} ${SOURCE_DIR}/${folder} -ts ${copy}
            RESULT_VARIABLE status OUTPUT_QUIET)
        if(NOT status EQUAL 0)
            message(SEND_ERROR "lupdate failed on ${folder}")
        endif()
        if(NOT EXISTS ${copy})
            continue() # a folder without texts
        endif()
        file(READ ${copy} content)
        # One message per match: its source and the translation left unfinished.
        string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"unfinished\""
               unfinished "${content}")
        foreach(entry ${unfinished})
            string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
            message("${language}/${unit}.ts: no translation of \"${text}\"")
            math(EXPR missing "${missing} + 1")
        endforeach()
    endforeach()
endforeach()
if(missing GREATER 0)
    message(FATAL_ERROR "${missing} texts without their translation; run the update_translations target and translate them")
endif()
