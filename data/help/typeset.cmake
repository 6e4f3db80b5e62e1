# Typesets one help document: cmake -DGROFF=<groff> -DSOURCE=<.ms> -DOUTPUT=<.pdf> -P typeset.cmake
# The source is UTF-8 (preconv turns its accented letters into glyph names). Any message of groff
# fails the step, so a missing glyph or a broken macro cannot slip into the shipped document; the
# PDF is written beside its target and renamed, so a failed run leaves no half-written file.
execute_process(
    COMMAND ${GROFF} -Kutf-8 -ms -Tpdf -wall -dpaper=a4 -P-pa4 ${SOURCE}
    OUTPUT_FILE ${OUTPUT}.part
    ERROR_VARIABLE messages
    RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT messages STREQUAL "")
    file(REMOVE ${OUTPUT}.part)
    message(FATAL_ERROR "groff could not typeset ${SOURCE}:\n${messages}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
